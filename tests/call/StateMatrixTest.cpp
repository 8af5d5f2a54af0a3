#include "CallFixture.h"

#include "Logic/call/CPPIState.h"
#include "Logic/call/CPPStateRegistry.h"

#include <functional>
#include <map>
#include <set>

namespace {

// Every action run for party 3, with number "555", digit "5" pressed, other party 2 and free
// party 4. Void actions report false.
using Action = std::function<bool(const CPPIState&, const CPPConnectionSettings*)>;
const std::vector<std::pair<std::string, Action>>& actions() {
    static const std::vector<std::pair<std::string, Action>> all = {
        {"offHook", [](const CPPIState& s, const CPPConnectionSettings* p) { return s.offHook(3, p); }},
        {"dial", [](const CPPIState& s, const CPPConnectionSettings* p) { return s.dial(3, p, "555"); }},
        {"sendDigit",
         [](const CPPIState& s, const CPPConnectionSettings* p) { return s.sendDigit(3, p, true, "5"); }},
        {"conference",
         [](const CPPIState& s, const CPPConnectionSettings* p) {
             s.conference(3, p, 2);
             return false;
         }},
        {"transfer",
         [](const CPPIState& s, const CPPConnectionSettings* p) {
             s.transfer(3, p);
             return false;
         }},
        {"blindTransfer",
         [](const CPPIState& s, const CPPConnectionSettings* p) {
             s.blindTransfer(3, p);
             return false;
         }},
        {"reject", [](const CPPIState& s, const CPPConnectionSettings* p) { return s.reject(3, p); }},
        {"cancelTransfer",
         [](const CPPIState& s, const CPPConnectionSettings* p) { return s.cancelTransfer(3, p); }},
        {"completeTransfer",
         [](const CPPIState& s, const CPPConnectionSettings* p) { return s.completeTransfer(3, p); }},
        {"answer",
         [](const CPPIState& s, const CPPConnectionSettings* p) {
             s.answer(3, p);
             return false;
         }},
        {"hold",
         [](const CPPIState& s, const CPPConnectionSettings* p) {
             s.hold(3, p);
             return false;
         }},
        {"resume",
         [](const CPPIState& s, const CPPConnectionSettings* p) {
             s.resume(3, p);
             return false;
         }},
        {"newCall",
         [](const CPPIState& s, const CPPConnectionSettings* p) {
             s.newCall(4, p);
             return false;
         }},
        {"endCall", [](const CPPIState& s, const CPPConnectionSettings* p) { return s.endCall(3, p); }},
        {"hookFlash",
         [](const CPPIState& s, const CPPConnectionSettings* p) {
             s.hookFlash(3, p);
             return false;
         }},
    };
    return all;
}

struct Outcome {
    std::vector<std::string> lines;
    bool result = false;
};
using Expected = std::map<std::string, Outcome>;

const std::vector<std::string> HOOK = {"KEY KEY_HOOK"};
const std::vector<std::string> OWN = {"KEY KEY_PARTY 3"};
const std::vector<std::string> FREE = {"KEY KEY_PARTY 4"};
const std::vector<std::string> CALL = {"KEY KEY_CALL 555"};
const std::vector<std::string> DIGIT = {"KEY KEY_DIGIT_PRESSED 5"};
const std::vector<std::string> HOLD_KEY = {"KEY KEY_HOLD"};
const std::vector<std::string> CONFERENCE = {"KEY KEY_CONFERENCE 3", "KEY KEY_CONFERENCE"};
const std::vector<std::string> HOLD_THEN_FREE = {"KEY KEY_HOLD", "KEY KEY_PARTY 4"};
const std::vector<std::string> FLASH = {"KEY KEY_HOOK_FLASH"};
const std::vector<std::string> ON_HOOK = {"KEY KEY_HOOK 0"};
const std::vector<std::string> OFF_HOOK = {"KEY KEY_HOOK 1"};

const Expected NOTHING = {};
const Expected DIAL_TONE = {{"dial", {CALL, true}}, {"sendDigit", {DIGIT, true}}, {"endCall", {OWN, true}}};
const Expected END_ONLY = {{"endCall", {OWN, true}}};
const Expected TRANSFER_DIAL_TONE = {
    {"dial", {CALL, true}}, {"sendDigit", {DIGIT, true}}, {"cancelTransfer", {OWN, true}}};
const Expected TRANSFER_DIALING = {{"sendDigit", {DIGIT, true}}, {"cancelTransfer", {OWN, true}}};
const Expected TRANSFER_COMPLETABLE = {{"cancelTransfer", {OWN, true}},
                                       {"completeTransfer", {{"KEY KEY_TRANSFER"}, true}}};

struct StateRow {
    std::string name;
    // The numbers themselves, not their names: the screens and the box rely on these values,
    // so this table is what catches a changed value in the header of names.
    int32_t id;
    int32_t category;
    bool telco;
    Expected expected;
    std::set<std::string> shows;
};

const std::vector<StateRow>& stateRows() {
    static const std::vector<StateRow> rows = {
        {"UNKNOWN", 0, 0, false, NOTHING, {}},
        {"IDLE", 1, 0, false, {{"offHook", {HOOK, true}}, {"dial", {CALL, true}}}, {"NewCall"}},
        {"DIAL_TONE", 2, 2, false, DIAL_TONE, {"KeyPad", "EndCall", "NewCall"}},
        {"DIALING", 3, 2, false, DIAL_TONE, {"KeyPad", "EndCall", "NewCall"}},
        {"RINGING", 4, 1, false, END_ONLY, {"EndCall"}},
        {"BUSY", 5, 1, false, END_ONLY, {"EndCall"}},
        {"ACTIVE",
         6,
         1,
         false,
         {{"sendDigit", {DIGIT, true}},
          {"endCall", {OWN, true}},
          {"hold", {HOLD_KEY}},
          {"newCall", {HOLD_THEN_FREE}},
          {"transfer", {{"KEY KEY_TRANSFER"}}},
          {"blindTransfer", {{"KEY KEY_BLIND_TRANSFER"}}},
          {"conference",
           {{"KEY KEY_HOLD", "KEY KEY_PARTY 2", "KEY KEY_CONFERENCE 3", "KEY KEY_CONFERENCE"}}}},
         {"Hold", "KeyPad", "Transfer", "Conference", "EndCall", "NewCall"}},
        {"HOLD",
         7,
         1,
         false,
         {{"conference", {CONFERENCE}}, {"resume", {OWN}}, {"newCall", {FREE}}},
         {"Resume", "Conference", "NewCall"}},
        {"INCOMING",
         8,
         1,
         false,
         {{"reject", {{"KEY KEY_REJECT 3"}, true}}, {"answer", {OWN}}},
         {"Reject", "Answer"}},
        {"CONFERENCE_ACTIVE",
         9,
         1,
         false,
         {{"sendDigit", {DIGIT, true}},
          {"endCall", {HOOK, true}},
          {"conference", {CONFERENCE}},
          {"hold", {HOLD_KEY}},
          {"newCall", {HOLD_THEN_FREE}}},
         {"Hold", "KeyPad", "Conference", "EndCall", "NewCall"}},
        {"CONFERENCE_HOLD", 10, 1, false, {{"resume", {OWN}}, {"newCall", {FREE}}}, {"Resume", "NewCall"}},
        {"TRANSFER_HOLD", 11, 1, false, NOTHING, {}},
        {"TRANSFER_ACTIVE", 12, 1, false, NOTHING, {}},
        {"TRANSFERRING_DIAL_TONE", 13, 2, false, TRANSFER_DIAL_TONE, {"KeyPad", "NewCall", "CancelTransfer"}},
        {"TRANSFERRING_DIALING", 14, 2, false, TRANSFER_DIALING, {"KeyPad", "CancelTransfer"}},
        {"TRANSFERRING_RINGING", 15, 1, false, TRANSFER_COMPLETABLE, {"CancelTransfer", "CompleteTransfer"}},
        {"TRANSFERRING_BUSY", 16, 1, false, END_ONLY, {"EndCall"}},
        {"TRANSFERRING_ACTIVE", 17, 1, false, TRANSFER_COMPLETABLE, {"CancelTransfer", "CompleteTransfer"}},
        {"TRANSFERRING_HOLD", 18, 1, false, NOTHING, {}},
        {"BLIND_TRANSFER_HOLD", 19, 1, false, NOTHING, {}},
        {"BLIND_TRANSFERRING_DIAL_TONE",
         20,
         2,
         false,
         TRANSFER_DIAL_TONE,
         {"KeyPad", "NewCall", "CancelTransfer"}},
        {"BLIND_TRANSFERRING_DIALING", 21, 2, false, TRANSFER_DIALING, {"KeyPad", "CancelTransfer"}},
        {"BLIND_TRANSFERRING_RINGING", 22, 1, false, {{"cancelTransfer", {OWN, true}}}, {"CancelTransfer"}},
        {"BLIND_TRANSFERRING_BUSY", 23, 1, false, END_ONLY, {"EndCall"}},
        {"CFW", 24, 1, false, NOTHING, {}},
        {"INPROCESS", 25, 1, false, END_ONLY, {"EndCall"}},
        {"TRANSFERRING_INPROCESS", 26, 1, false, END_ONLY, {"EndCall"}},
        {"BLIND_TRANSFERRING_INPROCESS", 27, 1, false, END_ONLY, {"EndCall"}},
        {"TELCO_IDLE",
         1,
         0,
         true,
         {{"offHook", {OFF_HOOK, true}}, {"dial", {CALL, true}}, {"hookFlash", {FLASH}}},
         {"NewCall"}},
        {"TELCO_DIAL_TONE",
         2,
         2,
         true,
         {{"dial", {CALL, true}},
          {"sendDigit", {DIGIT, true}},
          {"endCall", {ON_HOOK, true}},
          {"hookFlash", {FLASH}}},
         {"KeyPad", "EndCall", "NewCall"}},
        {"TELCO_DIGIT_COLLECTION",
         3,
         2,
         true,
         {{"sendDigit", {DIGIT, true}}, {"endCall", {ON_HOOK, true}}, {"hookFlash", {FLASH}}},
         {"KeyPad", "EndCall"}},
        {"TELCO_CONNECTED",
         6,
         1,
         true,
         {{"sendDigit", {DIGIT, true}}, {"endCall", {ON_HOOK, true}}, {"hookFlash", {FLASH}}},
         {"KeyPad", "EndCall", "HookFlash"}},
        {"TELCO_INCOMING", 8, 1, true, {{"answer", {OFF_HOOK}}, {"hookFlash", {FLASH}}}, {"Answer"}},
    };
    return rows;
}

std::set<std::string> shownButtons(const CPPIState& state) {
    const std::vector<std::pair<std::string, bool>> answers = {
        {"Hold", state.showsHold()},
        {"KeyPad", state.showsKeyPad()},
        {"Resume", state.showsResume()},
        {"Transfer", state.showsTransfer()},
        {"Conference", state.showsConference()},
        {"EndCall", state.showsEndCall()},
        {"NewCall", state.showsNewCall()},
        {"Reject", state.showsReject()},
        {"CancelTransfer", state.showsCancelTransfer()},
        {"CompleteTransfer", state.showsCompleteTransfer()},
        {"Answer", state.showsAnswer()},
        {"HookFlash", state.showsHookFlash()},
    };
    std::set<std::string> shown;
    for (const auto& [name, answer] : answers) {
        if (answer) {
            shown.insert(name);
        }
    }
    return shown;
}

class StateMatrixTest : public CallFixture {};

// A wrong line, a missing line, a swapped party id or a state taking an action it must not
// take breaks the dial, digit and end-call fan-outs that stop at the first taker.
TEST_F(StateMatrixTest, EveryStateAndActionSendsExactlyItsLinesAndResult) {
    for (const StateRow& row : stateRows()) {
        const CPPIState* state = CPPStateRegistry::getInstance().getState(row.name);
        useProfile(row.telco ? PhoneType::TELCO : PhoneType::VOIP);
        const std::string prefix = row.telco ? TELCO : VOIP;
        for (const auto& [action, run] : actions()) {
            SCOPED_TRACE(row.name + " " + action);
            const auto expected = row.expected.find(action);
            const Outcome outcome = expected != row.expected.end() ? expected->second : Outcome{};
            EXPECT_EQ(run(*state, profile()), outcome.result);
            EXPECT_EQ(takeSent(), prefixed(prefix, outcome.lines));
        }
    }
}

TEST_F(StateMatrixTest, EveryStateHasItsIdCategoryAndButtons) {
    EXPECT_EQ(stateRows().size(), 33u);
    for (const StateRow& row : stateRows()) {
        SCOPED_TRACE(row.name);
        const CPPIState* state = CPPStateRegistry::getInstance().getState(row.name);
        EXPECT_EQ(state->getStateId(), row.id);
        EXPECT_EQ(state->getCategory(), row.category);
        EXPECT_EQ(shownButtons(*state), row.shows);
    }
}

// The registry holds one object per state; Telco states reuse VoIP ids but are other objects,
// and a misspelt or lower-case word must read as UNKNOWN, never as a new state.
TEST_F(StateMatrixTest, RegistryFindsExactNamesOnlyAndTelcoStatesAreTheirOwnObjects) {
    const CPPStateRegistry& registry = CPPStateRegistry::getInstance();
    const CPPIState* unknown = registry.getState("UNKNOWN");
    for (const std::string name : {"idle", "", "Active", "ACTIVE ", "TELCO"}) {
        EXPECT_EQ(registry.getState(name), unknown) << name;
    }
    EXPECT_EQ(registry.getState("ACTIVE"), registry.getState("ACTIVE"));
    EXPECT_NE(registry.getTelcoIdleState(), registry.getState("IDLE"));
    EXPECT_EQ(registry.getTelcoIdleState(), registry.getState("TELCO_IDLE"));
    EXPECT_EQ(registry.getTelcoConnectedState(), registry.getState("TELCO_CONNECTED"));
    EXPECT_EQ(registry.getTelcoDialToneState(), registry.getState("TELCO_DIAL_TONE"));
    EXPECT_EQ(registry.getTelcoDigitCollectionState(), registry.getState("TELCO_DIGIT_COLLECTION"));
    EXPECT_EQ(registry.getTelcoIncomingState(), registry.getState("TELCO_INCOMING"));
}

// Arguments the matrix does not cover: no party to join, a released digit, and empty texts,
// which still give the keyword and its blank.
TEST_F(StateMatrixTest, ArgumentVariantsGoIntoTheLinesUnchanged) {
    const CPPStateRegistry& registry = CPPStateRegistry::getInstance();
    registry.getState("ACTIVE")->conference(1, profile(), -1);
    EXPECT_EQ(takeSent(), prefixed(VOIP, {"KEY KEY_CONFERENCE 1", "KEY KEY_CONFERENCE"}));
    registry.getState("HOLD")->conference(3, profile(), -1);
    EXPECT_EQ(takeSent(), prefixed(VOIP, {"KEY KEY_CONFERENCE 3", "KEY KEY_CONFERENCE"}));
    registry.getState("DIALING")->sendDigit(1, profile(), false, "#");
    EXPECT_EQ(takeSent(), prefixed(VOIP, {"KEY KEY_DIGIT_RELEASED #"}));
    registry.getState("DIAL_TONE")->sendDigit(1, profile(), true, "");
    registry.getState("IDLE")->dial(5, profile(), "");
    registry.getState("IDLE")->dial(5, profile(), "sip:201@pbx");
    EXPECT_EQ(takeSent(),
              prefixed(VOIP, {"KEY KEY_DIGIT_PRESSED ", "KEY KEY_CALL ", "KEY KEY_CALL sip:201@pbx"}));
}

} // namespace
