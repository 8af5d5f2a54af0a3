#include "Screens/directory/CallLogSortingViewController.h"
#include "Screens/directory/CallLogTexts.h"
#include "Screens/directory/ContactListModel.h"
#include "Screens/directory/ContactListOrdering.h"
#include "Screens/directory/ContactRowPainter.h"
#include "screens/directory/DirectoryTestSupport.h"
#include "ui/support/QtTestMain.h"

#include <QDateTime>
#include <QTest>

using DirectoryTest::texts;

namespace {

ContactPtr contact(const std::string& first, const std::string& middle = "", const std::string& last = "",
                   const std::string& company = "") {
    auto made = std::make_shared<Contact>(first, middle, last, company);
    return made;
}

std::vector<ContactPtr> byFirstNames(const QStringList& names) {
    std::vector<ContactPtr> contacts;
    for (const QString& name : names) {
        contacts.push_back(contact(name.toStdString()));
    }
    return contacts;
}

QStringList firstNames(const std::vector<ContactPtr>& contacts) {
    QStringList names;
    for (const ContactPtr& entry : contacts) {
        names.append(QString::fromStdString(entry->firstName()));
    }
    return names;
}

// The rows as text: headers in brackets, contacts by their shown name.
QStringList rowsOf(const ContactListModel& model) {
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString text = model.index(row).data(Qt::DisplayRole).toString();
        rows.append(model.isHeaderRow(row) ? QLatin1Char('[') + text + QLatin1Char(']') : text);
    }
    return rows;
}

CallLog::Moment momentOf(const QDateTime& local) {
    return std::chrono::system_clock::time_point(std::chrono::seconds(local.toSecsSinceEpoch()));
}

} // namespace

// The list kit's pure rules: names, letters, ordering, the index jump and the call log texts.
class ListKitTest : public QObject {
    Q_OBJECT

private slots:
    void displayNameFollowsTheFourFormatsEvenWithEmptyParts_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("middle");
        QTest::addColumn<QString>("last");
        QTest::addColumn<bool>("firstNameFirst");
        QTest::addColumn<QString>("shown");
        QTest::newRow("first, middle, last") << "Ann"
                                             << "M"
                                             << "Lee" << true << "Ann M Lee";
        QTest::newRow("first, last") << "Ann"
                                     << ""
                                     << "Lee" << true << "Ann Lee";
        QTest::newRow("last, middle first") << "John"
                                            << "Q"
                                            << "Smith" << false << "Smith, Q John";
        QTest::newRow("last, first") << "John"
                                     << ""
                                     << "Smith" << false << "Smith, John";
        QTest::newRow("no last name, last first") << "Ann"
                                                  << ""
                                                  << "" << false << ", Ann";
        QTest::newRow("no first name, first first") << ""
                                                    << ""
                                                    << "Lee" << true << " Lee";
        QTest::newRow("tags are text") << "<b>Al</b>"
                                       << ""
                                       << "O'Brien" << true << "<b>Al</b> O'Brien";
    }
    void displayNameFollowsTheFourFormatsEvenWithEmptyParts() {
        QFETCH(QString, first);
        QFETCH(QString, middle);
        QFETCH(QString, last);
        QFETCH(bool, firstNameFirst);
        QFETCH(QString, shown);
        const Contact person(first.toStdString(), middle.toStdString(), last.toStdString(), "");
        QCOMPARE(contactDisplayName(person, firstNameFirst), shown);
    }

    void sectionKeyComesFromTheSortField_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("key");
        QTest::newRow("first name") << 2 << "alice"
                                    << "Zeta"
                                    << "A";
        QTest::newRow("company, ascending") << 0 << "alice"
                                            << "zeta"
                                            << "Z";
        QTest::newRow("company empty goes to #") << 1 << "alice"
                                                 << ""
                                                 << "#";
        QTest::newRow("digit") << 3 << "9lives"
                               << ""
                               << "#";
        QTest::newRow("punctuation") << 2 << "_under"
                                     << ""
                                     << "#";
        QTest::newRow("accented capital") << 2 << "\u00c9mile"
                                          << ""
                                          << "#";
        QTest::newRow("sharp s upper-cases to SS") << 2 << "\u00dfa"
                                                   << ""
                                                   << "S";
        QTest::newRow("empty") << 2 << ""
                               << ""
                               << "#";
    }
    void sectionKeyComesFromTheSortField() {
        QFETCH(int, method);
        QFETCH(QString, first);
        QFETCH(QString, company);
        QFETCH(QString, key);
        const Contact person(first.toStdString(), "", "", company.toStdString());
        QCOMPARE(sectionKeyOfLetter(indexLetterOfContact(person, contactSortMethod(method).field)), key);
    }

    void sortMethodsReadTheirFieldDirectionAndNameOrder() {
        struct Expected {
            ContactSortField field;
            bool ascending;
            bool firstNameFirst;
            bool reversedIndex;
        };
        const std::vector<Expected> table{{ContactSortField::Company, true, false, false},
                                          {ContactSortField::Company, false, false, true},
                                          {ContactSortField::FirstName, true, true, false},
                                          {ContactSortField::FirstName, false, true, true},
                                          {ContactSortField::LastName, true, false, false},
                                          {ContactSortField::LastName, false, false, true},
                                          {ContactSortField::CallFrequency, false, true, false}};
        for (int method = 0; method < static_cast<int>(table.size()); ++method) {
            const ContactSortMethod got = contactSortMethod(method);
            const Expected& want = table[static_cast<size_t>(method)];
            QVERIFY2(got.field == want.field && got.ascending == want.ascending &&
                         got.displaysFirstNameFirst == want.firstNameFirst &&
                         got.reversedIndex() == want.reversedIndex,
                     qPrintable(QString::number(method)));
        }
        QVERIFY(!contactSortMethod(6).hasSections());
    }

    // The store's case-blind order (bytes for non-ASCII): "", 9lives, _under, alice, Bob, zed, E-acute mile.
    void hashGroupFollowsTheLettersAscendingAndPrecedesThemReversedDescending() {
        const QStringList fetched = texts({"", "9lives", "_under", "alice", "Bob", "zed", "\u00c9mile"});
        std::vector<ContactPtr> ascending = byFirstNames(fetched);
        orderContactsBySection(ascending, ContactSortField::FirstName, true);
        QCOMPARE(firstNames(ascending), texts({"alice", "Bob", "zed", "", "9lives", "_under", "\u00c9mile"}));

        QStringList backwards(fetched.rbegin(), fetched.rend());
        std::vector<ContactPtr> descending = byFirstNames(backwards);
        orderContactsBySection(descending, ContactSortField::FirstName, false);
        QCOMPARE(firstNames(descending),
                 texts({"", "9lives", "_under", "\u00c9mile", "zed", "Bob", "alice"}));

        ContactListModel model;
        model.setContacts(ascending, contactSortMethod(2));
        model.rebuild(QString());
        QCOMPARE(rowsOf(model), texts({"[A]", "alice ", "[B]", "Bob ", "[Z]", "zed ", "[#]", " ", "9lives ",
                                       "_under ", "\u00c9mile "}));
        model.setContacts(descending, contactSortMethod(3));
        model.rebuild(QString());
        QCOMPARE(rowsOf(model).mid(0, 6), texts({"[#]", " ", "9lives ", "_under ", "\u00c9mile ", "[Z]"}));
        QCOMPARE(model.headerRows().value(QStringLiteral("A")), 9);
    }

    // The store sorts "ß", "ſ", "ı" and "ﬁ" after "z" by their bytes, but they file under S, S, I
    // and F: left in place, one of them opens its section early in Z-A (or late in A-Z) and the
    // rest of that letter lands under the section before it.
    void firstLettersSortedAfterZJoinTheirSection() {
        const QStringList fetched =
            texts({"9lives", "ada", "fay", "ivo", "sam", "zed", "\u00dfa", "\u0131c", "\u017fb", "\ufb01d"});
        std::vector<ContactPtr> ascending = byFirstNames(fetched);
        orderContactsBySection(ascending, ContactSortField::FirstName, true);
        QCOMPARE(firstNames(ascending), texts({"ada", "fay", "\ufb01d", "ivo", "\u0131c", "sam", "\u00dfa",
                                               "\u017fb", "zed", "9lives"}));

        std::vector<ContactPtr> descending = byFirstNames(QStringList(fetched.rbegin(), fetched.rend()));
        orderContactsBySection(descending, ContactSortField::FirstName, false);
        QCOMPARE(firstNames(descending), texts({"9lives", "zed", "\u017fb", "\u00dfa", "sam", "\u0131c",
                                                "ivo", "\ufb01d", "fay", "ada"}));
        ContactListModel model;
        model.setContacts(descending, contactSortMethod(3));
        model.rebuild(QString());
        QCOMPARE(rowsOf(model), texts({"[#]", "9lives ", "[Z]", "zed ", "[S]", "\u017fb ", "\u00dfa ", "sam ",
                                       "[I]", "\u0131c ", "ivo ", "[F]", "\ufb01d ", "fay ", "[A]", "ada "}));
    }

    void searchMatchesTheShownNameOnlyAndDropsEmptySections() {
        std::vector<ContactPtr> contacts{contact("John", "", "Smith", "Acme"),
                                         contact("Ann", "", "Lee", "Smithers"), contact("Bea", "", "Stone")};
        ContactListModel model;
        model.setContacts(contacts, contactSortMethod(4));
        model.rebuild(QStringLiteral("H, j"));
        QCOMPARE(rowsOf(model), texts({"[S]", "Smith, John"}));
        // The company is not searched.
        model.rebuild(QStringLiteral("acme"));
        QVERIFY(rowsOf(model).isEmpty());
        model.rebuild(QStringLiteral("N"));
        QCOMPARE(rowsOf(model), texts({"[S]", "Smith, John", "[L]", "Lee, Ann", "Stone, Bea"}));
    }

    void ticksAreKeptByIdAcrossRebuilds() {
        std::vector<ContactPtr> contacts{contact("Ann"), contact("Bob")};
        contacts[0]->setID(7);
        contacts[1]->setID(8);
        ContactListModel model;
        model.setContacts(contacts, contactSortMethod(2));
        model.rebuild(QString());
        model.toggleTicked(3);
        model.rebuild(QStringLiteral("ann"));
        QVERIFY(!model.isTicked(1));
        model.rebuild(QString());
        QVERIFY(model.isTicked(3));
        QCOMPARE(model.tickedIds(), (std::set<int64_t>{8}));
    }

    // Rows [A]0 [B]5 [D]9 [X]20 [Y]26 [Z]31 of 35, twelve rows in view.
    void indexJumpLandsAsTheBarOrderSays_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("row");
        const int top = static_cast<int>(IndexJump::Kind::Top);
        const int bottom = static_cast<int>(IndexJump::Kind::Bottom);
        const int at = static_cast<int>(IndexJump::Kind::AtRow);
        QTest::newRow("A") << "A" << false << at << 0;
        QTest::newRow("D") << "D" << false << at << 9;
        QTest::newRow("X") << "X" << false << at << 20;
        QTest::newRow("C absent: B") << "C" << false << at << 5;
        QTest::newRow("M absent: D") << "M" << false << at << 9;
        QTest::newRow("Y near the end") << "Y" << false << bottom << 34;
        QTest::newRow("# absent: Z, near the end") << "#" << false << bottom << 34;
        QTest::newRow("reversed, # first and absent") << "#" << true << top << 0;
        QTest::newRow("reversed, C absent: D") << "C" << true << at << 9;
    }
    void indexJumpLandsAsTheBarOrderSays() {
        QFETCH(QString, key);
        QFETCH(bool, reversed);
        QFETCH(int, kind);
        QFETCH(int, row);
        QHash<QString, int> headers;
        const std::pair<const char*, int> rows[] = {{"A", 0},  {"B", 5},  {"D", 9},
                                                    {"X", 20}, {"Y", 26}, {"Z", 31}};
        for (const auto& [letter, at] : rows) {
            headers.insert(QString::fromUtf8(letter), at);
        }
        const IndexJump jump = indexJumpTarget(key, headers, sectionLetters(reversed), 35, 12);
        QCOMPARE(static_cast<int>(jump.kind), kind);
        if (jump.kind != IndexJump::Kind::Top) {
            QCOMPARE(jump.row, row);
        }
        QCOMPARE(indexJumpTarget(QStringLiteral("M"), {}, sectionLetters(false), 0, 0).kind,
                 IndexJump::Kind::Top);
    }

    void rowButtonsSitWhereTheModeDrawsThem() {
        ContactListModel model;
        model.setContacts({contact("Ann")}, contactSortMethod(2));
        model.rebuild(QString());
        ContactRowPainter painter;
        const QRect row(0, 24, 396, ContactRowPainter::contactHeight);
        const QPoint left = ContactRowPainter::buttonRect(row, ContactRowPainter::LeftButton).center();
        const QPoint right = ContactRowPainter::buttonRect(row, ContactRowPainter::RightButton).center();
        const struct {
            int mode;
            int atLeft;
            int atRight;
        } table[] = {{ContactListModel::Plain, -1, -1},
                     {ContactListModel::Edit, 0, 1},
                     {ContactListModel::Pick, 0, -1}};
        for (const auto& expected : table) {
            model.setMode(expected.mode);
            QCOMPARE(painter.buttonAt(model.index(1), row, left), expected.atLeft);
            QCOMPARE(painter.buttonAt(model.index(1), row, right), expected.atRight);
            QCOMPARE(painter.buttonAt(model.index(0), QRect(0, 0, 396, 24), QPoint(30, 12)), -1);
        }
    }

    void durationsAndTypesRead_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << qint64(0) << "--|--|--";
        QTest::newRow("59") << qint64(59) << "00:00:59";
        QTest::newRow("3661") << qint64(3661) << "01:01:01";
        QTest::newRow("hours uncapped") << qint64(360000) << "100:00:00";
        QTest::newRow("negative") << qint64(-5) << "00:00:00";
        QTest::newRow("past 32 bits") << qint64(2147483648) << "596523:14:08";
    }
    void durationsAndTypesRead() {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(CallLogTexts::formatDuration(seconds), text);
        const QStringList types = texts({"Received", "Placed", "Missed", ""});
        for (int type = 0; type < types.size(); ++type) {
            QCOMPARE(CallLogTexts::formatType(type), types[type]);
        }
    }

    void datesAndTimesUseTheChosenFormatsAndNothingWithoutAMoment() {
        const CallLog::Moment sunday = momentOf(QDateTime(QDate(2026, 12, 6), QTime(10, 12, 5)));
        const DateTimeFormats formats(QStringLiteral("DD/MM/YY"), QStringLiteral("HH:MM AM/PM"));
        QCOMPARE(CallLogTexts::formatDate(sunday, formats), QStringLiteral("06/12/26"));
        QCOMPARE(CallLogTexts::formatTime(sunday, formats), QStringLiteral("10:12 AM"));
        QCOMPARE(CallLogTexts::formatTime(momentOf(QDateTime(QDate(2026, 1, 1), QTime(0, 5, 9))), formats),
                 QStringLiteral("12:05 AM"));
        QCOMPARE(CallLogTexts::formatDate(std::nullopt, formats), QString());
        QCOMPARE(CallLogTexts::formatTime(std::nullopt, formats), QString());
    }

    void sortingChooserMapsTagsToMethods() {
        const std::pair<int, int> table[] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {0, 0}, {5, 0}, {-1, 0}};
        for (const auto& [tag, method] : table) {
            QCOMPARE(CallLogSortingViewController::methodForTag(tag), method);
        }
    }
};

TESSMARK_QTEST(ListKitTest)
#include "ListKitTest.moc"
