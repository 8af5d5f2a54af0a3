#include "Screens/calling/ActiveCallViewController.h"

#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/OverlayHost.h"
#include "App/controls/Colors.h"
#include "App/controls/FunctionButtonView.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/Line.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/calling/ActiveCallCellView.h"
#include "Screens/calling/ActiveCallFrame.h"
#include "Screens/calling/CallingLook.h"
#include "Screens/calling/CallingTimings.h"
#include "Screens/calling/CustomKeyButtons.h"
#include "Screens/calling/ElidedTitleButton.h"
#include "Screens/calling/PartyStateGroups.h"
#include "Screens/calling/SharedCallRouting.h"
#include "Screens/calling/WidgetRowsModel.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {

// RESUME stands out from the other function buttons.
constexpr uint32_t resumeColour = 0xF5785C;

// How one function button looks: enabled, title, image (empty: unchanged) and layer colour.
struct ButtonLook {
    bool enabled;
    const char* title;
    const char* image;
    uint32_t colour;
};

ButtonLook enabledLook(const char* title, const char* image = "") {
    return {true, title, image, Colors::functionButton};
}

ButtonLook disabledLook(const char* title, const char* image = "") {
    return {false, title, image, Colors::disabled};
}

void applyLook(QPushButton* button, FunctionButtonView* view, const ButtonLook& look) {
    CallingLook::setFunctionButtonState(button, look.enabled, look.colour);
    if (*look.title != '\0') {
        CallingLook::setFunctionButtonTitle(button, view, QLatin1String(look.title));
    }
    if (*look.image != '\0') {
        CallingLook::setFunctionButtonImage(view, QLatin1String(look.image));
    }
}

} // namespace

ActiveCallViewController::ActiveCallViewController(QObject* parent)
    : ViewController(QStringLiteral("ActiveCallView"), parent) {
    setTitle(QStringLiteral("Active Calls"));
}

QWidget* ActiveCallViewController::buildView() {
    auto* root = new QWidget;
    root->resize(420, 636);
    m_contentView = new QWidget(root);
    m_contentView->setObjectName(QStringLiteral("contentView"));
    m_tableView = new KTTableView(m_contentView);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    m_tableView->setFrameShape(QFrame::NoFrame);
    m_rows = new WidgetRowsModel(m_tableView);
    auto* contentLayout = new QVBoxLayout(m_contentView);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(m_tableView);

    const ActiveCallFrame::Bars bars = ActiveCallFrame::build(root, m_contentView, this);
    m_functionButtonsView = bars.functionButtonsView;
    m_customButtonsView = bars.customButtonsView;
    m_customKeys = bars.customKeys;
    m_holdButton = CallingLook::makeFunctionButton(m_functionButtonsView, QStringLiteral("holdButton"));
    m_transferButton =
        CallingLook::makeFunctionButton(m_functionButtonsView, QStringLiteral("transferButton"));
    m_conferenceButton =
        CallingLook::makeFunctionButton(m_functionButtonsView, QStringLiteral("conferenceButton"));
    m_endCallButton = CallingLook::makeFunctionButton(m_functionButtonsView, QStringLiteral("endCallButton"));
    m_makeCallButton =
        CallingLook::makeFunctionButton(m_functionButtonsView, QStringLiteral("makeCallButton"));
    m_keyPadButton = CallingLook::makeFunctionButton(m_functionButtonsView, QStringLiteral("keyPadButton"));
    for (QPushButton* button : {m_holdButton, m_transferButton, m_conferenceButton, m_endCallButton,
                                m_makeCallButton, m_keyPadButton}) {
        bars.functionButtonsLayout->addWidget(button, 1);
    }
    CallingLook::chainTabOrder({m_tableView, m_holdButton, m_transferButton, m_conferenceButton,
                                m_endCallButton, m_makeCallButton, m_keyPadButton, customButton(0),
                                customButton(1), customButton(2), customButton(3), customButton(4)});

    connect(m_holdButton, &QPushButton::clicked, this, &ActiveCallViewController::holdButtonClicked);
    connect(m_transferButton, &QPushButton::clicked, this, &ActiveCallViewController::transferButtonClicked);
    connect(m_conferenceButton, &QPushButton::clicked, this,
            &ActiveCallViewController::conferenceButtonClicked);
    connect(m_endCallButton, &QPushButton::clicked, this, &ActiveCallViewController::endCallButtonClicked);
    connect(m_makeCallButton, &QPushButton::clicked, this, &ActiveCallViewController::makeCallButtonClicked);
    connect(m_keyPadButton, &QPushButton::clicked, this, &ActiveCallViewController::keypadButtonClicked);
    return root;
}

void ActiveCallViewController::viewDidLoad() {
    CallingLook::setLayerColour(view(), 0xFFFFFF);
    ActiveCallFrame::setUpNavigationBar(navigationController(), this);
    CallingLook::setLayerColour(m_contentView, 0xFFFFFF);

    const std::array<std::pair<QPushButton*, FunctionButtonView**>, 6> buttons{{
        {m_holdButton, &m_holdButtonView},
        {m_transferButton, &m_transferButtonView},
        {m_conferenceButton, &m_conferenceButtonView},
        {m_endCallButton, &m_endCallButtonView},
        {m_makeCallButton, &m_makeCallButtonView},
        {m_keyPadButton, &m_keypadButtonView},
    }};
    const std::array<std::pair<const char*, const char*>, 6> faces{{
        {"btn_hold", "HOLD"},
        {"btn_transfer", "TRANSFER"},
        {"btn_conference", "CONFERENCE"},
        {"btn_end_call", "END CALL"},
        {"btn_new_call", "NEW CALL"},
        {"btn_keypad", "KEYPAD"},
    }};
    for (size_t index = 0; index < buttons.size(); ++index) {
        QPushButton* button = buttons[index].first;
        CallingLook::setFunctionButtonState(button, true, Colors::functionButton);
        FunctionButtonView* face = CallingLook::loadFunctionButtonViewWithImage(
            QLatin1String(faces[index].first), QLatin1String(faces[index].second));
        CallingLook::installFunctionButtonView(button, face);
        *buttons[index].second = face;
    }

    m_tableView->setExtendedDelegate(this);
    m_durationTimer.setInterval(CallingTimings::current().durationTickMilliseconds);
    connect(&m_durationTimer, &QTimer::timeout, this, &ActiveCallViewController::updateTime);
    m_durationTimer.start();
    m_transferTypePicker = new TransferTypePickerViewController(this);
    m_transferTypePicker->setDelegate(this);

    // Device events need no observer here: the delegate calls update() for each call record.
    observeProfileChanges(this, [this] { loadCustomButtons(); });
}

void ActiveCallViewController::viewWillAppearInWindow() {
    viewWillAppear(true);
}

void ActiveCallViewController::viewWillAppear(bool) {
    view();
    loadCustomButtons();
    update();
}

ElidedTitleButton* ActiveCallViewController::customButton(int tag) const {
    return m_customKeys->button(tag);
}

LinePartyPtr ActiveCallViewController::linePartyExists(const LineParty& party,
                                                       const std::vector<LinePartyPtr>& parties) {
    for (const LinePartyPtr& listed : parties) {
        if (listed != nullptr && listed->ID() == party.ID()) {
            return listed;
        }
    }
    return nullptr;
}

void ActiveCallViewController::update() {
    view();
    const std::vector<LinePartyPtr> previous = std::move(m_lineParties);
    m_lineParties.clear();
    m_cellViews.clear();
    std::vector<QWidget*> rows;
    const LinePtr line = TessmarkDialerCore::deviceCommunication().line();
    for (const LinePartyPtr& party : line->lineParties()) {
        if (party->status() != StateCategory::IN_CALL &&
            party->status() != StateCategory::COLLECTING_DIGITS) {
            continue;
        }
        // The times carry over by ID. Hold time starts again only when the party goes on hold,
        // not at every record that finds it still holding.
        if (const LinePartyPtr old = linePartyExists(*party, previous)) {
            party->setActiveDuration(old->activeDuration());
            party->setHoldDuration(old->holdDuration());
            if (PartyStateGroups::isHold(party->state()) && !PartyStateGroups::isHold(old->state())) {
                party->setHoldDuration(0);
            }
        } else if (PartyStateGroups::isHold(party->state())) {
            party->setHoldDuration(0);
        }
        m_lineParties.push_back(party);
        ActiveCallCellView* row = loadCellView();
        row->setLineParty(party);
        m_cellViews.push_back(row);
        rows.push_back(row);
    }
    m_tableView->setUpdatesEnabled(false);
    m_rows->setRows(rows);
    m_tableView->setUpdatesEnabled(true);
    // Selecting the last row also redraws the function buttons for it.
    if (!m_cellViews.empty()) {
        didClickedRow(m_tableView, static_cast<int>(m_cellViews.size()) - 1);
    }
}

void ActiveCallViewController::updateTime() {
    for (ActiveCallCellView* row : m_cellViews) {
        const LinePartyPtr& party = row->lineParty();
        if (PartyStateGroups::isActive(party->state())) {
            party->setActiveDuration(party->activeDuration() + 1);
            row->updateActiveTime();
        } else if (PartyStateGroups::isHold(party->state())) {
            party->setActiveDuration(party->activeDuration() + 1);
            party->setHoldDuration(party->holdDuration() + 1);
            row->updateActiveTime();
            row->updateHoldTime();
        }
    }
}

void ActiveCallViewController::updateFunctionButtons() {
    const LineParty* party = m_selectedLineParty.get();
    const auto shows = [party](bool (LineParty::*flag)() const) {
        return party != nullptr && (party->*flag)();
    };

    ButtonLook hold = disabledLook("HOLD", "btn_hold");
    if (shows(&LineParty::showsHold)) {
        hold = enabledLook("HOLD", "btn_hold");
    } else if (shows(&LineParty::showsResume)) {
        hold = {true, "RESUME", "btn_resume", resumeColour};
    } else if (shows(&LineParty::showsAnswer)) {
        hold = enabledLook("ANSWER", "btn_new_call");
    }
    applyLook(m_holdButton, m_holdButtonView, hold);

    ButtonLook endCall = disabledLook("END CALL");
    if (shows(&LineParty::showsEndCall)) {
        endCall = enabledLook("END CALL");
    } else if (shows(&LineParty::showsReject)) {
        endCall = enabledLook("REJECT");
    } else if (shows(&LineParty::showsCancelTransfer)) {
        endCall = enabledLook("CANCEL");
    }
    applyLook(m_endCallButton, m_endCallButtonView, endCall);

    ButtonLook transfer = disabledLook("TRANSFER");
    if (shows(&LineParty::showsTransfer)) {
        transfer = enabledLook("TRANSFER");
    } else if (shows(&LineParty::showsCompleteTransfer)) {
        transfer = enabledLook("COMPLETE");
    }
    applyLook(m_transferButton, m_transferButtonView, transfer);

    applyLook(m_makeCallButton, m_makeCallButtonView,
              shows(&LineParty::showsNewCall) ? enabledLook("") : disabledLook(""));
    const bool conference = TessmarkDialerCore::deviceCommunication().line()->showsConference();
    applyLook(m_conferenceButton, m_conferenceButtonView, conference ? enabledLook("") : disabledLook(""));
    applyLook(m_keyPadButton, m_keypadButtonView,
              shows(&LineParty::showsKeyPad) ? enabledLook("") : disabledLook(""));
}

void ActiveCallViewController::loadCustomButtons() {
    view();
    const ConnectionSettingsPtr profile =
        TessmarkDialerCore::deviceCommunication().currentConnectionSettings();
    const bool shown = m_customKeys->load(profile.get());
    m_customButtonsView->setVisible(shown);
    setBottomContentViewConstraint(shown ? customButtonsHeight : 0);
}

void ActiveCallViewController::setBottomContentViewConstraint(int constant) {
    m_bottomContentViewConstraint = constant;
}

ActiveCallCellView* ActiveCallViewController::loadCellView() {
    return new ActiveCallCellView;
}

void ActiveCallViewController::didClickedRow(KTTableView*, int row) {
    if (row < 0 || row >= static_cast<int>(m_lineParties.size())) {
        return;
    }
    m_selectedLineParty = m_lineParties[static_cast<size_t>(row)];
    for (ActiveCallCellView* cell : m_cellViews) {
        cell->setSelected(false);
    }
    m_cellViews[static_cast<size_t>(row)]->setSelected(true);
    updateFunctionButtons();
}

// Without a selected party (before the first record that lists one) the buttons act on no
// party at all.
void ActiveCallViewController::holdButtonClicked() {
    if (m_selectedLineParty == nullptr) {
        return;
    }
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    const int64_t id = m_selectedLineParty->ID();
    const QString title = m_holdButtonView->title();
    if (title == QLatin1String("ANSWER")) {
        device.answer(id);
    } else if (title == QLatin1String("HOLD")) {
        device.hold(id);
    } else if (title == QLatin1String("RESUME")) {
        device.resume(id);
    }
}

void ActiveCallViewController::transferButtonClicked() {
    if (m_selectedLineParty == nullptr) {
        return;
    }
    const QString title = m_transferButtonView->title();
    if (title == QLatin1String("TRANSFER")) {
        QWidget* stack = navigationController()->view();
        QWidget* picker = m_transferTypePicker->view();
        picker->setGeometry(stack->rect());
        OverlayHost::of(stack).addSubview(picker);
    } else if (title == QLatin1String("COMPLETE")) {
        TessmarkDialerCore::deviceCommunication().completeTransfer(m_selectedLineParty->ID());
    }
}

void ActiveCallViewController::assistedTransferSelected() {
    startTransfer(true);
}

void ActiveCallViewController::blindTransferSelected() {
    startTransfer(false);
}

void ActiveCallViewController::lineWentIdle() {
    if (m_transferTypePicker != nullptr && m_transferTypePicker->isViewLoaded()) {
        OverlayHost::removeFromSuperview(m_transferTypePicker->view());
    }
}

void ActiveCallViewController::cancelledSelectingTransferType() {
    OverlayHost::removeFromSuperview(m_transferTypePicker->view());
}

void ActiveCallViewController::startTransfer(bool assisted) {
    OverlayHost::removeFromSuperview(m_transferTypePicker->view());
    if (m_selectedLineParty == nullptr) {
        return;
    }
    sharedCallRouting().setCallState(CallRouting::Transfer);
    TessmarkDialerCore::deviceCommunication().transfer(assisted, m_selectedLineParty->ID());
    Post("newCallFromActiveCall");
}

void ActiveCallViewController::conferenceButtonClicked() {
    if (m_selectedLineParty == nullptr) {
        return;
    }
    TessmarkDialerCore::deviceCommunication().conference(m_selectedLineParty->ID());
}

void ActiveCallViewController::endCallButtonClicked() {
    if (m_selectedLineParty == nullptr) {
        return;
    }
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    const QString title = m_endCallButtonView->title();
    if (title == QLatin1String("END CALL")) {
        // A copy: ending a call may lead to a record and an update that rebuilds the list.
        const std::vector<LinePartyPtr> parties = m_lineParties;
        for (const LinePartyPtr& party : parties) {
            device.endCall(party->ID());
        }
    } else if (title == QLatin1String("REJECT")) {
        device.reject(m_selectedLineParty->ID());
    } else if (title == QLatin1String("CANCEL")) {
        device.cancelTransfer(m_selectedLineParty->ID());
    }
}

void ActiveCallViewController::makeCallButtonClicked() {
    if (m_selectedLineParty == nullptr) {
        return;
    }
    sharedCallRouting().setCallState(CallRouting::NewCall);
    TessmarkDialerCore::deviceCommunication().newCall(m_selectedLineParty->ID());
    Post("newCallFromActiveCall");
}

void ActiveCallViewController::keypadButtonClicked() {
    ActiveCallFrame::lendWindowToKeyPad(navigationController());
}

void ActiveCallViewController::customButtonClicked(int tag) {
    m_customKeys->customButtonClicked(tag);
}
