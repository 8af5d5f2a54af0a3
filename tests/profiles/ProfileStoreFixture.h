#pragma once

#include "Logic/profiles/CPPConnectionSettingsTable.h"
#include "Logic/profiles/CPPCustomKeyTable.h"
#include "Logic/profiles/CPPMuteCommandTable.h"
#include "Logic/profiles/CPPVolumeCommandTable.h"
#include "support/DatabaseFixture.h"

#include <string>

// A fresh database holding the four profile tables, made by their own create statements.
class ProfileStoreFixture : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        ASSERT_TRUE(CPPConnectionSettingsTable::getInstance().createTable());
        ASSERT_TRUE(CPPCustomKeyTable::getInstance().createTable());
        ASSERT_TRUE(CPPMuteCommandTable::getInstance().createTable());
        ASSERT_TRUE(CPPVolumeCommandTable::getInstance().createTable());
        clearTrace();
    }

    static CPPConnectionSettings profile(const std::string& roomName, bool autoConnect = false) {
        CPPConnectionSettings settings;
        settings.setRoomName(roomName);
        settings.setIsAutoConnect(autoConnect);
        return settings;
    }

    // The room names of the rows marked auto-connect, in id order, comma separated.
    std::string markedRooms() {
        return scalar("select group_concat(roomName) from (select roomName from ConnectionSettings "
                      "where isAutoConnect=1 order by id)");
    }
};
