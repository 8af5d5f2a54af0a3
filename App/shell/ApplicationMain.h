#pragma once

class QApplication;

// The interface's entry: binds the main queue and the device-event relay to the GUI thread,
// runs the application delegate's start-up, and the event loop until the last window closes;
// then the delegate removes its observers and closes the core (its threads joined), the relay
// leaves, the queue is unbound, and only then the widgets go. Returns exec()'s result.
int runApplication(QApplication& application);
