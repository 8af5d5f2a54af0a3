#include "Logic/bridge/TessmarkDialerCore.h"

#include "Logic/bridge/CPPDialerCore.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Platform/Files.h"
#include "Platform/Paths.h"

namespace {

const char* const databaseFileName = "TessmarkDialer.sqlite3";

} // namespace

bool TessmarkDialerCore::open() {
    const std::string folder = Platform::Paths::applicationDataFolder();
    // Anything already there, a plain file too, is left alone; the open then fails on it.
    if (!Platform::Files::exists(folder))
        Platform::Files::makeFolders(folder, 0700);
    CPPDialerCore& core = CPPDialerCore::getInstance();
    core.open(folder + "/" + databaseFileName);
    deviceCommunication().setDeviceCommunication(core.getDeviceCommunication());
    return true;
}

bool TessmarkDialerCore::postDidLaunch() {
    CPPDialerCore::getInstance().postDidLaunch();
    return true;
}

bool TessmarkDialerCore::close() {
    return CPPDialerCore::getInstance().close([] { deviceCommunication().setDeviceCommunication(nullptr); });
}

DeviceCommunicationObject& TessmarkDialerCore::deviceCommunication() {
    // Never destroyed: device threads may still reach it through the serial bridge at exit.
    static DeviceCommunicationObject* const instance =
        new DeviceCommunicationObject(CPPDialerCore::getInstance().getDeviceCommunication());
    return *instance;
}
