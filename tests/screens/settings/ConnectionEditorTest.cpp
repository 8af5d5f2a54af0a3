#include "App/Alert.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Screens/settings/ConnectionCellView.h"
#include "Screens/settings/ConnectionInfoViewController.h"
#include "Screens/settings/ConnectionViewController.h"
#include "Screens/settings/CustomButtonViewController.h"
#include "Screens/settings/EditConnectionViewController.h"
#include "Screens/settings/MuteViewController.h"
#include "Screens/settings/SettingsCellView.h"
#include "Screens/settings/SettingsViewController.h"
#include "Screens/settings/SettingsWidgets.h"
#include "Screens/settings/VolumeUpDownViewController.h"
#include "screens/settings/SettingsFixture.h"
#include "support/FakeSerialPortEnumerator.h"
#include "ui/support/QtTestMain.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace SettingsFixture;

namespace {

// On the round button itself: a radio takes clicks on its button and title only.
[[nodiscard]] bool clickRadio(QRadioButton* radio) {
    return UserInput::clickAt(radio, QPoint(8, radio->height() / 2));
}

// Fills a page of two modes opened in group mode: the group field there, the command fields
// after a click on the custom radio (typed only where a text is given), then back to group
// mode when asked. Texts in the mode not chosen stay in their fields.
[[nodiscard]] bool fillInMode(QRadioButton* groupRadio, QRadioButton* customRadio, QLineEdit* groupField,
                              const std::vector<QLineEdit*>& commandFields, const QStringList& texts,
                              bool group) {
    if (!texts[0].isEmpty() && !UserInput::replaceText(groupField, texts[0])) {
        return false;
    }
    if (!clickRadio(customRadio)) {
        return false;
    }
    for (size_t index = 0; index < commandFields.size(); ++index) {
        const QString& text = texts[int(index) + 1];
        if (!text.isEmpty() && !UserInput::replaceText(commandFields[index], text)) {
            return false;
        }
    }
    return !group || clickRadio(groupRadio);
}

// Back from a page of the editor, then the editor's Save.
[[nodiscard]] bool leaveAndSave(SettingsTab& tab) {
    return tab.clickBack() && tab.clickRight();
}

// Leaves the page on top by its back button and closes the warning it may show with a click
// on its button; gives the warning's text, empty when none showed.
QString leaveClosingWarning(SettingsTab& tab) {
    const QString warning = clickClosingSheet(tab.bar()->leftButton());
    tab.settle();
    return warning;
}

ConnectionSettingsPtr onlyStoredProfile() {
    const std::vector<ConnectionSettingsPtr> all = ConnectionSettingsManager::allConnectionSettings();
    if (all.size() != 1) {
        qFatal("expected one stored profile");
    }
    return all.front();
}

} // namespace

// The connection editor and its four pages.
class ConnectionEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init() { resetStore(); }

    // Save right away stores a new profile's defaults, posts once and leaves.
    void savingAFreshForm() {
        EditorWindow window(0);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        QCOMPARE(tab.bar()->barTitle()->text(), QStringLiteral("Add Connection"));
        QCOMPARE(tab.bar()->leftButton()->text(), QStringLiteral("Cancel"));
        QCOMPARE(tab.bar()->rightButton()->text(), QStringLiteral("Save"));
        QStringList menu;
        for (SettingsCellView* row : window.editor->menuViews()) {
            menu.append(row->settingsNameField()->text());
        }
        QCOMPARE(menu, (QStringList{QStringLiteral("Connection Info"), QStringLiteral("Volume Up/Down"),
                                    QStringLiteral("Mute"), QStringLiteral("Custom")}));
        window.ui.posts().clear();
        QVERIFY(tab.clickRight());
        QCOMPARE(window.ui.posts().screenPosts(), QStringList{QStringLiteral("connectionSettingsChanged")});
        QVERIFY(tab.top() != window.editor);
        const ConnectionSettingsPtr stored = onlyStoredProfile();
        QCOMPARE(stored->connectionType(), 1);
        QCOMPARE(stored->port(), uint64_t(23));
        QCOMPARE(stored->phoneType(), 1);
        QVERIFY(stored->isEPN() && stored->usesSpeakerGroup() && stored->usesMicrophoneGroup());
        QCOMPARE(stored->customKeys().size(), size_t(5));
        for (const CustomKeyPtr& key : stored->customKeys()) {
            QVERIFY(!key->enabled() && key->label().empty());
        }
        QVERIFY(stored->muteCommand()->ID() > 0 && stored->volumeUpCommand()->ID() > 0 &&
                stored->volumeDownCommand()->ID() > 0);
    }

    // A store that refuses the profile is said; the editor stays as typed, nothing is posted.
    // Once the store takes it again, one Save stores it once.
    void aFailedSaveKeepsTheEditor() {
        EditorWindow window(0);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        ConnectionInfoViewController* info = window.editor->connectionInfoViewController();
        QVERIFY(tab.open(window.editor, info));
        USER_REPLACE_TEXT(info->connectionNameField(), QStringLiteral("Kept"));
        QVERIFY(tab.clickBack());
        QVERIFY(runSql("PRAGMA query_only=1"));
        window.ui.posts().clear();
        QVERIFY(tab.clickRight());
        QVERIFY(runSql("PRAGMA query_only=0"));
        QCOMPARE(closeSheet(), QStringLiteral("Failed to save connection"));
        QCOMPARE(tab.top(), window.editor);
        QCOMPARE(window.ui.posts().screenPosts().size(), 0);
        QVERIFY(ConnectionSettingsManager::allConnectionSettings().empty());
        QVERIFY(tab.clickRight());
        QCOMPARE(onlyStoredProfile()->roomName(), std::string("Kept"));
    }

    // Both addressing texts survive a switch of the radio and are stored; the radio decides.
    // A Telnet profile always leaves the page with port 23.
    void connectionInfoWritesBackOnBack() {
        const ConnectionSettingsPtr stored = storeProfile("Room A", 2323);
        EditorWindow window(1);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        ConnectionInfoViewController* info = window.editor->connectionInfoViewController();
        QVERIFY(tab.open(window.editor, info));
        QCOMPARE(info->connectionNameField()->text(), QStringLiteral("Room A"));
        QVERIFY(info->telcoVoIPEPNField()->isEnabled() && !info->labelField()->isEnabled());
        QVERIFY(info->serialPortButton()->isHidden() && !info->telnetIPAddressField()->isHidden());
        USER_REPLACE_TEXT(info->telcoVoIPEPNField(), QStringLiteral("101"));
        QVERIFY(clickRadio(info->labelButton()));
        QVERIFY(!info->telcoVoIPEPNField()->isEnabled() && info->labelField()->isEnabled());
        QVERIFY(!info->telcoVoIPEPNButton()->isChecked());
        USER_REPLACE_TEXT(info->labelField(), QStringLiteral("LBL"));
        USER_REPLACE_TEXT(info->connectionNameField(), QStringLiteral("Room 'A'"));
        QCOMPARE(tabOrder(info->view()), readingOrder(tabOrder(info->view())));
        QVERIFY(leaveAndSave(tab));
        const ConnectionSettingsPtr saved = onlyStoredProfile();
        QCOMPARE(saved->telcoVoIPEPN(), std::string("101"));
        QCOMPARE(saved->label(), std::string("LBL"));
        QVERIFY(!saved->isEPN());
        QCOMPARE(saved->port(), uint64_t(23));
        QCOMPARE(saved->roomName(), std::string("Room 'A'"));
    }

    // The pop-up lists the ports present by name; a stored port that is not plugged in keeps
    // an item of its own and its path, where a fresh serial profile takes the first port.
    void serialPortPopUp_data() {
        QTest::addColumn<QString>("storedPath");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("keptPath");
        QTest::newRow("present") << text("/dev/ttyUSB1") << text("USB1") << text("/dev/ttyUSB1");
        QTest::newRow("absent") << text("/dev/ttyACM9") << text("/dev/ttyACM9 (not present)")
                                << text("/dev/ttyACM9");
        QTest::newRow("none stored") << text("") << text("USB0") << text("/dev/ttyUSB0");
    }
    void serialPortPopUp() {
        QFETCH(QString, storedPath);
        QFETCH(QString, shown);
        QFETCH(QString, keptPath);
        FakeSerialPortEnumerator ports({Platform::SerialDevice::named("USB0", "/dev/ttyUSB0", ""),
                                        Platform::SerialDevice::named("USB1", "/dev/ttyUSB1", "")});
        const ConnectionSettingsPtr profile = storeProfile("Serial Room");
        profile->setConnectionType(2);
        profile->setSerialPath(storedPath.toStdString());
        ConnectionSettingsManager::updateConnectionSettings(*profile);
        EditorWindow window(1);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        ConnectionInfoViewController* info = window.editor->connectionInfoViewController();
        QVERIFY(tab.open(window.editor, info));
        QVERIFY(!info->serialPortButton()->isHidden() && info->telnetUsernameField()->isHidden());
        QCOMPARE(info->serialPortButton()->currentText(), shown);
        QCOMPARE(info->serialPortButton()->itemText(0), QStringLiteral("USB0"));
        QVERIFY(leaveAndSave(tab));
        QCOMPARE(QString::fromStdString(onlyStoredProfile()->serialPath()), keptPath);
    }

    // Auto-connect set on one profile clears it on every other.
    void autoConnectStaysWithOneProfile() {
        storeProfile("A", 23, true);
        storeProfile("B");
        EditorWindow window(2);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        ConnectionInfoViewController* info = window.editor->connectionInfoViewController();
        QVERIFY(tab.open(window.editor, info));
        USER_CLICK(info->autoConnectSwitch());
        QVERIFY(leaveAndSave(tab));
        QStringList flagged;
        for (const ConnectionSettingsPtr& profile : ConnectionSettingsManager::allConnectionSettings()) {
            if (profile->isAutoConnect()) {
                flagged.append(QString::fromStdString(profile->roomName()));
            }
        }
        QCOMPARE(flagged, QStringList{QStringLiteral("B")});
    }

    // Cancel stores nothing, and the list shows the stored values again.
    void cancelDropsWhatThePagesWrote() {
        storeProfile("Room A");
        EditorWindow window(1);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        ConnectionInfoViewController* info = window.editor->connectionInfoViewController();
        QVERIFY(tab.open(window.editor, info));
        USER_REPLACE_TEXT(info->connectionNameField(), QStringLiteral("Renamed"));
        QVERIFY(tab.clickBack());
        QVERIFY(tab.clickBack());
        QCOMPARE(onlyStoredProfile()->roomName(), std::string("Room A"));
        ConnectionViewController* list = tab.list()->connectionViewController();
        QCOMPARE(list->connectionViews()[1]->nameField()->text(), QStringLiteral("Room A"));
    }

    // A key's switch greys its fields and keeps their texts; everything is written back. The
    // last key lies below the fold: the page scrolls to it.
    void customKeys() {
        EditorWindow window(0);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        CustomButtonViewController* page = window.editor->customButtonViewController();
        QVERIFY(tab.open(window.editor, page));
        QCOMPARE(page->scrollView()->verticalScrollBar()->value(), 0);
        QCOMPARE(tabOrder(page->view()), readingOrder(tabOrder(page->view())));
        for (size_t index = 0; index < 5; ++index) {
            QCOMPARE(page->key(index).enabledSwitch->state(), KTSwitch::Off);
            QVERIFY(!page->key(index).labelField->isEnabled() &&
                    page->key(index).labelField->text().isEmpty());
        }
        const CustomButtonViewController::KeyControls& last = page->key(4);
        USER_SCROLL_TO(last.enabledSwitch);
        USER_CLICK(last.enabledSwitch);
        QVERIFY(last.pressField->isEnabled());
        USER_SCROLL_TO(last.labelField);
        USER_REPLACE_TEXT(last.labelField, QStringLiteral("Lights"));
        USER_SCROLL_TO(last.pressField);
        USER_REPLACE_TEXT(last.pressField, QStringLiteral("EP LIGHTS 1"));
        USER_SCROLL_TO(last.enabledSwitch);
        USER_CLICK(last.enabledSwitch);
        QVERIFY(!last.pressField->isEnabled());
        QCOMPARE(last.pressField->text(), QStringLiteral("EP LIGHTS 1"));
        QVERIFY(leaveAndSave(tab));
        const ConnectionSettingsPtr profile = onlyStoredProfile();
        const CustomKey& stored = *profile->customKeys()[4];
        QVERIFY(!stored.enabled());
        QCOMPARE(stored.label(), std::string("Lights"));
        QCOMPARE(stored.pressCommand(), std::string("EP LIGHTS 1"));
    }

    // A profile stored with two keys shows the other three off, empty and locked, and leaving
    // the page adds none.
    void fewerThanFiveKeys() {
        const ConnectionSettingsPtr profile = storeProfile("Two Keys");
        profile->customKeys()[0]->setLabel("One");
        profile->customKeys()[0]->setEnabled(true);
        ConnectionSettingsManager::updateConnectionSettings(*profile);
        QVERIFY(runSql("delete from CustomKey where id in (" +
                       std::to_string(profile->customKeys()[2]->ID()) + "," +
                       std::to_string(profile->customKeys()[3]->ID()) + "," +
                       std::to_string(profile->customKeys()[4]->ID()) + ")"));
        EditorWindow window(1);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        EditConnectionViewController* editor = window.editor;
        QCOMPARE(editor->connection()->customKeys().size(), size_t(2));
        CustomButtonViewController* page = editor->customButtonViewController();
        QVERIFY(tab.open(editor, page));
        QCOMPARE(page->key(0).labelField->text(), QStringLiteral("One"));
        QVERIFY(page->key(0).labelField->isEnabled());
        for (size_t index = 2; index < 5; ++index) {
            QVERIFY(!page->key(index).enabledSwitch->isEnabled());
            QCOMPARE(page->key(index).enabledSwitch->state(), KTSwitch::Off);
            QVERIFY(!page->key(index).releaseField->isEnabled());
        }
        QVERIFY(tab.clickBack());
        QCOMPARE(editor->connection()->customKeys().size(), size_t(2));
        QVERIFY(tab.clickRight());
        QCOMPARE(onlyStoredProfile()->customKeys().size(), size_t(2));
    }

    // The mute page warns, without holding back, when its mode lacks a field; blanks count.
    void muteWarnings_data() {
        QTest::addColumn<bool>("group");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("warning");
        QTest::newRow("group without a name")
            << true << texts({"", "P", "Q", "A", "I"})
            << text("To enable Microphone, Use Microphone Group must be filled.");
        QTest::newRow("group with a name") << true << texts({"Mics", "", "", "", ""}) << text("");
        QTest::newRow("custom, press only")
            << false << texts({"", "P", "", "", ""})
            << text("To enable Microphone, all of the following fields must be filled:\n* Query Command\n"
                    "* Active Status\n* Inactive Status");
        QTest::newRow("custom, no press or active")
            << false << texts({"", "", "Q", "", "I"})
            << text("To enable Microphone, all of the following fields must be filled:\n* Press Command\n"
                    "* Active Status");
        QTest::newRow("custom, a blank press") << false << texts({"", " ", "Q", "A", "I"}) << text("");
    }
    void muteWarnings() {
        QFETCH(bool, group);
        QFETCH(QStringList, fields);
        QFETCH(QString, warning);
        EditorWindow window(0);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        EditConnectionViewController* editor = window.editor;
        MuteViewController* page = editor->muteViewController();
        QVERIFY(tab.open(editor, page));
        QVERIFY(page->useMicrophoneGroupButton()->isChecked() && page->microphoneGroupField()->isEnabled());
        QVERIFY(fillInMode(page->useMicrophoneGroupButton(), page->useCustomMuteCommandsButton(),
                           page->microphoneGroupField(),
                           {page->mutePressField(), page->muteQueryField(), page->activeStatusField(),
                            page->inactiveStatusField()},
                           fields, group));
        QCOMPARE(page->microphoneGroupField()->isEnabled(), group);
        QCOMPARE(page->mutePressField()->isEnabled(), !group);
        QCOMPARE(leaveClosingWarning(tab), warning);
        QCOMPARE(tab.top(), editor);
        QCOMPARE(editor->connection()->usesMicrophoneGroup(), group);
        QCOMPARE(QString::fromStdString(editor->connection()->muteCommand()->pressCommand()), fields[1]);
    }

    // The volume page: the value range first, then at least one way to step.
    void volumeWarnings_data() {
        QTest::addColumn<bool>("group");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("warning");
        const QString range =
            text("To enable Volume Slider, Slider Max Value and Slider Min Value must be filled.");
        QTest::newRow("group without a name")
            << true << texts({"", "", "", "", "", "", "", "", ""})
            << text("To enable Volume Slider, Use Speaker Group must be filled.");
        QTest::newRow("range and one step")
            << false << texts({"", "", "", "", "DN0", "", "", "MAX", "MIN"}) << text("");
        QTest::newRow("no minimum") << false << texts({"", "UP1", "", "", "", "", "", "MAX", ""}) << range;
        QTest::newRow("no minimum, no step")
            << false << texts({"", "", "", "", "", "NOTE", "QUERY", "MAX", ""}) << range;
        QTest::newRow("range, no step")
            << false << texts({"", "", "", "", "", "", "", "MAX", "MIN"})
            << text(
                   "To enable Volume Slider, one of the following fields must be filled:\n* Volume Up Press "
                   "Command\n"
                   "* Volume Up Release Command\n* Volume Down Press Command\n* Volume Down Release Command");
    }
    void volumeWarnings() {
        QFETCH(bool, group);
        QFETCH(QStringList, fields);
        QFETCH(QString, warning);
        EditorWindow window(0);
        QVERIFY(window.editor != nullptr);
        SettingsTab& tab = window.tab;
        EditConnectionViewController* editor = window.editor;
        VolumeUpDownViewController* page = editor->volumeUpDownViewController();
        QVERIFY(tab.open(editor, page));
        QVERIFY(fillInMode(
            page->useSpeakerGroupButton(), page->useCustomCommandsButton(), page->speakerGroupField(),
            {page->volumeUpPressField(), page->volumeUpReleaseField(), page->volumeDownPressField(),
             page->volumeDownReleaseField(), page->sliderNotificationField(), page->sliderQueryField(),
             page->sliderMaxValueField(), page->sliderMinValueField()},
            fields, group));
        QCOMPARE(tabOrder(page->view()), readingOrder(tabOrder(page->view())));
        QCOMPARE(leaveClosingWarning(tab), warning);
        QCOMPARE(tab.top(), editor);
        QCOMPARE(QString::fromStdString(editor->connection()->maxVolumeValueCommand()), fields[7]);
        QCOMPARE(QString::fromStdString(editor->connection()->volumeDownCommand()->pressCommand()),
                 fields[3]);
    }
};

TESSMARK_QTEST(ConnectionEditorTest)
#include "ConnectionEditorTest.moc"
