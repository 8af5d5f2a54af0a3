#include "Logic/bridge/PhoneBookCSV.h"
#include "CsvFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

const std::string header =
    "Tessmark Dialer Phone Book,Version,1.0\n"
    "First,Middle Initial,Last,Company,Favorite,Phone Number,Type,Spd Dial Index,Default\n";

const std::string threeContacts = "Ann,,Lee,Acme,1,555,Work,2,1\n"
                                  ",,,,,111,Home,-1,0\n"
                                  "Bob,Q,Smith,,0,,,,,\n"
                                  "Carl,,,,0,200@pbx.example,Mobile,-1,1";

ContactPtr contact(const std::string& first, const std::string& middle, const std::string& last,
                   const std::string& company, bool favorite, std::vector<ContactNumberPtr> numbers) {
    auto made = std::make_shared<Contact>(first, middle, last, company);
    made->setFavorite(favorite);
    made->setNumbers(std::move(numbers));
    return made;
}

ContactNumberPtr number(const std::string& text, int64_t type, int64_t slot, bool isDefault) {
    return std::make_shared<ContactNumber>(text, slot, type, isDefault);
}

// A contact as one comparable text: names, favorite, then each number with type, slot, default.
std::string describe(const Contact& contact) {
    std::string text = contact.firstName() + "|" + contact.middleInitial() + "|" + contact.lastName() + "|" +
                       contact.company() + "|" + (contact.isFavorite() ? "fav" : "-");
    for (const ContactNumberPtr& entry : contact.numbers())
        text += " [" + entry->number() + " " + std::to_string(entry->type()) + " " +
                std::to_string(entry->speedDial()) + (entry->isDefaultNumber() ? " default]" : "]");
    return text;
}

std::vector<std::string> describe(const std::vector<ContactPtr>& contacts) {
    std::vector<std::string> texts;
    for (const ContactPtr& made : contacts) {
        texts.push_back(describe(*made));
        EXPECT_EQ(made->ID(), 0);
    }
    return texts;
}

class PhoneBookCsvTest : public ::testing::Test {
protected:
    std::string path(const std::string& name = "phonebook.csv") const { return m_folder.file(name); }

    std::vector<std::string> parse(const std::string& text, std::vector<std::string>* problems = nullptr) {
        writeText(path("in.csv"), text);
        return describe(PhoneBookCSV::parseFile(path("in.csv"), problems));
    }

    TempDir m_folder;
};

const std::vector<std::string> threeParsed = {
    "Ann||Lee|Acme|fav [555 1 2 default] [111 0 -1]",
    "Bob|Q|Smith||- [ 6 0]",
    "Carl||||- [200@pbx.example 2 -1 default]",
};

TEST_F(PhoneBookCsvTest, ExportWritesTheLayoutStoredFilesHave) {
    const std::vector<ContactPtr> contacts = {
        contact("Ann", "", "Lee", "Acme", true, {number("555", 1, 2, true), number("111", 0, -1, false)}),
        contact("Bob", "Q", "Smith", "", false, {}),
        contact("Carl", "", "", "", false, {number("200@pbx.example", 2, -1, true)}),
    };
    ASSERT_TRUE(PhoneBookCSV::exportToFile(path(), contacts));
    EXPECT_EQ(readText(path()), header + threeContacts);
    EXPECT_EQ(modeOf(path()), 0600u);

    ASSERT_TRUE(PhoneBookCSV::exportToFile(path(), {}));
    EXPECT_EQ(readText(path()), header.substr(0, header.size() - 1));
    EXPECT_TRUE(PhoneBookCSV::parseFile(path()).empty());
}

TEST_F(PhoneBookCsvTest, ImportReadsContactsWithTheirNumbersInFileOrder) {
    for (const std::string& text : {header + threeContacts, withCrLf(header + threeContacts) + "\r\n",
                                    "\xEF\xBB\xBF" + header + threeContacts + "\n\n"}) {
        std::vector<std::string> problems;
        EXPECT_EQ(parse(text, &problems), threeParsed);
        EXPECT_TRUE(problems.empty());
    }
    // A row naming anyone is a contact of its own, not a further number of the one before.
    EXPECT_EQ(parse(header + threeContacts + "\n,,Lee,,0,555,Home,-1,1").back(),
              "||Lee||- [555 0 -1 default]");
}

// Only a file that names itself in its first line or titles its columns in its second is read,
// from its third line on; any other text would give one "contact" per line.
TEST_F(PhoneBookCsvTest, ImportReadsOnlyPhoneBookFiles) {
    const std::string version = header.substr(0, header.find('\n') + 1);
    const std::string titles = header.substr(version.size());
    for (const std::string& text :
         {version + "edited\n" + threeContacts, "My contacts\n" + titles + threeContacts}) {
        std::vector<std::string> problems;
        EXPECT_EQ(parse(text, &problems), threeParsed) << text;
        EXPECT_TRUE(problems.empty()) << text;
    }
    const std::string notOurs =
        "not a phone book file: its first two lines are neither the version line nor the title line";
    // A README, a shopping list, a file whose first lines were lost, a profile file.
    const std::string refused[] = {
        "# Tessmark Dialer\n\nA desktop dialer for one conferencing box.\nBuild it with scripts/test.",
        "milk\nbread\neggs\nbutter", "anything\n\n" + threeContacts,
        "Tessmark Dialer Connection,Version,2\nRoom Name,Connection Type\n"
        "Board Room,Telnet,10.0.0.5,VoIP,1,admin,secret,1,0,,,,,,Mute,NA,,NA,,"};
    for (const std::string& text : refused) {
        std::vector<std::string> problems;
        EXPECT_TRUE(parse(text, &problems).empty()) << text;
        EXPECT_EQ(problems, std::vector<std::string>{notOurs}) << text;
    }
}

TEST_F(PhoneBookCsvTest, KeptRulesOfTheOldReader) {
    // Types compare exactly, several defaults and any slot are taken as they are, and the first
    // row is a contact even when it names no one.
    EXPECT_EQ(parse(header + ",,,,,1,home,12,1\n,,,,,2,Pager,0,1\nDee,,,,yes,3,Other,x,0"),
              (std::vector<std::string>{"||||- [1 6 12 default] [2 5 0 default]", "Dee||||- [3 6 0]"}));
}

TEST_F(PhoneBookCsvTest, TextsWithCommasQuotesAndLineBreaksComeBackWhole) {
    const std::vector<ContactPtr> contacts = {
        contact("Ann", "\"A\"", "Lee\nJr", "Acme, Inc.", false, {number("sip:\"x\"@h,1", 0, -1, true)}),
        contact("", "", "Lee", "", false, {number("1", 0, -1, true)}),
        // A line break after a first line that holds as many commas as a row has fields.
        contact("Ann", "", "Lee", "Smith, Jones, Park, Kim, Ng, Roe\nSuite 2", false,
                {number("555", 1, 2, true)}),
        contact("Bob", "", "Ray", "", false, {number("1,2,3,4\r\n5", 0, -1, true)}),
    };
    ASSERT_TRUE(PhoneBookCSV::exportToFile(path(), contacts));
    EXPECT_NE(
        readText(path()).find("Ann,\"\"\"A\"\"\",\"Lee\nJr\",\"Acme, Inc.\",0,\"sip:\"\"x\"\"@h,1\",Home"),
        std::string::npos);
    std::vector<std::string> problems;
    EXPECT_EQ(describe(PhoneBookCSV::parseFile(path(), &problems)),
              (std::vector<std::string>{
                  "Ann|\"A\"|Lee\nJr|Acme, Inc.|- [sip:\"x\"@h,1 0 -1 default]", "||Lee||- [1 0 -1 default]",
                  "Ann||Lee|Smith, Jones, Park, Kim, Ng, Roe\nSuite 2|- [555 1 2 default]",
                  "Bob||Ray||- [1,2,3,4\r\n5 0 -1 default]"}));
    EXPECT_TRUE(problems.empty());
}

TEST_F(PhoneBookCsvTest, DamagedFilesAreReadAsFarAsTheyGoAndEveryProblemIsNamed) {
    std::vector<std::string> problems;
    // Lines count as the file has them, a quoted line break included.
    EXPECT_EQ(parse(header + "Cy,,,\"A, B, C, D, E\nF\",0,1,Home,-1,1\n" +
                        "Ann,,Lee\n,,,,,2,Work,1,0,extra\n\"Bob,,,,0,3,Home,-1,1",
                    &problems),
              (std::vector<std::string>{"Cy|||A, B, C, D, E\nF|- [1 0 -1 default]",
                                        "Ann||Lee||- [ 6 0] [2 1 1]", "\"Bob||||- [3 0 -1 default]"}));
    EXPECT_EQ(problems,
              (std::vector<std::string>{"line 5: 3 fields, expected 9", "line 6: 10 fields, expected 9",
                                        "line 7: an unclosed quote"}));

    // Nothing in the file is said, not only shown as a failure.
    for (const auto& [text, problem] : {std::pair<std::string, std::string>{"", "the file is empty"},
                                        {header, "no contacts in the file"}}) {
        problems.clear();
        EXPECT_TRUE(parse(text, &problems).empty());
        EXPECT_EQ(problems, std::vector<std::string>{problem});
    }

    problems.clear();
    EXPECT_TRUE(parse(header + "Ann,,Lee,,0,1,Home,-1,1\nB\xC3,,,,0,,,,", &problems).empty());
    EXPECT_EQ(problems,
              (std::vector<std::string>{"not UTF-8 text at byte " + std::to_string(header.size() + 26)}));
}

// A stray quote in an old unquoted file ran on to the next quote closing a field, taking the
// contacts between with it. Where that makes a whole row nothing tells it from a quoted line
// break, which our own files must keep; anywhere else it stays on its line.
TEST_F(PhoneBookCsvTest, StrayQuoteRunsOnOnlyWhereItClosesIntoARow) {
    const std::string between = "Bob,,Ray,,0,301,Work,-1,1\n,,,,,302,Home,-1,0\n";
    const std::string opened = "Ann,,Lee,\"Acme,1,555,Work,2,1\n" + between;
    const std::vector<std::string> apart = {"Ann||Lee|\"Acme|fav [555 1 2 default]",
                                            "Bob||Ray||- [301 1 -1 default] [302 0 -1]"};
    const std::vector<std::string> shortRowApart = {"Ann|\"Lee|||- [ 6 0]", "Bob||Ray||- [301 1 -1 default]"};
    struct Case {
        std::string rows;
        std::vector<std::string> contacts;
        std::vector<std::string> problems;
    };
    const Case cases[] = {
        {opened + "Dee,,Fox,Screen 27\",0,501,Home,-1,1",
         {"Ann||Lee|Acme,1,555,Work,2,1\n" + between + "Dee,,Fox,Screen 27|- [501 0 -1 default]"},
         {}},
        // A quote before anything but a comma or a line end closes nothing.
        {opened + "Dee,,Fox,Screen 27\"x,0,501,Home,-1,1",
         {apart[0], apart[1], "Dee||Fox|Screen 27\"x|- [501 0 -1 default]"},
         {"line 3: an unclosed quote"}},
        // On a short row: closed on the next row it would make 6 fields, or 10 with a number.
        {"Ann,\"Lee\nBob,,Ray,,0\",301,Work,-1,1",
         shortRowApart,
         {"line 3: an unclosed quote", "line 3: 2 fields, expected 9"}},
        {"Ann,\"Lee\nBob\",,Ray,,0,301,Work,-1,1",
         {shortRowApart[0], "Bob\"||Ray||- [301 1 -1 default]"},
         {"line 3: an unclosed quote", "line 3: 2 fields, expected 9"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> problems;
        EXPECT_EQ(parse(header + c.rows, &problems), c.contacts) << c.rows;
        EXPECT_EQ(problems, c.problems) << c.rows;
    }
}

// Every text a contact carries, drawn from what breaks naive CSV, comes back from the file.
TEST_F(PhoneBookCsvTest, RandomContactsComeBackFromTheirFile) {
    for (uint32_t draw = 1; draw <= 16; ++draw) {
        RandomText random(draw);
        std::vector<ContactPtr> contacts;
        for (int i = 0; i < 40; ++i) {
            std::vector<ContactNumberPtr> numbers;
            for (uint32_t n = 1 + random.below(3); n > 0; --n)
                numbers.push_back(number(random.next(), random.below(7),
                                         static_cast<int64_t>(random.below(11)) - 1, random.below(2) == 0));
            contacts.push_back(contact(random.next(), random.next(), random.next(), random.next(),
                                       random.below(2) == 0, std::move(numbers)));
        }
        ASSERT_TRUE(PhoneBookCSV::exportToFile(path(), contacts));
        std::vector<std::string> problems;
        EXPECT_EQ(describe(PhoneBookCSV::parseFile(path(), &problems)), describe(contacts))
            << "draw " << draw;
        EXPECT_TRUE(problems.empty()) << "draw " << draw;
    }
}

} // namespace
