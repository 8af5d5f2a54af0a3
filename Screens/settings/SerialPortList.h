#pragma once

#include <QString>

#include <vector>

// A serial port as the connection page lists it: the system's name for it and its device path.
struct SerialPortItem {
    QString name;
    QString path;
};

// The serial ports present now, in the system's order; read anew at each call.
std::vector<SerialPortItem> availableSerialPorts();
