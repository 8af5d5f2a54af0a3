#include "Screens/calling/SIPURIViewController.h"

#include "App/controls/Colors.h"
#include "Screens/calling/CallingLook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SIPURIViewController::SIPURIViewController(QObject* parent)
    : CallEntryViewController(QStringLiteral("SIPURIView"), parent) {}

QWidget* SIPURIViewController::buildView() {
    auto* entry = new QWidget;
    entry->resize(420, 240);
    auto* caption = new QLabel(QStringLiteral("SIP URI"), entry);
    caption->setObjectName(QStringLiteral("sipURILabel"));
    caption->setGeometry(48, 24, 324, 18);
    caption->setStyleSheet(QStringLiteral("color: #6B6B6B; font-size: 12px;"));

    m_sipURIField = new QLineEdit(entry);
    m_sipURIField->setObjectName(QStringLiteral("sipURIField"));
    m_sipURIField->setAccessibleName(QStringLiteral("SIP URI"));
    m_sipURIField->setPlaceholderText(QStringLiteral("user@host"));
    m_sipURIField->setGeometry(48, 46, 324, 40);
    m_sipURIField->setFrame(false);
    QFont font = m_sipURIField->font();
    font.setPixelSize(18);
    m_sipURIField->setFont(font);
    caption->setBuddy(m_sipURIField);
    auto* underline = new QWidget(entry);
    underline->setGeometry(48, 87, 324, 1);
    CallingLook::setLayerColour(underline, Colors::separator);

    QPushButton* call = makeCallButton(entry);
    call->move(178, 120);
    QWidget::setTabOrder(m_sipURIField, call);
    return entry;
}

void SIPURIViewController::viewDidLoad() {
    CallingLook::setLayerColour(view(), 0xFFFFFF);
    observeModeNotifications();
}

void SIPURIViewController::viewWillAppearInWindow() {
    view();
    QMetaObject::invokeMethod(
        this, [this] { m_sipURIField->setFocus(); }, Qt::QueuedConnection);
}

void SIPURIViewController::callButtonClicked() {
    callOrEndDialTone(m_sipURIField->text());
}
