#include "ProfileStoreFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ProfileParts = ProfileStoreFixture;

CPPCustomKey key(const std::string& label, bool enabled = true) {
    CPPCustomKey made;
    made.setLabel(label);
    made.setPressCommand("P");
    made.setReleaseCommand("R");
    made.setEnabled(enabled);
    return made;
}

CPPMuteCommand mute(const std::string& press) {
    CPPMuteCommand made;
    made.setPressCommand(press);
    made.setQueryCommand("q");
    made.setActiveNotificationFormat("On");
    made.setInactiveNotificationFormat("Off");
    return made;
}

CPPVolumeCommand volume(int32_t type, const std::string& press) {
    CPPVolumeCommand made;
    made.setType(type);
    made.setPressCommand(press);
    made.setReleaseCommand("R");
    return made;
}

std::vector<std::string> labels(const std::vector<CPPCustomKey>& keys) {
    std::vector<std::string> result;
    for (const CPPCustomKey& each : keys)
        result.push_back(each.getLabel());
    return result;
}

TEST_F(ProfileParts, CustomKeyStatementsQuoteTexts) {
    CPPCustomKeyTable& table = CPPCustomKeyTable::getInstance();
    CPPCustomKey bobs = key("Bob's");
    ASSERT_TRUE(table.insert(bobs, 7));
    EXPECT_EQ(bobs.getId(), 1);
    const std::vector<CPPCustomKey> found = table.getByLabel("Bob's");
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found[0].getLabel(), "Bob's");
    EXPECT_TRUE(table.getByLabel("bob's").empty());
    bobs.setEnabled(false);
    ASSERT_TRUE(table.update(bobs));
    ASSERT_TRUE(table.remove(bobs));
    EXPECT_EQ(
        trace(),
        (std::vector<std::string>{
            "insert into CustomKey(label, pressCommand, releaseCommand, enabled, connectionId) "
            "values('Bob''s', 'P', 'R', 1, 7)",
            "select * from CustomKey where label='Bob''s'", "select * from CustomKey where label='bob''s'",
            "update CustomKey set label='Bob''s', pressCommand='P', releaseCommand='R', enabled=0 "
            "where id=1",
            "delete from CustomKey where id=1"}));
}

// Screens take keys by position, so reads must keep insertion order, also after an update.
TEST_F(ProfileParts, CustomKeysKeepInsertionOrderAndTheirProfile) {
    CPPCustomKeyTable& table = CPPCustomKeyTable::getInstance();
    std::vector<CPPCustomKey> keys = {key("A"), key("B"), key("C")};
    for (CPPCustomKey& each : keys)
        ASSERT_TRUE(table.insert(each, 7));
    CPPCustomKey other = key("X");
    ASSERT_TRUE(table.insert(other, 8));
    keys[1].setLabel("B2");
    ASSERT_TRUE(table.update(keys[1]));
    clearTrace();
    EXPECT_EQ(labels(table.getByConnectionId(7)), (std::vector<std::string>{"A", "B2", "C"}));
    EXPECT_EQ(trace(), (std::vector<std::string>{"select * from CustomKey where connectionId=7"}));
    EXPECT_EQ(labels(table.getAll()), (std::vector<std::string>{"A", "B2", "C", "X"}));
    EXPECT_TRUE(table.getByConnectionId(99).empty());

    ASSERT_TRUE(table.remove(keys[2]));
    CPPCustomKey next = key("D");
    ASSERT_TRUE(table.insert(next, 7));
    EXPECT_EQ(next.getId(), 5);
}

// Key flags differ from profile flags: only a stored 1 enables a key.
TEST_F(ProfileParts, CustomKeyEnabledOnlyForExactlyOne) {
    const std::vector<std::pair<std::string, bool>> cases = {{"1", true},   {"0", false},  {"2", false},
                                                             {"-1", false}, {"''", false}, {"NULL", false}};
    for (const auto& [stored, expected] : cases) {
        run("delete from CustomKey");
        run("insert into CustomKey(label, enabled, connectionId) values(NULL, " + stored + ", 1)");
        const std::vector<CPPCustomKey> keys = CPPCustomKeyTable::getInstance().getByConnectionId(1);
        ASSERT_EQ(keys.size(), 1U);
        EXPECT_EQ(keys[0].isEnabled(), expected) << stored;
        EXPECT_EQ(keys[0].getLabel(), "");
    }
}

TEST_F(ProfileParts, MuteCommandIsFoundOnlyWhenOneRowMatches) {
    CPPMuteCommandTable& table = CPPMuteCommandTable::getInstance();
    CPPMuteCommand stored = mute("Mute'it");
    stored.setId(55);
    ASSERT_TRUE(table.insert(stored, 7));
    EXPECT_EQ(stored.getId(), 1);
    CPPMuteCommand found = table.getByConnectionId(7);
    EXPECT_EQ(found.getId(), 1);
    EXPECT_EQ(found.getPressCommand() + found.getQueryCommand() + found.getActiveNotificationFormat() +
                  found.getInactiveNotificationFormat(),
              "Mute'itqOnOff");
    stored.setQueryCommand("Q2");
    ASSERT_TRUE(table.update(stored));
    EXPECT_EQ(table.getByConnectionId(7).getQueryCommand(), "Q2");
    ASSERT_TRUE(table.remove(stored));
    EXPECT_EQ(trace(),
              (std::vector<std::string>{
                  "insert into MuteCommand(pressCommand, queryCommand, activeNotificationFormat, "
                  "inactiveNotificationFormat, connectionId) values('Mute''it', 'q', 'On', 'Off', 7)",
                  "select * from MuteCommand where connectionId=7",
                  "update MuteCommand set pressCommand='Mute''it', queryCommand='Q2', "
                  "activeNotificationFormat='On', "
                  "inactiveNotificationFormat='Off' where id=1",
                  "select * from MuteCommand where connectionId=7", "delete from MuteCommand where id=1"}));

    // No row, two rows: the default record, which callers read as "no mute command".
    EXPECT_EQ(table.getByConnectionId(7).getId(), 0);
    CPPMuteCommand first = mute("a");
    CPPMuteCommand second = mute("b");
    ASSERT_TRUE(table.insert(first, 9));
    ASSERT_TRUE(table.insert(second, 9));
    found = table.getByConnectionId(9);
    EXPECT_EQ(found.getId(), 0);
    EXPECT_TRUE(found.getPressCommand().empty() && found.getQueryCommand().empty());

    run("insert into MuteCommand(connectionId) values(10)");
    found = table.getByConnectionId(10);
    EXPECT_NE(found.getId(), 0);
    EXPECT_TRUE(found.getActiveNotificationFormat().empty());
}

TEST_F(ProfileParts, VolumeReadsFindOneRowOfTheirType) {
    CPPVolumeCommandTable& table = CPPVolumeCommandTable::getInstance();
    CPPVolumeCommand down = volume(CPPVolumeCommand::typeDown, "D");
    CPPVolumeCommand up1 = volume(CPPVolumeCommand::typeUp, "U1");
    CPPVolumeCommand up2 = volume(CPPVolumeCommand::typeUp, "U2");
    CPPVolumeCommand odd = volume(5, "odd");
    for (CPPVolumeCommand* command : {&down, &up1, &up2, &odd})
        ASSERT_TRUE(table.insert(*command, 7));
    clearTrace();
    const CPPVolumeCommand foundDown = table.getVolumeDownByConnectionId(7);
    EXPECT_EQ(foundDown.getId(), down.getId());
    EXPECT_EQ(foundDown.getType(), 1);
    EXPECT_EQ(foundDown.getPressCommand(), "D");
    EXPECT_EQ(table.getVolumeUpByConnectionId(7).getId(), 0);
    EXPECT_EQ(trace(),
              (std::vector<std::string>{"select * from VolumeCommand where type=1 and connectionId=7",
                                        "select * from VolumeCommand where type=0 and connectionId=7"}));

    // Nothing found reads as type 0, even for the volume-down read.
    const CPPVolumeCommand none = table.getVolumeDownByConnectionId(8);
    EXPECT_EQ(none.getId(), 0);
    EXPECT_EQ(none.getType(), 0);

    // An update writes the type it is given: the down row joins the up rows, leaving no down row.
    down.setType(CPPVolumeCommand::typeUp);
    clearTrace();
    ASSERT_TRUE(table.update(down));
    ASSERT_TRUE(table.remove(odd));
    EXPECT_EQ(trace(), (std::vector<std::string>{"update VolumeCommand set type=0, pressCommand='D', "
                                                 "releaseCommand='R' where id=1",
                                                 "delete from VolumeCommand where id=4"}));
    EXPECT_EQ(table.getVolumeDownByConnectionId(7).getId(), 0);
    EXPECT_EQ(scalar("select group_concat(connectionId) from VolumeCommand"), "7,7,7");
}

TEST_F(ProfileParts, VolumeInsertTextAndTypeFive) {
    CPPVolumeCommandTable& table = CPPVolumeCommandTable::getInstance();
    CPPVolumeCommand odd = volume(5, "P");
    ASSERT_TRUE(table.insert(odd, 7));
    EXPECT_EQ(trace(),
              (std::vector<std::string>{"insert into VolumeCommand(type, pressCommand, releaseCommand, "
                                        "connectionId) values(5, 'P', 'R', 7)"}));
    EXPECT_EQ(table.getVolumeUpByConnectionId(7).getId(), 0);
    EXPECT_EQ(table.getVolumeDownByConnectionId(7).getId(), 0);
    EXPECT_EQ(CPPVolumeCommandTable::getByTypeAndConnectionId(5, 7).getPressCommand(), "P");
}

// A text holding NUL would be cut short by SQLite: it is refused before any statement.
TEST_F(ProfileParts, PartsRefuseNulTextsWithoutAStatement) {
    const std::string nul("x\0y", 3);
    CPPCustomKey badKey = key(nul);
    CPPMuteCommand badMute = mute("m");
    badMute.setInactiveNotificationFormat(nul);
    CPPVolumeCommand badVolume = volume(0, "v");
    badVolume.setReleaseCommand(nul);
    EXPECT_FALSE(CPPCustomKeyTable::getInstance().insert(badKey, 1));
    EXPECT_FALSE(CPPCustomKeyTable::getInstance().update(badKey));
    EXPECT_TRUE(CPPCustomKeyTable::getInstance().getByLabel(nul).empty());
    EXPECT_FALSE(CPPMuteCommandTable::getInstance().insert(badMute, 1));
    EXPECT_FALSE(CPPMuteCommandTable::getInstance().update(badMute));
    EXPECT_FALSE(CPPVolumeCommandTable::getInstance().insert(badVolume, 1));
    EXPECT_FALSE(CPPVolumeCommandTable::getInstance().update(badVolume));
    EXPECT_TRUE(trace().empty());
    EXPECT_EQ(badKey.getId() | badMute.getId() | badVolume.getId(), 0);
}

// Updates and removals go by id: id 0 touches nothing and still succeeds, and no operation
// moves a part to another profile.
TEST_F(ProfileParts, WritesByIdLeaveOtherRowsAlone) {
    CPPMuteCommand stored = mute("m");
    ASSERT_TRUE(CPPMuteCommandTable::getInstance().insert(stored, 7));
    CPPMuteCommand neverStored = mute("other");
    EXPECT_TRUE(CPPMuteCommandTable::getInstance().update(neverStored));
    EXPECT_TRUE(CPPMuteCommandTable::getInstance().remove(neverStored));
    CPPCustomKey neverStoredKey = key("k");
    EXPECT_TRUE(CPPCustomKeyTable::getInstance().update(neverStoredKey));
    EXPECT_TRUE(CPPCustomKeyTable::getInstance().remove(neverStoredKey));
    CPPVolumeCommand neverStoredVolume = volume(0, "v");
    EXPECT_TRUE(CPPVolumeCommandTable::getInstance().update(neverStoredVolume));
    EXPECT_TRUE(CPPVolumeCommandTable::getInstance().remove(neverStoredVolume));
    EXPECT_EQ(scalar("select pressCommand || connectionId from MuteCommand"), "m7");
    EXPECT_EQ(scalar("select count(*) from CustomKey") + scalar("select count(*) from VolumeCommand"), "00");
}

TEST_F(ProfileParts, FailWithoutADatabase) {
    ASSERT_TRUE(database().close());
    CPPCustomKey aKey = key("k");
    CPPMuteCommand aMute = mute("m");
    CPPVolumeCommand aVolume = volume(1, "v");
    EXPECT_FALSE(CPPCustomKeyTable::getInstance().createTable());
    EXPECT_FALSE(CPPMuteCommandTable::getInstance().createTable());
    EXPECT_FALSE(CPPVolumeCommandTable::getInstance().createTable());
    EXPECT_FALSE(CPPCustomKeyTable::getInstance().insert(aKey, 1));
    EXPECT_FALSE(CPPMuteCommandTable::getInstance().insert(aMute, 1));
    EXPECT_FALSE(CPPVolumeCommandTable::getInstance().insert(aVolume, 1));
    EXPECT_EQ(aKey.getId() | aMute.getId() | aVolume.getId(), 0);
    EXPECT_FALSE(CPPCustomKeyTable::getInstance().remove(aKey));
    EXPECT_TRUE(CPPCustomKeyTable::getInstance().getAll().empty());
    EXPECT_EQ(CPPMuteCommandTable::getInstance().getByConnectionId(1).getId(), 0);
    EXPECT_EQ(CPPVolumeCommandTable::getInstance().getVolumeDownByConnectionId(1).getType(), 0);
    ASSERT_TRUE(database().open(databasePath()));
}

} // namespace
