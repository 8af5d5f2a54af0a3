#include "CsvFiles.h"
#include "Logic/bridge/ConnectionCSV.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/PhoneBookCSV.h"
#include "support/CoreFixture.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Names, favorite, then each number with its type, slot and default mark.
std::string describe(const Contact& contact, const std::vector<ContactNumberPtr>& numbers) {
    std::string text = contact.firstName() + "|" + contact.middleInitial() + "|" + contact.lastName() + "|" +
                       contact.company() + (contact.isFavorite() ? "|fav" : "|-");
    for (const ContactNumberPtr& number : numbers)
        text += "[" + number->number() + " " + std::to_string(number->type()) + " " +
                std::to_string(number->speedDial()) + (number->isDefaultNumber() ? "*]" : "]");
    return text;
}

class RoundTripTest : public OpenCoreFixture {
protected:
    RandomText m_random{2026};
};

TEST_F(RoundTripTest, ProfilesComeBackFromTheStoreAndTheirFileUnchanged) {
    std::vector<ConnectionSettingsPtr> made;
    CPPBatchScope batch;
    for (int i = 0; i < 20; ++i) {
        auto settings = std::make_shared<ConnectionSettings>();
        // The room name leads, so the list's order is the made order.
        settings->setRoomName(std::to_string(100 + i) + m_random.next());
        settings->setIp(m_random.next());
        settings->setUserName(m_random.next());
        settings->setPassword(m_random.next());
        settings->setIsEPN(i % 2 == 0);
        (i % 2 == 0 ? settings->setTelcoVoIPEPN(m_random.next()) : settings->setLabel(m_random.next()));
        settings->setNotificationFormat(m_random.next());
        settings->setQueryVolumeCommand(m_random.next());
        settings->setMaxVolumeValueCommand(m_random.next());
        settings->setMinVolumeValueCommand(m_random.next());
        settings->muteCommand()->setPressCommand(m_random.next());
        settings->muteCommand()->setQueryCommand(m_random.next());
        settings->muteCommand()->setActiveNotificationFormat(m_random.next());
        settings->muteCommand()->setInactiveNotificationFormat(m_random.next());
        settings->volumeUpCommand()->setReleaseCommand(m_random.next());
        settings->volumeDownCommand()->setPressCommand(m_random.next());
        for (const CustomKeyPtr& key : settings->customKeys()) {
            key->setLabel(m_random.next());
            key->setPressCommand(m_random.next());
            key->setReleaseCommand(m_random.next());
        }
        ASSERT_TRUE(ConnectionSettingsManager::addConnectionSettings(*settings));
        made.push_back(settings);
    }
    const auto listed = ConnectionSettingsManager::allConnectionSettings();
    ASSERT_TRUE(ConnectionCSV::exportToFile(file("profiles.csv"), listed));
    std::vector<std::string> problems;
    const auto parsed = ConnectionCSV::parseFile(file("profiles.csv"), &problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(parsed.size(), made.size());
    for (size_t i = 0; i < made.size(); ++i) {
        const ConnectionSettings& a = *made[i];
        const ConnectionSettings& b = *parsed[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(b.roomName(), a.roomName());
        EXPECT_EQ(b.ip(), a.ip());
        EXPECT_EQ(b.userName() + "|" + b.password(), a.userName() + "|" + a.password());
        EXPECT_EQ(b.telcoVoIPEPN() + "|" + b.label(), a.telcoVoIPEPN() + "|" + a.label());
        EXPECT_EQ(b.notificationFormat(), a.notificationFormat());
        EXPECT_EQ(b.queryVolumeCommand() + b.maxVolumeValueCommand() + b.minVolumeValueCommand(),
                  a.queryVolumeCommand() + a.maxVolumeValueCommand() + a.minVolumeValueCommand());
        EXPECT_EQ(b.muteCommand()->pressCommand() + "|" + b.muteCommand()->queryCommand() + "|" +
                      b.muteCommand()->activeNotificationFormat() + "|" +
                      b.muteCommand()->inactiveNotificationFormat(),
                  a.muteCommand()->pressCommand() + "|" + a.muteCommand()->queryCommand() + "|" +
                      a.muteCommand()->activeNotificationFormat() + "|" +
                      a.muteCommand()->inactiveNotificationFormat());
        EXPECT_EQ(b.volumeUpCommand()->releaseCommand(), a.volumeUpCommand()->releaseCommand());
        EXPECT_EQ(b.volumeDownCommand()->pressCommand(), a.volumeDownCommand()->pressCommand());
        for (size_t k = 0; k < 5; ++k) {
            EXPECT_EQ(b.customKeys()[k]->label() + "|" + b.customKeys()[k]->pressCommand() + "|" +
                          b.customKeys()[k]->releaseCommand(),
                      a.customKeys()[k]->label() + "|" + a.customKeys()[k]->pressCommand() + "|" +
                          a.customKeys()[k]->releaseCommand());
        }
    }
}

TEST_F(RoundTripTest, ContactsComeBackFromTheStoreAndTheirFileUnchanged) {
    std::vector<std::string> expected;
    CPPBatchScope batch;
    for (int i = 0; i < 40; ++i) {
        Contact made(std::to_string(1000 + i) + m_random.next(), m_random.next(), m_random.next(),
                     m_random.next());
        made.setFavorite(i % 3 == 0);
        made.numbers().clear();
        for (int n = i % 3; n >= 0; --n)
            made.numbers().push_back(
                std::make_shared<ContactNumber>(std::to_string(n) + m_random.next(), n - 1, n + 2, n == 0));
        ASSERT_TRUE(ContactManager::addContact(made));
        // The store gives the default number first, then the others by text.
        std::vector<ContactNumberPtr> numbers = made.numbers();
        std::stable_sort(numbers.begin(), numbers.end(),
                         [](const ContactNumberPtr& a, const ContactNumberPtr& b) {
                             return a->isDefaultNumber() != b->isDefaultNumber() ? a->isDefaultNumber()
                                                                                 : a->number() < b->number();
                         });
        expected.push_back(describe(made, numbers));
    }
    ASSERT_TRUE(PhoneBookCSV::exportToFile(file("phonebook.csv"),
                                           ContactManager::allContactsSortedByFirstName(true)));
    std::vector<std::string> problems;
    const auto parsed = PhoneBookCSV::parseFile(file("phonebook.csv"), &problems);
    EXPECT_TRUE(problems.empty());
    std::vector<std::string> actual;
    for (const ContactPtr& contact : parsed)
        actual.push_back(describe(*contact, contact->numbers()));
    EXPECT_EQ(actual, expected);
}

} // namespace
