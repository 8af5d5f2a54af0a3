#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/OverlayHost.h"
#include "App/shell/AppDelegate.h"
#include "App/shell/TabBarController.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/Contact.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/ActiveCallViewController.h"
#include "Screens/calling/DialPadViewController.h"
#include "Screens/calling/DialerViewController.h"
#include "Screens/calling/NumberPickerViewController.h"
#include "Screens/calling/SIPURIViewController.h"
#include "Screens/calling/TelcoActiveCallViewController.h"
#include "ui/screenshots/Screenshots.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const std::string voipParty = "EP UA 1 NOTIFICATION STATE_CHANGE PL ";
const std::string telco = "EP TELCO_RX 1 NOTIFICATION ";

ContactPtr addContact(const std::string& first, const std::string& last, const std::string& company,
                      std::vector<ContactNumberPtr> numbers) {
    auto contact = std::make_shared<Contact>(first, "", last, company);
    contact->setNumbers(std::move(numbers));
    ContactManager::addContact(*contact);
    return contact;
}

// A phone book of three people, two of them on speed dials, and a stored VoIP or telephone-line
// profile with three custom keys, connected as the window starts.
UiHarness& callingWindow(Screenshots::SceneContext& scene, int64_t phoneType, const std::string& home) {
    UiHarness::resetStore();
    for (const ContactPtr& contact : ContactManager::allContacts()) {
        ContactManager::removeContact(*contact);
    }
    addContact("Ann", "Lee", "Northwind Traders",
               {std::make_shared<ContactNumber>("201", 2, 1, true),
                std::make_shared<ContactNumber>("+1 555 0100", -1, 2, false)});
    addContact("Ravi", "Patel", "Contoso", {std::make_shared<ContactNumber>("202", 5, 4, true)});
    addContact("Mia", "Okafor", "", {std::make_shared<ContactNumber>("5551234", -1, 0, true)});

    ConnectionSettings profile = *UiHarness::testProfile(phoneType);
    const char* labels[] = {"Lights", "Projector", "Blinds & Shades", "", ""};
    for (size_t index = 0; index < profile.customKeys().size(); ++index) {
        CustomKey& key = *profile.customKeys()[index];
        key.setLabel(labels[index]);
        key.setEnabled(index < 3);
        key.setPressCommand("PRESET " + std::to_string(index + 1));
    }
    return Screenshots::launchAutoConnected(scene, profile, home);
}

DialerViewController* dialer(UiHarness& ui) {
    return ui.delegate().tabBarController()->dialerViewController();
}

} // namespace

TESSMARK_SCREENSHOT_SCENE("calling_dialer_keypad") {
    UiHarness& ui = callingWindow(scene, PhoneType::VOIP, "Dialer/Keypad");
    ui.drain();
    Screenshots::userStep(
        UserInput::replaceText(dialer(ui)->dialpadController()->numberField(), QStringLiteral("+15550100")));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("calling_dialer_keypad_telco") {
    UiHarness& ui = callingWindow(scene, PhoneType::TELCO, "Dialer/Keypad");
    ui.drain();
    Screenshots::userStep(
        UserInput::replaceText(dialer(ui)->dialpadController()->numberField(), QStringLiteral("5551234")));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("calling_dialer_sip_uri") {
    UiHarness& ui = callingWindow(scene, PhoneType::VOIP, "Dialer/SIP URI");
    ui.drain();
    Screenshots::userStep(UserInput::replaceText(dialer(ui)->sipURIController()->sipURIField(),
                                                 QStringLiteral("ann.lee@pbx.northwind.example")));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("calling_dialer_speed_dial") {
    UiHarness& ui = callingWindow(scene, PhoneType::VOIP, "Dialer/Keypad");
    ui.drain();
    Screenshots::userStep(
        UserInput::click(dialer(ui)->navigationController()->navigationBar()->leftButton()));
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("calling_number_picker") {
    UiHarness& ui = callingWindow(scene, PhoneType::VOIP, "Phone Book");
    TabBarController* tabBar = ui.delegate().tabBarController();
    auto* picker = new NumberPickerViewController(tabBar);
    picker->setOwner(QStringLiteral("PhoneBook"));
    picker->setContact(ContactManager::contactByNumber("201"));
    picker->view()->setGeometry(tabBar->contentView()->rect());
    OverlayHost::of(tabBar->contentView()).addSubview(picker->view());
    picker->viewWillAppearInWindow();
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("calling_voip_two_parties") {
    UiHarness& ui = callingWindow(scene, PhoneType::VOIP, "Favorites");
    ui.feed(voipParty + "1;ACTIVE:201:0:0");
    ActiveCallViewController* screen = ui.delegate().activeCallController();
    screen->durationTimer().stop();
    for (int tick = 0; tick < 75; ++tick) {
        screen->updateTime();
    }
    ui.feed(voipParty + "1;HOLD:201:75:0");
    ui.feed(voipParty + "2;ACTIVE:202:0:0");
    for (int tick = 0; tick < 12; ++tick) {
        screen->updateTime();
    }
    ui.drain();
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("calling_voip_incoming") {
    UiHarness& ui = callingWindow(scene, PhoneType::VOIP, "Favorites");
    ui.feed(voipParty + "1;INCOMING:5551234@pbx.example");
    ui.drain();
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("calling_transfer_picker") {
    UiHarness& ui = callingWindow(scene, PhoneType::VOIP, "Favorites");
    ui.feed(voipParty + "1;ACTIVE:201:0:0");
    ui.delegate().activeCallController()->durationTimer().stop();
    Screenshots::userStep(UserInput::click(ui.delegate().activeCallController()->transferButton()));
    ui.drain();
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("calling_telco_incoming") {
    UiHarness& ui = callingWindow(scene, PhoneType::TELCO, "Favorites");
    ui.feed(telco + "RING 1");
    ui.feed(telco + "CALLER_ID 0102 1030 5551234 MIA OKAFOR");
    ui.drain();
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("calling_telco_active") {
    UiHarness& ui = callingWindow(scene, PhoneType::TELCO, "Favorites");
    ui.feed(telco + "RING 1");
    ui.feed(telco + "CALLER_ID 0102 1030 5551234 MIA OKAFOR");
    ui.feed(telco + "HOOK 1");
    TelcoActiveCallViewController* screen = ui.delegate().telcoActiveCallController();
    screen->durationTimer().stop();
    for (int tick = 0; tick < 83; ++tick) {
        screen->updateTime();
    }
    ui.drain();
    return ui.window();
}

// Long names and SIP addresses beside the longest state names: names shorten at their end,
// addresses in their middle, and a blind transfer's state reads apart from an assisted one's.
TESSMARK_SCREENSHOT_SCENE("calling_voip_long_texts") {
    UiHarness& ui = callingWindow(scene, PhoneType::VOIP, "Favorites");
    // The remote party as the box sends it: "Name" <SIP:address>.
    ui.feed(voipParty + "1;TRANSFERRING_RINGING:\"MARGARET WOOLRIDGE-HENDERSON OF ACCOUNTS PAYABLE\" "
                        "<SIP:margaret.woolridge-henderson@conference-bridge.northwind.example.com>");
    ui.feed(voipParty + "2;BLIND_TRANSFERRING_RINGING:\"BARTHOLOMEW FEATHERSTONEHAUGH\" "
                        "<SIP:4021.extension.reception@very-long-pbx-hostname.example.com>");
    ui.feed(voipParty + "3;BLIND_TRANSFERRING_INPROCESS:\"CONFERENCE ROOM ON THE SEVENTH FLOOR\" "
                        "<SIP:room-7@pbx.example>");
    ui.delegate().activeCallController()->durationTimer().stop();
    ui.drain();
    return ui.window();
}

TESSMARK_SCREENSHOT_SCENE("calling_telco_long_name") {
    UiHarness& ui = callingWindow(scene, PhoneType::TELCO, "Favorites");
    ui.feed(telco + "RING 1");
    ui.feed(telco + "CALLER_ID 0102 1030 0049301234567890123 MARGARET WOOLRIDGE-HENDERSON OF ACCOUNTS");
    ui.drain();
    return ui.window();
}
