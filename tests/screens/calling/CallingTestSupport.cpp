#include "screens/calling/CallingTestSupport.h"

#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/SpeedDialManager.h"
#include "Logic/call/CPPLine.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/CallingTimings.h"
#include "Screens/calling/DialerViewController.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QTest>
#include <QToolButton>

const std::string CallingWindow::party = "EP UA 1 NOTIFICATION STATE_CHANGE PL ";
const std::string CallingWindow::telco = "EP TELCO_RX 1 NOTIFICATION ";

CallingWindow::CallingWindow() {
    // An hour per tick and per long press: the tests call the timers' slots themselves.
    CallingTimings::current().durationTickMilliseconds = 3600 * 1000;
    CallingTimings::current().longPressMilliseconds = 3600 * 1000;
    UiHarness::resetStore();
    for (const ContactPtr& contact : ContactManager::allContacts()) {
        ContactManager::removeContact(*contact);
    }
    // Numbers whose contact is gone keep their slots otherwise.
    for (const int64_t slot : SpeedDialManager::assignedSpeedDials()) {
        if (const ContactNumberPtr number = SpeedDialManager::contactNumberBySpeedDial(slot)) {
            SpeedDialManager::resetSpeedDialForContactNumber(*number);
        }
    }
    // The line is the process's: an earlier test's calls must not greet this window.
    CPPLine::getInstance().reset(true);
    m_ui = std::make_unique<UiHarness>();
    m_ui->launch();
    // The Dialer tab in front, as a user placing calls has it.
    if (!UserInput::click(m_ui->delegate().tabBarController()->dialerButton())) {
        return;
    }
    settle();
    m_ui->posts().clear();
}

CallingWindow::~CallingWindow() {
    m_ui.reset();
    QCoreApplication::sendPostedEvents();
}

void CallingWindow::connect(int64_t phoneType) {
    connect(*UiHarness::testProfile(phoneType));
}

void CallingWindow::connect(const ConnectionSettings& profile) {
    m_ui->connectProfile(profile);
    settle();
    takeSent();
    takePosts();
}

ConnectionSettings CallingWindow::connectWithKeys(int64_t phoneType, int enabled) {
    ConnectionSettings profile = *UiHarness::testProfile(phoneType);
    for (size_t index = 0; index < profile.customKeys().size(); ++index) {
        CustomKey& key = *profile.customKeys()[index];
        const std::string number = std::to_string(index + 1);
        key.setLabel("Key " + number);
        key.setPressCommand("PRESS " + number);
        key.setReleaseCommand("RELEASE " + number);
        key.setEnabled(static_cast<int>(index) < enabled);
    }
    ConnectionSettingsManager::addConnectionSettings(profile);
    connect(profile);
    return profile;
}

void CallingWindow::feed(const std::string& line) {
    m_ui->feed(line);
    settle();
}

void CallingWindow::settle() {
    for (int round = 0; round < 3; ++round) {
        m_ui->drain();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QStringList CallingWindow::takeSent() {
    QStringList lines;
    for (const std::string& sent : m_ui->sentLines()) {
        QString line = QString::fromStdString(sent);
        for (const QString& prefix : {QStringLiteral("EP UA 1 "), QStringLiteral("EP TELCO_RX 1 ")}) {
            if (line.startsWith(prefix)) {
                line = line.mid(prefix.size());
                break;
            }
        }
        lines.append(line);
    }
    m_ui->clearSentLines();
    return lines;
}

QStringList CallingWindow::takePosts() {
    const QStringList posts = m_ui->posts().screenPosts();
    m_ui->posts().clear();
    return posts;
}

DialerViewController* CallingWindow::dialer() {
    return m_ui->delegate().tabBarController()->dialerViewController();
}

DialPadViewController* CallingWindow::pad() {
    return dialer()->dialpadController();
}

SIPURIViewController* CallingWindow::sip() {
    return dialer()->sipURIController();
}

ActiveCallViewController* CallingWindow::voip() {
    return m_ui->delegate().activeCallController();
}

TelcoActiveCallViewController* CallingWindow::telcoScreen() {
    return m_ui->delegate().telcoActiveCallController();
}

CallRouting& CallingWindow::routing() {
    return m_ui->delegate().callRouting();
}

ContactPtr storeContact(const std::string& first, const std::string& last, const std::string& company,
                        const std::vector<StoredNumber>& numbers) {
    auto contact = std::make_shared<Contact>(first, "", last, company);
    std::vector<ContactNumberPtr> stored;
    for (size_t index = 0; index < numbers.size(); ++index) {
        stored.push_back(std::make_shared<ContactNumber>(numbers[index].number, numbers[index].speedDial,
                                                         numbers[index].type, index == 0));
    }
    contact->setNumbers(std::move(stored));
    ContactManager::addContact(*contact);
    return contact;
}
