#include "Screens/directory/EditCallLogViewController.h"

#include "App/OverlayHost.h"
#include "App/controls/Colors.h"
#include "App/controls/DimmedView.h"
#include "App/controls/ElidingLabel.h"
#include "App/controls/Styling.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/directory/DirectoryLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int panelWidth = 300;
constexpr int panelHeight = 150;

QPushButton* dialogButton(const QString& title, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(title, parent);
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    button->setMinimumWidth(96);
    return button;
}

} // namespace

EditCallLogViewController::EditCallLogViewController(QObject* parent)
    : ViewController(QStringLiteral("EditCallLogView"), parent) {}

QWidget* EditCallLogViewController::buildView() {
    // The dimmed area keeps every click from the call log behind it.
    auto* dim = new DimmedView;
    dim->resize(420, 580);
    m_dialogView = new QWidget(dim);
    m_dialogView->setObjectName(QStringLiteral("dialogView"));
    m_dialogView->setFixedSize(panelWidth, panelHeight);
    dim->setPanel(m_dialogView);

    // A name longer than the panel shows shortened with "…".
    m_nameField = new ElidingLabel(m_dialogView);
    m_nameField->setObjectName(QStringLiteral("nameField"));
    m_nameField->setAlignment(Qt::AlignCenter);
    m_nameField->setFont(DirectoryLook::font(16, true));
    m_numberField = new QLineEdit(m_dialogView);
    m_numberField->setObjectName(QStringLiteral("numberField"));
    m_numberField->setAlignment(Qt::AlignCenter);
    m_numberField->setFont(DirectoryLook::font(15));
    m_cancelButton = dialogButton(QStringLiteral("Cancel"), QStringLiteral("cancelButton"), m_dialogView);
    m_dialButton = dialogButton(QStringLiteral("Dial"), QStringLiteral("dialButton"), m_dialogView);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_dialButton);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(m_dialogView);
    layout->setContentsMargins(20, 18, 20, 18);
    layout->setSpacing(12);
    layout->addWidget(m_nameField);
    layout->addWidget(m_numberField);
    layout->addStretch(1);
    layout->addLayout(buttons);

    QWidget::setTabOrder(m_numberField, m_cancelButton);
    QWidget::setTabOrder(m_cancelButton, m_dialButton);
    connect(m_dialButton, &QPushButton::clicked, this, [this] { dialButtonClicked(); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { cancelButtonClicked(); });
    return dim;
}

void EditCallLogViewController::viewDidLoad() {
    Styling::fillBackground(m_dialogView, Colors::colorWithHexCode(DirectoryLook::dialogPanel));
}

void EditCallLogViewController::viewWillAppearInWindow() {
    view();
    m_nameField->setText(m_callLog != nullptr ? QString::fromStdString(m_callLog->contactName()) : QString());
    m_numberField->setText(m_callLog != nullptr ? QString::fromStdString(m_callLog->callNumber())
                                                : QString());
    m_numberField->setFocus();
}

void EditCallLogViewController::dialButtonClicked() {
    TessmarkDialerCore::deviceCommunication().call(m_numberField->text().toStdString());
    close();
}

void EditCallLogViewController::cancelButtonClicked() {
    close();
}

void EditCallLogViewController::close() {
    OverlayHost::removeFromSuperview(view());
    // Closed from its own button's click: it goes once that has been handled.
    deleteLater();
}
