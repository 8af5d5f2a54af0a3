// Opens the serial line at the given path through the shared port manager and leaves with
// exit(0), port still open: the manager's exit handler must close it and put the line back as
// it found it. Run by the serial tests.
#include "Logic/connection/Serial/SerialPortManager.h"
#include "support/FakeSerialPortEnumerator.h"

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    FakeSerialPortEnumerator devices({Platform::SerialDevice::named("ttyFAKE0", argv[1], "")});
    const SerialPortManager::Ports ports = SerialPortManager::sharedSerialPortManager().availablePorts();
    if (ports.size() != 1)
        return 3;
    ports[0]->setBaudRate(57600);
    ports[0]->open();
    if (!ports[0]->isOpen())
        return 4;
    std::exit(0);
}
