#include "Screens/calling/TransferTypePickerViewController.h"

#include "App/controls/Colors.h"
#include "App/controls/DimmedView.h"
#include "Screens/calling/CallingLook.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr QSize panelSize(260, 156);

QPushButton* makeChoice(QWidget* parent, const QString& name, const QString& title) {
    auto* button = new QPushButton(title, parent);
    button->setObjectName(name);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setMinimumHeight(50);
    return button;
}

QWidget* makeSeparator(QWidget* parent) {
    auto* line = new QWidget(parent);
    line->setFixedHeight(1);
    CallingLook::setLayerColour(line, Colors::separator);
    return line;
}

} // namespace

TransferTypePickerViewController::TransferTypePickerViewController(QObject* parent)
    : ViewController(QStringLiteral("TransferTypePickerView"), parent) {}

QWidget* TransferTypePickerViewController::buildView() {
    auto* dim = new DimmedView;
    dim->resize(420, 600);
    m_transferTypeView = new QWidget(dim);
    m_transferTypeView->setObjectName(QStringLiteral("transferTypeView"));
    m_transferTypeView->setFixedSize(panelSize);
    m_assistedTransferButton = makeChoice(m_transferTypeView, QStringLiteral("assistedTransferButton"),
                                          QStringLiteral("Assisted Transfer"));
    m_blindTransferButton = makeChoice(m_transferTypeView, QStringLiteral("blindTransferButton"),
                                       QStringLiteral("Blind Transfer"));
    m_cancelButton = makeChoice(m_transferTypeView, QStringLiteral("cancelButton"), QStringLiteral("Cancel"));
    auto* layout = new QVBoxLayout(m_transferTypeView);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_assistedTransferButton);
    layout->addWidget(makeSeparator(m_transferTypeView));
    layout->addWidget(m_blindTransferButton);
    layout->addWidget(makeSeparator(m_transferTypeView));
    layout->addWidget(m_cancelButton);
    dim->setPanel(m_transferTypeView);

    connect(m_assistedTransferButton, &QPushButton::clicked, this,
            &TransferTypePickerViewController::assistedTransferButtonClicked);
    connect(m_blindTransferButton, &QPushButton::clicked, this,
            &TransferTypePickerViewController::blindTransferButtonClicked);
    connect(m_cancelButton, &QPushButton::clicked, this,
            &TransferTypePickerViewController::cancelButtonClicked);
    return dim;
}

// White panel; the choices in the accent colour at 15 points, Cancel in bold.
void TransferTypePickerViewController::viewDidLoad() {
    CallingLook::setLayerColour(m_transferTypeView, 0xFFFFFF);
    const QString style = QStringLiteral("QPushButton { border: none; background: transparent; color: %1; "
                                         "font-size: 15px; font-weight: %2; }");
    const QString accent = Colors::colorWithHexCode(Colors::accent).name();
    m_assistedTransferButton->setStyleSheet(style.arg(accent, QStringLiteral("normal")));
    m_blindTransferButton->setStyleSheet(style.arg(accent, QStringLiteral("normal")));
    m_cancelButton->setStyleSheet(style.arg(accent, QStringLiteral("bold")));
}

void TransferTypePickerViewController::assistedTransferButtonClicked() {
    if (TransferTypePickerDelegate* target = delegate()) {
        target->assistedTransferSelected();
    }
}

void TransferTypePickerViewController::blindTransferButtonClicked() {
    if (TransferTypePickerDelegate* target = delegate()) {
        target->blindTransferSelected();
    }
}

void TransferTypePickerViewController::cancelButtonClicked() {
    if (TransferTypePickerDelegate* target = delegate()) {
        target->cancelledSelectingTransferType();
    }
}
