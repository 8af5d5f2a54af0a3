#include "Screens/calling/DialPadViewController.h"

#include "App/Images.h"
#include "App/controls/Colors.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/SpeedDialManager.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/calling/CallingLook.h"
#include "Screens/calling/CallingTimings.h"
#include "Screens/calling/KeyPadDigitValueFormatter.h"
#include "Screens/calling/SharedCallRouting.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int keyWidth = 100;
constexpr int keyHeight = 58;
constexpr int keyGap = 12;
constexpr int rowGap = 8;
constexpr int keysLeft = 48;
constexpr int keysTop = 84;
constexpr int bottomRowTop = keysTop + 4 * keyHeight + 3 * rowGap + 18;
constexpr int callButtonX = 178;
constexpr QSize flashSize(50, 50);

// Row by row as on a telephone; the tag of each key.
constexpr std::array<int, 12> keyOrder{
    1, 2, 3, 4, 5, 6, 7, 8, 9, DialPadViewController::asteriskTag, 0, DialPadViewController::sharpTag};

QString titleOfTag(int tag) {
    if (tag == DialPadViewController::asteriskTag) {
        return QStringLiteral("*");
    }
    if (tag == DialPadViewController::sharpTag) {
        return QStringLiteral("#");
    }
    return QString::number(tag);
}

// The tag of the pad's key for a typed key, or -1.
int tagOfKey(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return -1;
    }
    if (key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9) {
        return key.key() - Qt::Key_0;
    }
    if (key.key() == Qt::Key_Asterisk) {
        return DialPadViewController::asteriskTag;
    }
    if (key.key() == Qt::Key_NumberSign) {
        return DialPadViewController::sharpTag;
    }
    return -1;
}

QPushButton* makeImageButton(QWidget* parent, const QString& name, const QString& accessibleName,
                             const QString& image, QSize size) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setFlat(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setAccessibleName(accessibleName);
    button->setIcon(QIcon(Images::named(image)));
    button->setIconSize(Images::defaultSize(image));
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"
                                         "QPushButton:pressed { background: #DDDDDD; border-radius: 6px; }"));
    button->resize(size);
    return button;
}

} // namespace

DialPadViewController::DialPadViewController(QObject* parent)
    : CallEntryViewController(QStringLiteral("DialPadView"), parent) {}

// The keys keep fixed places on a panel (the flash key's x is part of the layout), and the
// panel sits in the middle of whatever room the dialer gives the pad.
QWidget* DialPadViewController::buildView() {
    auto* root = new QWidget;
    root->resize(420, bottomRowTop + 64 + 16);
    auto* pad = new QWidget(root);
    pad->setObjectName(QStringLiteral("keypadPanel"));
    pad->setFixedSize(420, bottomRowTop + 64 + 16);
    auto* rootLayout = new QVBoxLayout(root);
    rootLayout->setContentsMargins(0, 0, 0, 0);
    rootLayout->addStretch(1);
    rootLayout->addWidget(pad, 0, Qt::AlignHCenter);
    rootLayout->addStretch(1);

    m_numberField = new QLineEdit(pad);
    m_numberField->setObjectName(QStringLiteral("numberField"));
    m_numberField->setAccessibleName(QStringLiteral("Number"));
    m_numberField->setGeometry(keysLeft, 16, 3 * keyWidth + 2 * keyGap - 40, 48);
    m_numberField->setAlignment(Qt::AlignCenter);
    m_numberField->setFrame(false);
    QFont numberFont = m_numberField->font();
    numberFont.setPixelSize(26);
    m_numberField->setFont(numberFont);
    auto* underline = new QWidget(pad);
    underline->setGeometry(keysLeft, 66, 3 * keyWidth + 2 * keyGap, 1);
    CallingLook::setLayerColour(underline, Colors::separator);

    m_backspaceButton = makeImageButton(pad, QStringLiteral("backspaceButton"), QStringLiteral("Backspace"),
                                        QStringLiteral("btn_backspace"), QSize(40, 36));
    m_backspaceButton->move(keysLeft + 3 * keyWidth + 2 * keyGap - 40, 22);

    const QString keyStyle =
        QStringLiteral("QPushButton { background-color: %1; color: #222222; border: none; "
                       "border-radius: 8px; font-size: 24px; }"
                       "QPushButton:pressed { background-color: %2; }")
            .arg(Colors::colorWithHexCode(Colors::functionButton).name(),
                 Colors::colorWithHexCode(Colors::disabled).name());
    for (size_t position = 0; position < keyOrder.size(); ++position) {
        const int tag = keyOrder[position];
        auto* key = new QPushButton(titleOfTag(tag), pad);
        key->setObjectName(tag == asteriskTag ? QStringLiteral("buttonAsterisk")
                           : tag == sharpTag  ? QStringLiteral("buttonSharp")
                                              : QStringLiteral("button%1").arg(tag));
        key->setFocusPolicy(Qt::TabFocus);
        key->setStyleSheet(keyStyle);
        const int column = static_cast<int>(position % 3);
        const int row = static_cast<int>(position / 3);
        key->setGeometry(keysLeft + column * (keyWidth + keyGap), keysTop + row * (keyHeight + rowGap),
                         keyWidth, keyHeight);
        // A key acts on the way down and again on the way up.
        connect(key, &QPushButton::pressed, this, [this, tag] { digitButtonClicked(tag); });
        connect(key, &QPushButton::released, this, [this, tag] { digitButtonClicked(tag); });
        m_digitButtons[static_cast<size_t>(tag)] = key;
    }

    m_flashButton = makeImageButton(pad, QStringLiteral("flashButton"), QStringLiteral("Flash"),
                                    QStringLiteral("btn_flash"), flashSize);
    m_flashButton->move(flashBesideCallX, bottomRowTop + 7);
    QPushButton* call = makeCallButton(pad);
    call->move(callButtonX, bottomRowTop);

    connect(m_backspaceButton, &QPushButton::clicked, this, &DialPadViewController::backspaceButtonClicked);
    connect(m_flashButton, &QPushButton::clicked, this, &DialPadViewController::flashButtonClicked);

    // Tab walks the pad as it reads: the field, backspace, the keys row by row, flash, call.
    QWidget* previous = m_numberField;
    QWidget::setTabOrder(previous, m_backspaceButton);
    previous = m_backspaceButton;
    for (const int tag : keyOrder) {
        QWidget::setTabOrder(previous, m_digitButtons[static_cast<size_t>(tag)]);
        previous = m_digitButtons[static_cast<size_t>(tag)];
    }
    QWidget::setTabOrder(previous, m_flashButton);
    QWidget::setTabOrder(m_flashButton, call);
    return root;
}

void DialPadViewController::viewDidLoad() {
    CallingLook::setLayerColour(view(), 0xFFFFFF);
    m_formatter = new KeyPadDigitValueFormatter(this);
    m_numberField->setValidator(m_formatter);
    m_numberField->installEventFilter(this);
    m_digitButtonPressed.fill(false);
    setState(NormalState);
    observeModeNotifications();
    setMode(m_mode);
}

void DialPadViewController::viewWillAppearInWindow() {
    view();
    QMetaObject::invokeMethod(
        this,
        [this] {
            setNumberText(QString());
            m_numberField->setFocus();
            m_numberField->end(false);
        },
        Qt::QueuedConnection);
}

QPushButton* DialPadViewController::digitButton(int tag) const {
    if (tag < 0 || tag >= keyCount) {
        return nullptr;
    }
    return m_digitButtons[static_cast<size_t>(tag)];
}

void DialPadViewController::setMode(int64_t mode) {
    m_mode = mode;
    if (!isViewLoaded()) {
        return;
    }
    m_flashButton->setVisible(mode == 1);
    if (m_openedFromActiveCallView) {
        callButton()->hide();
        m_flashButton->move(flashAloneX, m_flashButton->y());
    } else {
        callButton()->show();
        m_flashButton->move(flashBesideCallX, m_flashButton->y());
    }
}

// A running call's keypad sends key events too: the answered incoming call leaves the pad in
// its normal state and the call state at 0, yet KEYPAD is offered for it.
bool DialPadViewController::dtmfApplies() const {
    return state() == OffHookState || sharedCallRouting().callState() != CallRouting::Normal ||
           m_openedFromActiveCallView;
}

void DialPadViewController::digitButtonClicked(int tag) {
    if (tag < 0 || tag >= keyCount) {
        return;
    }
    bool& pressed = m_digitButtonPressed[static_cast<size_t>(tag)];
    pressed = !pressed;
    const bool dtmf = dtmfApplies();
    const std::string title = titleOfTag(tag).toStdString();
    DeviceCommunicationObject& device = TessmarkDialerCore::deviceCommunication();
    if (pressed) {
        if (m_numberField->text().isEmpty()) {
            m_longPressedButtonTag = tag;
            QTimer::singleShot(CallingTimings::current().longPressMilliseconds, this,
                               [this] { digitButtonLongPressed(); });
        }
        if (dtmf) {
            device.keyDigitPressed(title);
        }
        return;
    }
    m_longPressedButtonTag = -1;
    if (dtmf) {
        device.keyDigitReleased(title);
    }
    setNumberText(m_numberField->text() + titleOfTag(tag));
    m_numberField->end(false);
}

// While digits go to the box, a typed digit is a press of its key on the way down and a
// release on the way up, exactly as a click; the key then puts the digit in the field itself.
bool DialPadViewController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_numberField ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)) {
        return CallEntryViewController::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const int tag = tagOfKey(key);
    if (tag < 0) {
        return false;
    }
    const bool down = event->type() == QEvent::KeyPress;
    const bool held = m_digitButtonPressed[static_cast<size_t>(tag)];
    // Plain typing, unless a press sent to the box still waits for its release.
    if (!dtmfApplies() && !held) {
        return false;
    }
    if (!key.isAutoRepeat() && down != held) {
        digitButtonClicked(tag);
    }
    return true;
}

// Only the digits 1 to 9 name speed-dial slots: "0", "*" and "#" never dial one, whatever a
// stored number's slot says.
void DialPadViewController::digitButtonLongPressed() {
    const int tag = m_longPressedButtonTag;
    if (tag < 1 || tag > 9) {
        return;
    }
    const ContactNumberPtr number = SpeedDialManager::contactNumberBySpeedDial(tag);
    if (number == nullptr || number->number().empty()) {
        return;
    }
    setNumberText(QString::fromStdString(number->number()));
    TessmarkDialerCore::deviceCommunication().call(number->number());
    setNumberText(QString());
}

void DialPadViewController::backspaceButtonClicked() {
    const QString text = m_numberField->text();
    if (!text.isEmpty()) {
        setNumberText(text.left(text.size() - 1));
    }
}

void DialPadViewController::callButtonClicked() {
    callOrEndDialTone(m_numberField->text());
}

void DialPadViewController::flashButtonClicked() {
    TessmarkDialerCore::deviceCommunication().hookFlash();
}

void DialPadViewController::updateCallButton() {
    CallEntryViewController::updateCallButton();
    if (state() == NormalState) {
        setNumberText(QString());
    }
}

void DialPadViewController::setNumberText(const QString& text) {
    m_formatter->setQuiet(true);
    m_numberField->setText(text);
    m_formatter->setQuiet(false);
}
