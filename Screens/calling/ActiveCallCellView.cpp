#include "Screens/calling/ActiveCallCellView.h"

#include "App/CallTexts.h"
#include "App/Images.h"
#include "App/controls/Colors.h"
#include "App/controls/ElidingLabel.h"
#include "Logic/common/Codes.h"
#include "Screens/calling/CallingLook.h"
#include "Screens/calling/PartyContactTexts.h"
#include "Screens/calling/PartyStateGroups.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace {

constexpr int textLeft = 56;
constexpr int columnGap = 8;
constexpr int rightMargin = 10;
constexpr int timeHeight = 16;
constexpr QSize stateImageSize(32, 32);
constexpr uint32_t secondaryText = 0x6B6B6B;

// The width a label's whole text needs, with a pixel of room either side.
int wholeTextWidth(const QLabel* label) {
    return label->fontMetrics().horizontalAdvance(label->text()) + 2;
}

// An icon and a time text, right-aligned.
QWidget* makeTimeGroup(QWidget* parent, const QString& name, const QString& icon, QLabel* field) {
    auto* group = new QWidget(parent);
    group->setObjectName(name);
    auto* image = new QLabel(group);
    image->setPixmap(Images::named(icon));
    auto* layout = new QHBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addStretch(1);
    layout->addWidget(image);
    field->setParent(group);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for three-digit hours, so the text never waits for a relayout to show whole.
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("000:00:00")) + 2);
    layout->addWidget(field);
    return group;
}

} // namespace

ActiveCallCellView::ActiveCallCellView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ActiveCallCellView"));
    // The list under the row takes its clicks and selects it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Inside the list the row would take the list's base colour; it paints its own.
    setBackgroundRole(QPalette::Window);
    resize(420, rowHeight);

    m_stateImage = new QLabel(this);
    m_stateImage->setObjectName(QStringLiteral("stateImage"));
    m_stateImage->setGeometry(12, (rowHeight - stateImageSize.height()) / 2, stateImageSize.width(),
                              stateImageSize.height());
    m_stateImage->setAlignment(Qt::AlignCenter);

    // Names and companies shorten at their end; a SIP address in its middle, so its host shows.
    m_contactNameField =
        CallingLook::makeElidingField(this, QStringLiteral("contactNameField"), 14, true, 0x000000);
    m_companyField =
        CallingLook::makeElidingField(this, QStringLiteral("companyField"), 11, false, secondaryText);
    m_phoneNumberField = CallingLook::makeElidingField(this, QStringLiteral("phoneNumberField"), 12, false,
                                                       0x000000, Qt::ElideMiddle);
    m_phoneTypeField =
        CallingLook::makeElidingField(this, QStringLiteral("phoneTypeField"), 11, false, secondaryText);
    m_stateNameField =
        CallingLook::makeTextField(this, QStringLiteral("stateNameField"), 11, true, Colors::accent);
    m_stateNameField->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_callTimeField = CallingLook::makeTextField(this, QStringLiteral("callTimeField"), 12, false, 0x000000);
    m_holdTimeField = CallingLook::makeTextField(this, QStringLiteral("holdTimeField"), 12, false, 0x000000);
    m_callTimeView = makeTimeGroup(this, QStringLiteral("callTimeView"), QStringLiteral("icon_active_time"),
                                   m_callTimeField);
    m_holdTimeView = makeTimeGroup(this, QStringLiteral("holdTimeView"), QStringLiteral("icon_hold_time"),
                                   m_holdTimeField);
    // A fresh row shows its active time until its state says otherwise.
    m_holdTimeView->hide();

    CallingLook::setLayerColour(this, Colors::functionButton);
    layoutSubviews();
}

void ActiveCallCellView::setLineParty(LinePartyPtr party) {
    m_lineParty = std::move(party);
    if (m_lineParty == nullptr) {
        return;
    }
    const PartyContactTexts texts = PartyContactTexts::of(*m_lineParty);
    m_phoneNumberField->setText(texts.number);
    m_contactNameField->setText(texts.name);
    m_companyField->setText(texts.company);
    if (texts.typeName.has_value()) {
        m_phoneTypeField->setText(*texts.typeName);
    }
    updateActiveTime();
    updateHoldTime();
    updateState();
}

void ActiveCallCellView::setSelected(bool selected) {
    m_selected = selected;
    CallingLook::setLayerColour(this, selected ? Colors::disabled : Colors::functionButton);
}

void ActiveCallCellView::updateActiveTime() {
    CallingLook::queueTimeText(m_callTimeField, m_lineParty, &LineParty::activeDuration);
}

void ActiveCallCellView::updateHoldTime() {
    CallingLook::queueTimeText(m_holdTimeField, m_lineParty, &LineParty::holdDuration);
}

void ActiveCallCellView::updateState() {
    if (m_lineParty == nullptr) {
        return;
    }
    const int64_t state = m_lineParty->state();
    m_stateNameField->setText(linePartyStateToString(state));
    if (state == StateId::RINGING) {
        setStateImage(QStringLiteral("btn_active_call"));
        m_callTimeView->hide();
        m_holdTimeView->hide();
        setTopCallTimeViewConstraint(activeTimeAloneTop);
    } else if (PartyStateGroups::isActive(state)) {
        setStateImage(QStringLiteral("btn_active_call"));
        m_callTimeView->show();
        m_holdTimeView->hide();
        setTopCallTimeViewConstraint(activeTimeAloneTop);
    } else if (PartyStateGroups::isHold(state)) {
        setStateImage(QStringLiteral("btn_hold"));
        m_holdTimeView->show();
        setTopCallTimeViewConstraint(activeTimeAboveHoldTop);
    } else if (state == StateId::INCOMING) {
        setStateImage(QStringLiteral("btn_new_call"));
        m_callTimeView->hide();
        m_holdTimeView->hide();
    } else {
        setStateImage(QStringLiteral("btn_active_call"));
        m_holdTimeView->hide();
        setTopCallTimeViewConstraint(activeTimeAloneTop);
    }
    // Once for the new state name and time place: the state name is never shortened, the name
    // beside it gives way instead.
    layoutSubviews();
}

void ActiveCallCellView::setStateImage(const QString& name) {
    m_stateImageName = name;
    m_stateImage->setPixmap(Images::named(name, stateImageSize));
}

void ActiveCallCellView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutSubviews();
}

// The state name takes the width its text needs at the top right; the name line gets what is
// left of it. The company and number lines end where the time column begins.
void ActiveCallCellView::layoutSubviews() {
    const int right = width() - rightMargin;
    const int stateWidth = wholeTextWidth(m_stateNameField);
    m_stateNameField->setGeometry(right - stateWidth, 6, stateWidth, 16);
    const int timeWidth = m_callTimeView->sizeHint().width();
    m_callTimeView->setGeometry(right - timeWidth, m_topCallTimeViewConstraint, timeWidth, timeHeight);
    m_holdTimeView->setGeometry(right - timeWidth, height() - 6 - timeHeight, timeWidth, timeHeight);

    m_contactNameField->setGeometry(textLeft, 5, std::max(0, right - stateWidth - columnGap - textLeft), 18);
    const int linesRight = right - timeWidth - columnGap;
    m_companyField->setGeometry(textLeft, 24, std::max(0, linesRight - textLeft), 15);
    // The type follows the number; a long number shortens so that the type still shows.
    const int typeWidth = m_phoneTypeField->text().isEmpty() ? 0 : wholeTextWidth(m_phoneTypeField);
    const int numberRoom = std::max(0, linesRight - textLeft - (typeWidth > 0 ? typeWidth + columnGap : 0));
    const int numberWidth = std::min(numberRoom, wholeTextWidth(m_phoneNumberField));
    m_phoneNumberField->setGeometry(textLeft, 40, numberWidth, 18);
    m_phoneTypeField->setGeometry(textLeft + numberWidth + (numberWidth > 0 ? columnGap : 0), 40,
                                  std::max(0, std::min(typeWidth, linesRight - textLeft - numberWidth)), 18);
}
