#include "App/Alert.h"
#include "App/FileDialog.h"
#include "Logic/bridge/Contact.h"
#include "Logic/bridge/ContactManager.h"
#include "Screens/settings/PhoneBookSettingsViewController.h"
#include "Screens/settings/SettingsViewController.h"
#include "Screens/settings/SettingsWidgets.h"
#include "screens/settings/SettingsFixture.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace SettingsFixture;

namespace {

const QByteArray header =
    "Tessmark Dialer Phone Book,Version,1.0\n"
    "First,Middle Initial,Last,Company,Favorite,Phone Number,Type,Spd Dial Index,Default\n";

QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& rows) {
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header + rows) != header.size() + rows.size()) {
        qFatal("a test file could not be written");
    }
    return path;
}

QStringList storedNames() {
    QStringList names;
    for (const ContactPtr& contact : ContactManager::allContacts()) {
        names.append(QString::fromStdString(contact->firstName() + "|" + contact->middleInitial() + "|" +
                                            contact->lastName() + "|" + contact->company()));
    }
    names.sort();
    return names;
}

void storeContact(const std::string& first, const std::string& middle, const std::string& last,
                  const std::string& company, const std::string& number) {
    Contact contact(first, middle, last, company);
    contact.numbers().front()->setNumber(number);
    if (!ContactManager::addContact(contact)) {
        qFatal("a test contact could not be stored");
    }
}

// The Phone Book page of a fresh window, reached and driven by clicks.
class PhoneBookPage {
public:
    explicit PhoneBookPage(bool overwrite = false) : m_tab((m_ui.launch(), m_ui)) {
        m_page = m_tab.list()->phoneBookSettingsViewController();
        // A refused click has recorded its failure; the test's next step fails on it too.
        if (m_tab.open(m_page) && overwrite) {
            (void)UserInput::click(m_page->overwriteSwitch());
        }
    }
    PhoneBookSettingsViewController* page() const { return m_page; }
    UiHarness& ui() { return m_ui; }

    // The panel answered with this choice (nullopt: cancelled); gives the text of the sheet
    // that then shows, closed with its button, or an empty text when none shows.
    QString importFile(const std::optional<QString>& choice) {
        FileDialog::setNextFileName(choice);
        return clickClosingSheet(m_page->importButton());
    }
    QString exportFile(const QString& path) {
        FileDialog::setNextFileName(path);
        return clickClosingSheet(m_page->exportButton());
    }

private:
    UiHarness m_ui;
    SettingsTab m_tab;
    PhoneBookSettingsViewController* m_page = nullptr;
};

} // namespace

// The Phone Book page: CSV import (with or without overwriting namesakes) and export.
class PhoneBookImportTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        resetStore();
        FileDialog::clearRequests();
    }

    // Off, a file imports beside what is stored; on, each contact replaces its namesake.
    void overwriteDecidesBetweenAddingAndReplacing_data() {
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<int>("afterTwoImports");
        QTest::newRow("off") << false << 4;
        QTest::newRow("on") << true << 2;
    }
    void overwriteDecidesBetweenAddingAndReplacing() {
        QFETCH(bool, overwrite);
        QFETCH(int, afterTwoImports);
        QTemporaryDir folder;
        const QString path = writeFile(folder, QStringLiteral("two.csv"),
                                       "Ann,,Lee,Acme,1,201,Work,2,1\n,,,,,202,Mobile,-1,0\n"
                                       "Bob,Q,Ray,,0,301,Home,-1,1");
        PhoneBookPage phoneBook(overwrite);
        phoneBook.ui().posts().clear();
        for (int import = 0; import < 2; ++import) {
            QCOMPARE(phoneBook.importFile(path), QStringLiteral("Imported phone book successfully"));
        }
        QCOMPARE(int(ContactManager::allContacts().size()), afterTwoImports);
        const ContactPtr ann = ContactManager::contactByFirstName("Ann", "", "Lee");
        QVERIFY(ann != nullptr);
        QCOMPARE(int(ann->numbers().size()), 2);
        QVERIFY(ann->isFavorite());
        QCOMPARE(FileDialog::requests().front().acceptLabel, QStringLiteral("Select a CSV file"));
        QCOMPARE(phoneBook.ui().posts().screenPosts().size(), 0);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // A contact the store refuses is counted, not passed over; its stored namesake stays.
    // The match is exact: a different middle initial is another person.
    void refusedContactsAreCountedAndKeepTheirNamesakes() {
        storeContact("Cy", "", "Ode", "Old", "100");
        storeContact("Dee", "", "Fox", "Old", "400");
        QTemporaryDir folder;
        const QString path = writeFile(folder, QStringLiteral("nul.csv"),
                                       QByteArray("Cy,,Ode,Bad") + '\0' + QByteArray("Co,0,101,Work,-1,1\n") +
                                           "Dee,,Fox,New,0,401,Work,-1,1\nDee,M,Fox,Other,0,402,Work,-1,1");
        PhoneBookPage phoneBook(true);
        QCOMPARE(phoneBook.importFile(path),
                 QStringLiteral("Imported phone book with errors: 1 of 3 contacts were not imported"));
        QCOMPARE(storedNames(), (QStringList{QStringLiteral("Cy||Ode|Old"), QStringLiteral("Dee|M|Fox|Other"),
                                             QStringLiteral("Dee||Fox|New")}));
    }

    // Overwriting replaces the first stored namesake only; of two namesakes in the file the
    // second replaces the first, which is stored by then.
    void overwriteTakesNamesakesInTurn() {
        storeContact("Eve", "", "Poe", "First", "1");
        storeContact("Eve", "", "Poe", "Second", "2");
        QTemporaryDir folder;
        const QString path = writeFile(folder, QStringLiteral("twins.csv"),
                                       "Eve,,Poe,Imported,0,3,Work,-1,1\nGus,,Orr,One,0,4,Work,-1,1\n"
                                       "Gus,,Orr,Two,0,5,Work,-1,1");
        PhoneBookPage phoneBook(true);
        QCOMPARE(phoneBook.importFile(path), QStringLiteral("Imported phone book successfully"));
        QCOMPARE(storedNames(),
                 (QStringList{QStringLiteral("Eve||Poe|Imported"), QStringLiteral("Eve||Poe|Second"),
                              QStringLiteral("Gus||Orr|Two")}));
    }

    // No contact in the file, or no file: said, nothing changed; a cancelled panel says nothing.
    void emptyFilesAndPanelsThatGiveNoFile_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("header only") << 0 << QStringLiteral("Failed to import phone book");
        QTest::newRow("unreadable") << 1 << QStringLiteral("Failed to import phone book");
        QTest::newRow("confirmed without a file") << 2 << QStringLiteral("No file selected");
        QTest::newRow("cancelled") << 3 << QString();
    }
    void emptyFilesAndPanelsThatGiveNoFile() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QTemporaryDir folder;
        const QString choices[] = {writeFile(folder, QStringLiteral("empty.csv"), ""),
                                   folder.filePath(QStringLiteral("missing.csv")), QString()};
        PhoneBookPage phoneBook;
        QCOMPARE(phoneBook.importFile(kind < 3 ? std::optional<QString>(choices[kind]) : std::nullopt), text);
        QCOMPARE(sheetCount(), text.isEmpty() ? 0 : 1);
        QVERIFY(ContactManager::allContacts().empty());
        if (kind < 2) {
            QVERIFY(Alert::requests().back().detailedText.startsWith(
                kind == 0 ? QStringLiteral("no contacts in the file")
                          : QStringLiteral("cannot read the file")));
        }
    }

    // A damaged file imports as the reader reads it, and says where it is damaged.
    void problemsOfTheFileGoIntoTheDetails() {
        QTemporaryDir folder;
        const QString path = writeFile(folder, QStringLiteral("quote.csv"),
                                       "Ann,,Lee,Acme,0,201,Work,-1,1\nBob,,\"Ray,,0,301,Work,-1,1");
        PhoneBookPage phoneBook;
        QCOMPARE(phoneBook.importFile(path), QStringLiteral("Imported phone book with problems in the file"));
        QVERIFY(Alert::requests().back().detailedText.contains(QStringLiteral("line 4: an unclosed quote")));
        QCOMPARE(int(ContactManager::allContacts().size()), 2);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // Export writes the whole phone book; quoted fields and a contact with an empty first name
    // come back as they went. A folder that is not there fails.
    void exportRoundTrips() {
        storeContact("Ann", "", "Lee", "Acme, Inc.", "201");
        storeContact("", "", "Ray", "Shop", "301");
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("out.csv"));
        PhoneBookPage phoneBook;
        QCOMPARE(phoneBook.exportFile(path), QStringLiteral("Exported phone book successfully"));
        QCOMPARE(FileDialog::requests().back().defaultSuffix, QStringLiteral("csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QVERIFY(written.startsWith("Tessmark Dialer Phone Book,Version,1.0"));
        QVERIFY(written.contains("\"Acme, Inc.\""));

        const QStringList before = storedNames();
        runSql("delete from Contact");
        runSql("delete from ContactNumber");
        QCOMPARE(phoneBook.importFile(path), QStringLiteral("Imported phone book successfully"));
        QCOMPARE(storedNames(), before);

        QCOMPARE(phoneBook.exportFile(folder.filePath(QStringLiteral("no/such/folder/out.csv"))),
                 QStringLiteral("Failed to export phone book"));
    }
};

TESSMARK_QTEST(PhoneBookImportTest)
#include "PhoneBookImportTest.moc"
