#include "Screens/settings/CallForwardingViewController.h"

#include "App/Alert.h"
#include "App/Images.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/controls/KTSwitch.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/Line.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/settings/SettingsWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <any>
#include <array>

namespace {

// Three numberings meet here: the line reports 1 all calls, 2 on no answer, 3 on busy; the box
// is asked with 1 unconditional, 2 busy, 3 no reply. Each title ties its two numbers together,
// so neither is ever passed on as the other.
struct ForwardingType {
    const char* title;
    int64_t lineType;
    int64_t commandType;
};

constexpr std::array<ForwardingType, 3> forwardingTypes{{
    {"All Calls", 1, 1},
    {"Forward On No Answer", 2, 3},
    {"Forward On Busy", 3, 2},
}};

const ForwardingType* typeOfLine(int64_t lineType) {
    for (const ForwardingType& type : forwardingTypes) {
        if (type.lineType == lineType) {
            return &type;
        }
    }
    return nullptr;
}

const ForwardingType* typeTitled(const QString& title) {
    for (const ForwardingType& type : forwardingTypes) {
        if (title == QLatin1String(type.title)) {
            return &type;
        }
    }
    return nullptr;
}

} // namespace

CallForwardingViewController::CallForwardingViewController(QObject* parent)
    : ViewController(QStringLiteral("CallForwardingView"), parent) {}

QWidget* CallForwardingViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    QVBoxLayout* layout = SettingsWidgets::pageLayout(view);
    m_activateSwitch = SettingsWidgets::onOffSwitch(QStringLiteral("activateSwitch"));
    m_forwardCallsToField = SettingsWidgets::textField(QStringLiteral("forwardCallsToField"));
    m_openPhoneBookButton = new QPushButton;
    m_openPhoneBookButton->setObjectName(QStringLiteral("openPhoneBookButton"));
    m_openPhoneBookButton->setAccessibleName(QStringLiteral("Phone Book"));
    m_openPhoneBookButton->setFlat(true);
    m_openPhoneBookButton->setFixedSize(32, SettingsWidgets::fieldHeight);
    m_openPhoneBookButton->setIconSize(QSize(22, 22));
    m_openPhoneBookButton->setCursor(Qt::PointingHandCursor);
    m_forwardingTypeButton = SettingsWidgets::popUp(QStringLiteral("forwardingTypeButton"));
    for (const ForwardingType& type : forwardingTypes) {
        m_forwardingTypeButton->addItem(QLatin1String(type.title));
    }

    auto* destination = new QWidget;
    auto* destinationLayout = new QHBoxLayout(destination);
    destinationLayout->setContentsMargins(0, 0, 0, 0);
    destinationLayout->setSpacing(8);
    destinationLayout->addWidget(m_forwardCallsToField);
    destinationLayout->addWidget(m_openPhoneBookButton);

    layout->addWidget(SettingsWidgets::heading(QStringLiteral("VoIP Line")));
    QFormLayout* form = SettingsWidgets::addForm(layout);
    form->addRow(SettingsWidgets::caption(QStringLiteral("Forward Calls")), m_activateSwitch);
    form->addRow(SettingsWidgets::caption(QStringLiteral("Forward To")), destination);
    form->addRow(SettingsWidgets::caption(QStringLiteral("Forward When")), m_forwardingTypeButton);
    layout->addStretch(1);

    SettingsWidgets::setTabChain(
        {m_activateSwitch, m_forwardCallsToField, m_openPhoneBookButton, m_forwardingTypeButton});
    connect(m_activateSwitch, &KTSwitch::clicked, this,
            &CallForwardingViewController::forwardCallsSwitchClicked);
    connect(m_openPhoneBookButton, &QPushButton::clicked, this,
            &CallForwardingViewController::openPhoneBookButtonClicked);
    // Typing only remembers the text; the field's own action (Return, or leaving it) is the
    // change that makes leaving ask.
    connect(m_forwardCallsToField, &QLineEdit::textEdited, this,
            &CallForwardingViewController::controlTextDidChange);
    connect(m_forwardCallsToField, &QLineEdit::editingFinished, this,
            &CallForwardingViewController::forwardCallsToFieldChanegd);
    connect(m_forwardingTypeButton, &QComboBox::activated, this,
            &CallForwardingViewController::forwardingTypeButtonChanged);
    return view;
}

KTSwitch* CallForwardingViewController::activateSwitch() {
    view();
    return m_activateSwitch;
}

QLineEdit* CallForwardingViewController::forwardCallsToField() {
    view();
    return m_forwardCallsToField;
}

QPushButton* CallForwardingViewController::openPhoneBookButton() {
    view();
    return m_openPhoneBookButton;
}

QComboBox* CallForwardingViewController::forwardingTypeButton() {
    view();
    return m_forwardingTypeButton;
}

void CallForwardingViewController::viewDidLoad() {
    setTitle(QStringLiteral("Call Forwarding"));
    m_openPhoneBookButton->setIcon(
        QIcon(Images::tinted(QStringLiteral("btn_phonebook"), Qt::black, QSize(22, 22))));
    Observe("backToCallForwardingSettingsView", this,
            [this](const Platform::NotificationCenter::Notification& notification) {
                backToCallForwardingSettingsView(notification);
            });
}

// The line is asked once: each of its getters reads the live line again.
void CallForwardingViewController::viewWillAppear(bool) {
    if (KTNavigationController* stack = navigationController()) {
        KTNavigationBarController* bar = stack->navigationBar();
        SettingsWidgets::showBackButton(bar);
        bar->rightButton()->setIcon(QIcon());
        bar->rightButton()->setText(QStringLiteral("Update"));
        bar->rightButton()->show();
        bar->optionalButton()->hide();
        bar->viewDidLoad();
    }
    const LinePtr line = TessmarkDialerCore::deviceCommunication().line();
    const int64_t type = line->callForwardingType();
    const std::string number = line->callForwardingNumber();
    m_activateSwitch->setState(type != 0 ? KTSwitch::On : KTSwitch::Off);
    forwardCallsSwitchClicked();
    m_forwardCallsToField->setText(QString::fromStdString(number));
    if (const ForwardingType* shown = typeOfLine(type)) {
        m_forwardingTypeButton->setCurrentIndex(
            m_forwardingTypeButton->findText(QLatin1String(shown->title)));
    }
    m_changesSaved = true;
}

void CallForwardingViewController::forwardCallsSwitchClicked() {
    const bool on = m_activateSwitch->state() == KTSwitch::On;
    m_forwardCallsToField->setEnabled(on);
    m_openPhoneBookButton->setEnabled(on);
    m_forwardingTypeButton->setEnabled(on);
    m_forwardCallsToField->setText(m_forwardCallsTo);
    m_changesSaved = false;
}

// The screen gives the window to the phone book; the toolbar lays it back when a number is
// picked or the pick is cancelled.
void CallForwardingViewController::openPhoneBookButtonClicked() {
    if (navigationController() != nullptr) {
        OverlayHost::removeFromSuperview(navigationController()->view());
    }
    Post("openPhoneBookFromCallForwardingSettingsView");
    m_changesSaved = false;
}

void CallForwardingViewController::forwardCallsToFieldChanegd() {
    m_changesSaved = false;
}

void CallForwardingViewController::forwardingTypeButtonChanged() {
    m_changesSaved = false;
}

void CallForwardingViewController::controlTextDidChange() {
    m_forwardCallsTo = m_forwardCallsToField->text();
}

void CallForwardingViewController::backToCallForwardingSettingsView(
    const Platform::NotificationCenter::Notification& notification) {
    const auto found = notification.userInfo.find("selectedNumber");
    if (found == notification.userInfo.end()) {
        return;
    }
    if (const auto* number = std::any_cast<std::string>(&found->second)) {
        m_forwardCallsTo = QString::fromStdString(*number);
    } else if (const auto* qtNumber = std::any_cast<QString>(&found->second)) {
        m_forwardCallsTo = *qtNumber;
    }
}

void CallForwardingViewController::rightButtonOfNavigationBarClicked(QAbstractButton*) {
    m_changesSaved = true;
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    if (m_activateSwitch->state() != KTSwitch::On) {
        device.deactivateCallForwarding();
        return;
    }
    const QString number = m_forwardCallsToField->text();
    const ForwardingType* type = typeTitled(m_forwardingTypeButton->currentText());
    if (number.isEmpty() || type == nullptr) {
        return;
    }
    device.activateUpdateCallForwarding(true, type->commandType, number.toStdString());
}

void CallForwardingViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    if (m_changesSaved) {
        leave();
        return;
    }
    Alert::show(view(), QString(), QStringLiteral("Changes are not updated. Are you sure you want to leave?"),
                {QStringLiteral("No"), QStringLiteral("Yes")}, [this](int answer) {
                    if (answer == 1) {
                        leave();
                    }
                });
}

void CallForwardingViewController::leave() {
    if (m_standalone) {
        if (navigationController() != nullptr) {
            OverlayHost::removeFromSuperview(navigationController()->view());
        }
        return;
    }
    SettingsWidgets::popPage(this);
}
