#include "Screens/directory/CallLogSortingViewController.h"

#include "App/OverlayHost.h"
#include "App/controls/Colors.h"
#include "App/controls/Styling.h"
#include "Screens/directory/DirectoryLook.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CallLogSortingViewController::CallLogSortingViewController(QObject* parent)
    : ViewController(QString(), parent) {}

int CallLogSortingViewController::methodForTag(int tag) {
    return tag >= 1 && tag <= 4 ? tag - 1 : 0;
}

QWidget* CallLogSortingViewController::buildView() {
    auto* panel = new QWidget;
    panel->resize(260, 110);
    m_sortingMethodButton = new QComboBox(panel);
    m_sortingMethodButton->setObjectName(QStringLiteral("sortingMethodButton"));
    const QString items[] = {QStringLiteral("All"), QStringLiteral("Missed Calls"),
                             QStringLiteral("Placed Calls"), QStringLiteral("Received Calls")};
    for (int index = 0; index < 4; ++index) {
        m_sortingMethodButton->addItem(items[index], index + 1);
    }
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), panel);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_doneButton = new QPushButton(QStringLiteral("Done"), panel);
    m_doneButton->setObjectName(QStringLiteral("doneButton"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_doneButton);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(m_sortingMethodButton);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_cancelButton, &QPushButton::clicked, this, [this] { cancelButtonClicked(); });
    connect(m_doneButton, &QPushButton::clicked, this, [this] { doneButtonClicked(); });
    return panel;
}

void CallLogSortingViewController::viewDidLoad() {
    Styling::fillBackground(view(), Colors::colorWithHexCode(DirectoryLook::dialogPanel));
}

void CallLogSortingViewController::cancelButtonClicked() {
    OverlayHost::removeFromSuperview(view());
}

void CallLogSortingViewController::doneButtonClicked() {
    const int tag =
        m_sortingMethodButton->currentIndex() < 0 ? 0 : m_sortingMethodButton->currentData().toInt();
    m_method = methodForTag(tag);
    OverlayHost::removeFromSuperview(view());
    if (CallLogSortingViewControllerDelegate* target = m_delegate.get()) {
        target->doneSelectingSortingMethod();
    }
}
