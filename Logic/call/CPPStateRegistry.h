#pragma once

#include "Logic/call/CPPIState.h"

#include <map>
#include <memory>
#include <string>

// Holds the one instance of every party state for the whole process, keyed by the state
// word the box writes ("IDLE", "ACTIVE", ...) or the Telco state's name. Immutable once built.
class CPPStateRegistry {
public:
    static CPPStateRegistry& getInstance();

    // The state stored under exactly that name (case-sensitive); the "UNKNOWN" state for any
    // other name. Never null.
    const CPPIState* getState(const std::string& name) const;

    const CPPIState* getTelcoIdleState() const { return m_telcoIdle; }
    const CPPIState* getTelcoConnectedState() const { return m_telcoConnected; }
    const CPPIState* getTelcoDialToneState() const { return m_telcoDialTone; }
    const CPPIState* getTelcoDigitCollectionState() const { return m_telcoDigitCollection; }
    const CPPIState* getTelcoIncomingState() const { return m_telcoIncoming; }

private:
    CPPStateRegistry();

    const CPPIState* add(const std::string& name, std::unique_ptr<const CPPIState> state);

    std::map<std::string, std::unique_ptr<const CPPIState>> m_states;
    const CPPIState* m_unknown = nullptr;
    const CPPIState* m_telcoIdle = nullptr;
    const CPPIState* m_telcoConnected = nullptr;
    const CPPIState* m_telcoDialTone = nullptr;
    const CPPIState* m_telcoDigitCollection = nullptr;
    const CPPIState* m_telcoIncoming = nullptr;
};
