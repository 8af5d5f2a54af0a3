#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/DirectoryConversions.h"
#include "Logic/bridge/SpeedDialManager.h"
#include "Logic/store/CPPCallLogTable.h"
#include "Logic/store/CPPContactTable.h"
#include "support/CoreFixture.h"

#include <string>
#include <vector>

namespace {

class DirectoryModelsTest : public OpenCoreFixture {
protected:
    // A contact with its numbers, each "text:slot", the first one default.
    static Contact contact(const std::string& first, std::vector<std::pair<std::string, int64_t>> numbers,
                           bool favorite = false) {
        Contact made(first, "", "Lee", "Acme");
        made.setFavorite(favorite);
        made.numbers().clear();
        for (const auto& [text, slot] : numbers)
            made.numbers().push_back(std::make_shared<ContactNumber>(text, slot, 1, made.numbers().empty()));
        return made;
    }

    static std::vector<std::string> texts(const std::vector<ContactNumberPtr>& numbers) {
        std::vector<std::string> result;
        for (const ContactNumberPtr& number : numbers)
            result.push_back(number->number() + (number->isDefaultNumber() ? "*" : ""));
        return result;
    }

    static std::vector<std::string> names(const std::vector<ContactPtr>& contacts) {
        std::vector<std::string> result;
        for (const ContactPtr& contact : contacts)
            result.push_back(contact->firstName());
        return result;
    }

    void addPlacedCall(const std::string& number) {
        CPPCallLog entry;
        entry.setCallNumber(number);
        entry.setCallType(CallType::PLACED);
        entry.setCallDate("2026/01/05");
        entry.setStartTime("09:30:00");
        ASSERT_TRUE(CPPCallLogTable::getInstance().insert(entry));
    }
};

TEST_F(DirectoryModelsTest, NewObjectsStartAsTheContactFormExpects) {
    const Contact made;
    ASSERT_EQ(made.numbers().size(), 1u);
    const ContactNumber& number = *made.numbers()[0];
    EXPECT_EQ(number.number(), "");
    EXPECT_EQ(number.speedDial(), -1);
    EXPECT_TRUE(number.isDefaultNumber());
    EXPECT_EQ(made.ID() + number.ID() + number.type(), 0);
    // A number made on its own has slot 0 and is not default.
    const ContactNumber plain;
    EXPECT_EQ(plain.speedDial(), 0);
    EXPECT_FALSE(plain.isDefaultNumber());
}

TEST_F(DirectoryModelsTest, AddWritesIdsBackAndALaterUpdateRewritesThoseRows) {
    Contact ann = contact("Ann", {{"555", 2}, {"111", -1}});
    ASSERT_TRUE(ContactManager::addContact(ann));
    EXPECT_EQ(std::to_string(ann.ID()), scalar("select id from Contact"));
    EXPECT_EQ(std::to_string(ann.numbers()[0]->ID()),
              scalar("select id from ContactNumber where number='555'"));
    EXPECT_EQ(std::to_string(ann.numbers()[1]->ID()),
              scalar("select id from ContactNumber where number='111'"));

    ann.setCompany("Beta");
    ann.numbers()[1]->setType(4);
    ASSERT_TRUE(ContactManager::updateContact(ann));
    EXPECT_EQ(count("Contact"), 1);
    EXPECT_EQ(scalar("select company from Contact"), "Beta");
    EXPECT_EQ(scalar("select type from ContactNumber where number='111'"), "4");
}

TEST_F(DirectoryModelsTest, ListsReadAllNumbersInOneGroupedRead) {
    for (const char* name : {"Cleo", "Ann", "Bob"}) {
        Contact made = contact(name, {{std::string(name) + " 2", -1}, {std::string(name) + " 1", -1}});
        ASSERT_TRUE(ContactManager::addContact(made));
    }
    clearTrace();
    const auto contacts = ContactManager::allContactsSortedByFirstName(true);
    EXPECT_EQ(names(contacts), (std::vector<std::string>{"Ann", "Bob", "Cleo"}));
    EXPECT_EQ(traced("select * from ContactNumber").size(), 1u);
    // The default number first, then the others by text.
    ASSERT_EQ(contacts.size(), 3u);
    EXPECT_EQ(texts(contacts[0]->numbers()), (std::vector<std::string>{"Ann 2*", "Ann 1"}));

    // A single lookup converts its first hit only: one read of that contact's numbers.
    clearTrace();
    const ContactPtr bob = ContactManager::contactByNumber("Bob 1");
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(bob->firstName(), "Bob");
    EXPECT_EQ(traced("select * from ContactNumber").size(), 1u);
    EXPECT_EQ(ContactManager::contactByNumber("999"), nullptr);
    EXPECT_EQ(ContactManager::contactByFirstName("Cleo", "", "Lee")->numbers().size(), 2u);
}

// A new model carries one empty number for the contact form; a stored contact without numbers
// listed with it would offer to call "" and show an empty number row.
TEST_F(DirectoryModelsTest, AContactWithoutNumbersIsListedWithoutAny) {
    Contact lone = contact("Dee", {});
    ASSERT_TRUE(ContactManager::addContact(lone));
    const auto contacts = ContactManager::allContactsSortedByFirstName(true);
    ASSERT_EQ(names(contacts), std::vector<std::string>{"Dee"});
    EXPECT_TRUE(contacts[0]->numbers().empty());
    EXPECT_TRUE(ContactManager::contactByFirstName("Dee", "", "Lee")->numbers().empty());
}

TEST_F(DirectoryModelsTest, FromPhoneIsNeitherReadNorCarriedThroughAConvertedContact) {
    Contact made = contact("Pat", {{"300", -1}});
    made.setFromPhone(true);
    ASSERT_TRUE(ContactManager::addContact(made));
    EXPECT_EQ(scalar("select isFromPhone from Contact"), "1");
    const ContactPtr listed = ContactManager::allContacts().at(0);
    EXPECT_FALSE(listed->isFromPhone());
    ASSERT_TRUE(ContactManager::addContact(*listed));
    EXPECT_EQ(scalar("select isFromPhone from Contact where id=" + std::to_string(listed->ID())), "0");
}

TEST_F(DirectoryModelsTest, MostCalledNumberOfNoContactIsStoredAnewOnEverySave) {
    run("update PreferencesSettings set automaticallyManagesFavorites=1");
    addPlacedCall("0800 1");
    const auto favorites = ContactManager::allFavoriteContacts();
    ASSERT_EQ(favorites.size(), 1u);
    const Contact& pseudo = *favorites[0];
    EXPECT_EQ(pseudo.ID(), -1);
    EXPECT_EQ(pseudo.firstName(), "0800 1");
    EXPECT_EQ(texts(pseudo.numbers()), (std::vector<std::string>{"0800 1*"}));
    EXPECT_EQ(pseudo.numbers()[0]->ID(), 0);

    // updateContact writes no id back, so the same object saved twice makes two contacts.
    ASSERT_TRUE(ContactManager::updateContact(pseudo));
    ASSERT_TRUE(ContactManager::updateContact(pseudo));
    EXPECT_EQ(pseudo.ID(), -1);
    EXPECT_EQ(scalar("select count(*) from Contact where firstName='0800 1'"), "2");
}

TEST_F(DirectoryModelsTest, DefaultNumberFollowsTheIdAlone) {
    Contact made = contact("Kim", {{"1", -1}, {"2", -1}, {"3", -1}});
    ContactNumber other("2", -1, 0, false);
    made.setDefaultNumber(other);
    // Unsaved numbers share ID 0 with the given one: all become default.
    EXPECT_EQ(texts(made.numbers()), (std::vector<std::string>{"1*", "2*", "3*"}));
    ASSERT_TRUE(ContactManager::addContact(made));
    made.setDefaultNumber(*made.numbers()[2]);
    EXPECT_EQ(texts(made.numbers()), (std::vector<std::string>{"1", "2", "3*"}));
    made.setDefaultNumber(other);
    EXPECT_EQ(texts(made.numbers()), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(DirectoryModelsTest, SpeedDialsAreLookedUpAsGiven) {
    EXPECT_TRUE(SpeedDialManager::assignedSpeedDials().empty());
    EXPECT_EQ(SpeedDialManager::unassignedSpeedDials(), (std::vector<int64_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    Contact made = contact("Zoe", {{"700", 7}, {"800", -1}});
    ASSERT_TRUE(ContactManager::addContact(made));
    EXPECT_EQ(SpeedDialManager::assignedSpeedDials(), (std::vector<int64_t>{7}));
    EXPECT_EQ(SpeedDialManager::contactBySpeedDial(7)->firstName(), "Zoe");
    EXPECT_EQ(SpeedDialManager::contactNumberBySpeedDial(7)->number(), "700");
    // -1 finds a number without a slot; 0 none.
    EXPECT_EQ(SpeedDialManager::contactNumberBySpeedDial(-1)->number(), "800");
    EXPECT_EQ(SpeedDialManager::contactNumberBySpeedDial(0), nullptr);
    EXPECT_EQ(SpeedDialManager::contactBySpeedDial(3), nullptr);

    ASSERT_TRUE(SpeedDialManager::resetSpeedDialForContactNumber(*made.numbers()[0]));
    EXPECT_EQ(made.numbers()[0]->speedDial(), 7);
    EXPECT_TRUE(SpeedDialManager::assignedSpeedDials().empty());
}

TEST_F(DirectoryModelsTest, FailedAddLeavesTheObjectsAsTheyWere) {
    Contact made = contact("Eve", {{"1", -1}, {"2", -1}});
    refuse([](const std::string& sql) { return sql.find("values('2'") != std::string::npos; });
    EXPECT_FALSE(ContactManager::addContact(made));
    EXPECT_EQ(made.ID() + made.numbers()[0]->ID() + made.numbers()[1]->ID(), 0);
    EXPECT_EQ(count("ContactNumber"), 1);
}

} // namespace
