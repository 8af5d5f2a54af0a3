#include "Logic/connection/CPPSerialBridge.h"

void CPPSerialBridge::send(std::string) {}

void CPPSerialBridge::open() {}

void CPPSerialBridge::close() {}
