#pragma once

// Bulk writes of the screens (the CSV imports) hold one CPPBatchScope around their loop.
#include "Logic/database/CPPBatchScope.h"

class DeviceCommunicationObject;

// The interface's one door to the core. Call open first (on the interface thread, after
// XDG_DATA_HOME is final), postDidLaunch once the window stands, close at the end after the
// interface's observers are gone.
class TessmarkDialerCore {
public:
    TessmarkDialerCore() = delete;

    // Makes the data folder (0700) and opens or creates "TessmarkDialer.sqlite3" (0600) in
    // it, then wires the device communication object. Always true: when the core could not
    // open (one line on standard error says why), every device operation does nothing.
    static bool open();
    // Connects the first auto-connect profile by room name; its progress arrives as posts.
    static bool postDidLaunch();
    // False, with the link left up, when the database refuses to close.
    static bool close();
    // The one object of the process; any thread.
    static DeviceCommunicationObject& deviceCommunication();
};
