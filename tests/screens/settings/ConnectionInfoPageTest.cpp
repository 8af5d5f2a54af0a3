#include "App/KTNavigationBarController.h"
#include "App/controls/KTSegmentedControl.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Screens/settings/ConnectionInfoViewController.h"
#include "Screens/settings/EditConnectionViewController.h"
#include "screens/settings/SettingsFixture.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UserInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using namespace SettingsFixture;

namespace {

ConnectionSettingsPtr storedProfile(int64_t id) {
    for (const ConnectionSettingsPtr& profile : ConnectionSettingsManager::allConnectionSettings()) {
        if (profile->ID() == id) {
            return profile;
        }
    }
    return nullptr;
}

} // namespace

// The connection editor's title and its Connection Info page, as a user fills it in.
class ConnectionInfoPageTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // Catches an editor titled alike for a new and a stored profile.
    void theEditorSaysAddOrEdit_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("title");
        QTest::newRow("New Connection") << 0 << QStringLiteral("Add Connection");
        QTest::newRow("stored profile") << 1 << QStringLiteral("Edit Connection");
    }
    void theEditorSaysAddOrEdit() {
        QFETCH(int, row);
        QFETCH(QString, title);
        storeProfile("Room A");
        EditorWindow window(row);
        QVERIFY(window.editor != nullptr);
        QCOMPARE(window.tab.top(), window.editor);
        QCOMPARE(window.tab.bar()->barTitle()->text(), title);
    }

    // Catches link and phone type clicks that never reach the profile: the segments chosen on
    // the page are what Save stores.
    void linkAndPhoneChoicesAreStored_data() {
        QTest::addColumn<int>("linkSegment");
        QTest::addColumn<int>("phoneSegment");
        QTest::addColumn<int>("connectionType");
        QTest::addColumn<int>("phoneType");
        QTest::newRow("Telnet, VoIP") << 0 << 0 << 1 << 1;
        QTest::newRow("Telnet, Telco") << 0 << 1 << 1 << 2;
        QTest::newRow("serial, VoIP") << 1 << 0 << 2 << 1;
        QTest::newRow("serial, Telco") << 1 << 1 << 2 << 2;
    }
    void linkAndPhoneChoicesAreStored() {
        QFETCH(int, linkSegment);
        QFETCH(int, phoneSegment);
        QFETCH(int, connectionType);
        QFETCH(int, phoneType);
        // Stored as the opposite of the row's choice, so each click has to change something.
        const ConnectionSettingsPtr stored = storeProfile("Room A");
        stored->setConnectionType(linkSegment == 0 ? 2 : 1);
        stored->setPhoneType(phoneSegment == 0 ? 2 : 1);
        QVERIFY(ConnectionSettingsManager::updateConnectionSettings(*stored));
        EditorWindow window(1);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        ConnectionInfoViewController* page = window.editor->connectionInfoViewController();
        QVERIFY(tab.open(window.editor, page));
        USER_CLICK(page->connectionTypeControl()->segmentButton(linkSegment));
        USER_CLICK(page->phoneTypeControl()->segmentButton(phoneSegment));
        QVERIFY(tab.clickBack());
        QVERIFY(tab.clickRight());
        const ConnectionSettingsPtr saved = storedProfile(stored->ID());
        QVERIFY(saved != nullptr);
        QCOMPARE(saved->connectionType(), connectionType);
        QCOMPARE(saved->phoneType(), phoneType);
    }

    // Catches a Telnet login typed on the page but not saved.
    void theTelnetLoginIsSaved() {
        EditorWindow window(0);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        ConnectionInfoViewController* page = window.editor->connectionInfoViewController();
        QVERIFY(tab.open(window.editor, page));
        const std::pair<QLineEdit*, QString> typed[] = {
            {page->connectionNameField(), QStringLiteral("Lab")},
            {page->telnetIPAddressField(), QStringLiteral("10.0.0.7")},
            {page->telnetUsernameField(), QStringLiteral("admin")},
            {page->telnetPasswordField(), QStringLiteral("pa ss")}};
        for (const auto& [field, text] : typed) {
            USER_CLICK(field);
            USER_TYPE(text);
        }
        QVERIFY(tab.clickBack());
        QVERIFY(tab.clickRight());
        const std::vector<ConnectionSettingsPtr> all = ConnectionSettingsManager::allConnectionSettings();
        QCOMPARE(all.size(), size_t(1));
        QCOMPARE(all.front()->roomName(), std::string("Lab"));
        QCOMPARE(all.front()->ip(), std::string("10.0.0.7"));
        QCOMPARE(all.front()->userName(), std::string("admin"));
        QCOMPARE(all.front()->password(), std::string("pa ss"));
    }
};

TESSMARK_QTEST(ConnectionInfoPageTest)
#include "ConnectionInfoPageTest.moc"
