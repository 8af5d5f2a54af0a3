#include "App/Alert.h"
#include "App/FileDialog.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "App/shell/ToolbarController.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/common/Codes.h"
#include "Screens/settings/ConnectionCellView.h"
#include "Screens/settings/ConnectionInfoViewController.h"
#include "Screens/settings/ConnectionViewController.h"
#include "Screens/settings/EditConnectionViewController.h"
#include "Screens/settings/SettingsViewController.h"
#include "screens/settings/SettingsFixture.h"
#include "support/fakebox/FakeBox.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace SettingsFixture;
using namespace std::chrono_literals;

namespace {

QStringList rowNames(const ConnectionViewController* list) {
    QStringList names;
    for (const ConnectionCellView* row : list->connectionViews()) {
        names.append(row->nameField()->text());
    }
    return names;
}

QStringList litRows(const ConnectionViewController* list) {
    QStringList names;
    for (const ConnectionCellView* row : list->connectionViews()) {
        if (row->highlighted()) {
            names.append(row->nameField()->text());
        }
    }
    return names;
}

ConnectionCellView* rowNamed(const ConnectionViewController* list, const QString& name) {
    for (ConnectionCellView* row : list->connectionViews()) {
        if (row->nameField()->text() == name) {
            return row;
        }
    }
    qFatal("no such row");
}

int64_t currentId() {
    const ConnectionSettingsPtr current =
        TessmarkDialerCore::deviceCommunication().currentConnectionSettings();
    return current != nullptr ? current->ID() : 0;
}

} // namespace

// The connection list: its two modes, connecting and switching against the fake box, delete,
// sort, the standalone back button, and the CSV buttons.
class ConnectionListTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // Normal mode: connect buttons, CSV buttons, back button. Edit mode: "New Connection"
    // first, edit and delete buttons, no CSV or back buttons. Names are plain text.
    void theTwoModes() {
        storeProfile("Room A");
        storeProfile("<b>Lab</b>");
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        ConnectionViewController* list = tab.openConnections();
        QVERIFY(list != nullptr);
        QCOMPARE(rowNames(list), (QStringList{QStringLiteral("<b>Lab</b>"), QStringLiteral("Room A")}));
        QCOMPARE(list->connectionViews()[0]->nameField()->textFormat(), Qt::PlainText);
        QCOMPARE(list->connectionViews()[0]->rightImageName(), QStringLiteral("btn_connection_grey"));
        QVERIFY(list->connectionViews()[0]->leftButton()->isHidden());
        QCOMPARE(tab.bar()->rightButton()->text(), QStringLiteral("Add/Edit"));
        QVERIFY(!tab.bar()->optionalButton()->isHidden());
        QVERIFY(!list->importButton()->isHidden());

        QVERIFY(tab.clickRight());
        QCOMPARE(tab.bar()->barTitle()->text(), QStringLiteral("Add/Edit Connections"));
        QCOMPARE(tab.bar()->rightButton()->text(), QStringLiteral("Done"));
        QVERIFY(tab.bar()->leftButton()->isHidden());
        QVERIFY(list->importButton()->isHidden() && list->exportButton()->isHidden());
        QCOMPARE(rowNames(list), (QStringList{QStringLiteral("New Connection"), QStringLiteral("<b>Lab</b>"),
                                              QStringLiteral("Room A")}));
        QCOMPARE(list->connectionViews()[1]->rightImageName(), QStringLiteral("btn_edit"));
        QVERIFY(!list->connectionViews()[1]->leftButton()->isHidden());

        // Coming back from the editor keeps the mode and shows the back button again.
        USER_CLICK(list->connectionViews()[1]->rightButton());
        tab.settle();
        QVERIFY(tab.clickBack());
        QCOMPARE(tab.top(), list);
        QVERIFY(list->editMode());
        QVERIFY(!tab.bar()->leftButton()->isHidden());
        QVERIFY(tab.clickRight());
        QCOMPARE(tab.bar()->barTitle()->text(), QStringLiteral("Connections"));
        QVERIFY(!list->importButton()->isHidden());
        QCOMPARE(rowNames(list).size(), 2);
    }

    // With no current profile a connect asks nothing: the row is lit, the tab bar is told once,
    // and the box is logged into.
    void connectingWithoutACurrentProfile() {
        forgetCurrentProfile();
        fakebox::FakeBox box;
        storeProfile("Room A", box.port());
        storeProfile("Room B", box.port());
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        ConnectionViewController* list = tab.openConnections();
        QVERIFY(list != nullptr);
        QVERIFY(litRows(list).isEmpty());
        ui.posts().clear();
        USER_CLICK(rowNamed(list, QStringLiteral("Room B"))->rightButton());
        QCOMPARE(sheetCount(), 0);
        QCOMPARE(litRows(list), QStringList{QStringLiteral("Room B")});
        QCOMPARE(rowNamed(list, QStringLiteral("Room B"))->rightImageName(),
                 QStringLiteral("btn_connection_orange"));
        QCOMPARE(ui.posts().count(QStringLiteral("didConnectedAtStartup")), 1);
        QVERIFY(box.waitForLine("admin", 5s));
        ui.connectProfile(PhoneType::VOIP);
    }

    // With a current profile every row asks first, its own too; the rows are rebuilt while the
    // question is open. Cancel changes nothing; OK switches and tells the tab bar once.
    void switchingAsksFirst() {
        fakebox::FakeBox box;
        const ConnectionSettingsPtr roomA = storeProfile("Room A", box.port());
        const ConnectionSettingsPtr roomB = storeProfile("Room B", box.port());
        UiHarness ui;
        ui.launch();
        TessmarkDialerCore::deviceCommunication().connect(*roomA);
        SettingsTab tab(ui);
        ConnectionViewController* list = tab.openConnections();
        QVERIFY(list != nullptr);
        QCOMPARE(litRows(list), QStringList{QStringLiteral("Room A")});
        ui.posts().clear();

        Alert::setNextAnswer(0);
        const std::vector<ConnectionCellView*> before = list->connectionViews();
        USER_CLICK(rowNamed(list, QStringLiteral("Room B"))->rightButton());
        QVERIFY(list->connectionViews() != before);
        QCOMPARE(lastSheetText(), QStringLiteral("Do you want to switch to \"Room B\"?"));
        QCOMPARE(Alert::requests().back().buttons,
                 (QStringList{QStringLiteral("Cancel"), QStringLiteral("OK")}));
        runQueued();
        QCOMPARE(currentId(), roomA->ID());
        QCOMPARE(ui.posts().count(QStringLiteral("didConnectedAtStartup")), 0);

        Alert::setNextAnswer(1);
        USER_CLICK(rowNamed(list, QStringLiteral("Room B"))->rightButton());
        runQueued();
        QCOMPARE(currentId(), roomB->ID());
        QCOMPARE(litRows(list), QStringList{QStringLiteral("Room B")});
        // The live link makes posts of its own (the line's state); this screen made one.
        QCOMPARE(ui.posts().count(QStringLiteral("didConnectedAtStartup")), 1);

        // The connect handed the window back to the tab the user came from; Settings again.
        QVERIFY(tab.show());
        Alert::setNextAnswer(0);
        USER_CLICK(rowNamed(list, QStringLiteral("Room B"))->rightButton());
        QCOMPARE(lastSheetText(), QStringLiteral("Do you want to switch to \"Room B\"?"));
        runQueued();
        ui.connectProfile(PhoneType::VOIP);
    }

    // A double click on a row connects as its button does, outside edit mode only; a single
    // click on an ordinary row does nothing.
    void clicksOnRows() {
        forgetCurrentProfile();
        fakebox::FakeBox box;
        storeProfile("Room A", box.port());
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        ConnectionViewController* list = tab.openConnections();
        QVERIFY(list != nullptr);
        QVERIFY(tab.clickRight());
        QVERIFY(clickRow(list->tableView(), 1));
        QVERIFY(clickRow(list->tableView(), 1, true));
        QCOMPARE(tab.top(), list);
        QCOMPARE(currentId(), 0);
        QVERIFY(tab.clickRight());
        QVERIFY(clickRow(list->tableView(), 0));
        QCOMPARE(currentId(), 0);
        QCOMPARE(tab.top(), list);
        QVERIFY(clickRow(list->tableView(), 0, true));
        QVERIFY(currentId() != 0);
        QCOMPARE(litRows(list), QStringList{QStringLiteral("Room A")});
        ui.connectProfile(PhoneType::VOIP);
    }

    // The row goes at once; the profile leaves the store; the live link stays, and nothing is
    // lit afterwards.
    void deletingTheCurrentProfile() {
        fakebox::FakeBox box;
        const ConnectionSettingsPtr roomA = storeProfile("Room A", box.port());
        storeProfile("Room B", box.port());
        UiHarness ui;
        ui.launch();
        TessmarkDialerCore::deviceCommunication().connect(*roomA);
        SettingsTab tab(ui);
        ConnectionViewController* list = tab.openConnections();
        QVERIFY(list != nullptr);
        QVERIFY(tab.clickRight());
        Alert::setNextAnswer(0);
        USER_CLICK(rowNamed(list, QStringLiteral("Room A"))->leftButton());
        QCOMPARE(lastSheetText(), QStringLiteral("Are you sure you want to delete connection \"Room A\"?"));
        QCOMPARE(Alert::requests().back().buttons,
                 (QStringList{QStringLiteral("No"), QStringLiteral("Yes")}));
        runQueued();
        QCOMPARE(int(ConnectionSettingsManager::allConnectionSettings().size()), 2);

        Alert::setNextAnswer(1);
        USER_CLICK(rowNamed(list, QStringLiteral("Room A"))->leftButton());
        runQueued();
        QCOMPARE(rowNames(list), (QStringList{QStringLiteral("New Connection"), QStringLiteral("Room B")}));
        QCOMPARE(int(ConnectionSettingsManager::allConnectionSettings().size()), 1);
        QCOMPARE(currentId(), roomA->ID());
        // Rebuilt ("Done"), the rows light none: the current profile is gone from the store.
        QVERIFY(tab.clickRight());
        QCOMPARE(rowNames(list), QStringList{QStringLiteral("Room B")});
        QVERIFY(litRows(list).isEmpty());
        ui.connectProfile(PhoneType::VOIP);
    }

    // The sort button flips the order; any other reload is ascending and leaves the flag.
    void sortingAndLeaving() {
        storeProfile("A");
        storeProfile("b");
        storeProfile("C");
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        ConnectionViewController* list = tab.openConnections();
        QVERIFY(list != nullptr);
        const QStringList ascending{QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("C")};
        QCOMPARE(rowNames(list), ascending);
        QVERIFY(tab.clickMiddle());
        QCOMPARE(rowNames(list),
                 (QStringList{QStringLiteral("C"), QStringLiteral("b"), QStringLiteral("A")}));
        QVERIFY(tab.clickBack());
        QVERIFY(tab.openConnections() != nullptr);
        QCOMPARE(rowNames(list), ascending);
        QVERIFY(tab.clickMiddle());
        QCOMPARE(rowNames(list), ascending);
    }

    // Of the settings pages only this one reads the store again when its tab is chosen.
    void refillsWhenItsTabIsChosen() {
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        ConnectionViewController* list = tab.openConnections();
        QVERIFY(list != nullptr);
        QVERIFY(list->connectionViews().empty());
        storeProfile("Added Elsewhere");
        TabBarController* tabs = ui.delegate().tabBarController();
        USER_CLICK(tabs->logsButton());
        USER_CLICK(tabs->settingsButton());
        QCOMPARE(rowNames(list), QStringList{QStringLiteral("Added Elsewhere")});
    }

    // Opened directly (the toolbar's connection button), the back button hands the window back
    // to the tab the user came from and the list stays; then it pops.
    void standaloneBack() {
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        TabBarController* tabs = ui.delegate().tabBarController();
        USER_CLICK(tabs->logsButton());
        USER_CLICK(ui.delegate().toolbarController()->connectionButton());
        tab.settle();
        ConnectionViewController* list = tab.list()->connectionViewController();
        QCOMPARE(tab.top(), list);
        QVERIFY(list->standalone());
        ui.posts().clear();
        QVERIFY(tab.clickBack());
        QCOMPARE(ui.posts().screenPosts(), QStringList{QStringLiteral("backToCurrentTab")});
        QVERIFY(TabBarController::isOn(tabs->logsButton()));
        QCOMPARE(tab.top(), list);
        QVERIFY(!list->standalone());
        QVERIFY(tab.show());
        QVERIFY(tab.clickBack());
        QCOMPARE(tab.top(), tab.list());
    }

    // Whichever way "New Connection" opens the editor, it starts from a new profile: what a
    // cancelled editor wrote into the row's profile is not carried into the next.
    void newConnectionAlwaysStartsFresh() {
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        ConnectionViewController* list = tab.openConnections();
        QVERIFY(list != nullptr);
        QVERIFY(tab.clickRight());
        std::vector<ConnectionSettingsPtr> opened;
        for (int way = 0; way < 3; ++way) {
            ConnectionCellView* row = list->newConnectionView();
            QVERIFY(way == 0 ? clickRow(list->tableView(), 0)
                             : UserInput::click(way == 1 ? row->leftButton() : row->rightButton()));
            tab.settle();
            EditConnectionViewController* editor = list->editor();
            QVERIFY(editor != nullptr);
            QCOMPARE(tab.top(), editor);
            QVERIFY(editor->createsNewConnection());
            QCOMPARE(editor->connection()->roomName(), std::string());
            opened.push_back(editor->connection());
            ConnectionInfoViewController* info = editor->connectionInfoViewController();
            QVERIFY(tab.open(editor, info));
            USER_REPLACE_TEXT(info->connectionNameField(), QStringLiteral("written by a cancelled editor"));
            QVERIFY(tab.clickBack());
            QCOMPARE(editor->connection()->roomName(), std::string("written by a cancelled editor"));
            QVERIFY(tab.clickBack());
        }
        QVERIFY(opened[0] != opened[1] && opened[1] != opened[2]);
        QVERIFY(ConnectionSettingsManager::allConnectionSettings().empty());
    }

    // Import adds every profile of the file; a store that refuses them is said with a count.
    // Export writes all five key rows even for a profile stored with fewer.
    void importAndExport() {
        const ConnectionSettingsPtr stored = storeProfile("Stored");
        QVERIFY(runSql("delete from CustomKey where id in (" + std::to_string(stored->customKeys()[2]->ID()) +
                       "," + std::to_string(stored->customKeys()[3]->ID()) + "," +
                       std::to_string(stored->customKeys()[4]->ID()) + ")"));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("rooms.csv"));
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        ConnectionViewController* list = tab.openConnections();
        QVERIFY(list != nullptr);
        FileDialog::setNextFileName(path);
        USER_CLICK(list->exportButton());
        QCOMPARE(closeSheet(), QStringLiteral("Exported connections successfully"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        for (int key = 1; key <= 5; ++key) {
            QVERIFY(written.contains("CUSTOM " + QByteArray::number(key) + ","));
        }

        FileDialog::setNextFileName(path);
        USER_CLICK(list->importButton());
        QCOMPARE(closeSheet(), QStringLiteral("Imported connections successfully"));
        QCOMPARE(rowNames(list), (QStringList{QStringLiteral("Stored"), QStringLiteral("Stored")}));

        QVERIFY(runSql("PRAGMA query_only=1"));
        FileDialog::setNextFileName(path);
        USER_CLICK(list->importButton());
        runQueued();
        QVERIFY(runSql("PRAGMA query_only=0"));
        QCOMPARE(closeSheet(),
                 QStringLiteral("Imported connections with errors: 1 of 1 profiles were not imported"));
        QCOMPARE(rowNames(list).size(), 2);

        FileDialog::setNextFileName(folder.filePath(QStringLiteral("header.csv")));
        QFile header(folder.filePath(QStringLiteral("header.csv")));
        QVERIFY(header.open(QIODevice::WriteOnly));
        header.write("Tessmark Dialer Connection,Version,2\n");
        header.close();
        USER_CLICK(list->importButton());
        QCOMPARE(closeSheet(), QStringLiteral("Failed to import connections"));

        FileDialog::setNextFileName(folder.filePath(QStringLiteral("no/such/folder/rooms.csv")));
        USER_CLICK(list->exportButton());
        QCOMPARE(closeSheet(), QStringLiteral("Failed to export connections"));
    }

    // A damaged file is not passed off as a clean import, and a file of another kind imports
    // nothing; the details say what was wrong either way.
    void damagedAndForeignFilesAreSaid_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<int>("rows");
        const QByteArray header = "Tessmark Dialer Connection,Version,2\nRoom Name,Connection Type\n";
        QTest::newRow("rows missing") << header + "Cut,Telnet,h,VoIP,1,,,0,0,,,,,,Mute,NA,,NA,,\n"
                                                  ",,,,,,,,,,,,,,VOLUME UP,NA,U,,,NA\n"
                                      << QStringLiteral("Imported connections with problems in the file")
                                      << QStringLiteral("line 3: 1 rows after the main row") << 1;
        QTest::newRow("phone book") << QByteArray(
                                           "Tessmark Dialer Phone Book,Version,1.0\nFirst,Middle Initial\n"
                                           "Ann,,Lee,Acme,1,555,Work,2,1")
                                    << QStringLiteral("Failed to import connections")
                                    << QStringLiteral("not a connection profile file") << 0;
        QTest::newRow("empty") << QByteArray() << QStringLiteral("Failed to import connections")
                               << QStringLiteral("the file is empty") << 0;
    }
    void damagedAndForeignFilesAreSaid() {
        QFETCH(QByteArray, content);
        QFETCH(QString, text);
        QFETCH(QString, detail);
        QFETCH(int, rows);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("rooms.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        UiHarness ui;
        ui.launch();
        SettingsTab tab(ui);
        ConnectionViewController* list = tab.openConnections();
        QVERIFY(list != nullptr);
        FileDialog::setNextFileName(path);
        USER_CLICK(list->importButton());
        QCOMPARE(closeSheet(), text);
        QVERIFY(Alert::requests().back().detailedText.startsWith(detail));
        QCOMPARE(rowNames(list).size(), rows);
    }
};

TESSMARK_QTEST(ConnectionListTest)
#include "ConnectionListTest.moc"
