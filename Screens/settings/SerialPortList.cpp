#include "Screens/settings/SerialPortList.h"

#include "Platform/SerialPortEnumerator.h"

std::vector<SerialPortItem> availableSerialPorts() {
    std::vector<SerialPortItem> ports;
    for (const Platform::SerialDevice& device : Platform::SerialPortEnumerator::current().devices()) {
        ports.push_back({QString::fromStdString(device.name), QString::fromStdString(device.path)});
    }
    return ports;
}
