#include "Screens/directory/ContactNumberViewController.h"

#include "App/Alert.h"
#include "App/CallTexts.h"
#include "App/Images.h"
#include "App/controls/Colors.h"
#include "App/controls/Styling.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/SpeedDialManager.h"
#include "Screens/directory/DirectoryLook.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int slotCount = 9;

} // namespace

ContactNumberViewController::ContactNumberViewController(QObject* parent)
    : ViewController(QStringLiteral("ContactNumberView"), parent) {}

QWidget* ContactNumberViewController::buildView() {
    auto* row = new QWidget;
    row->setFixedHeight(rowHeight);
    row->resize(380, rowHeight);

    m_numberField = new QLineEdit(row);
    m_numberField->setObjectName(QStringLiteral("numberField"));
    m_numberField->setPlaceholderText(QStringLiteral("Number"));
    m_numberField->setFont(DirectoryLook::font(14));
    m_deleteButton = DirectoryLook::imageButton(row, QStringLiteral("deleteButton"),
                                                QStringLiteral("Delete number"), QSize(22, 22));
    m_deleteButton->setIcon(QIcon(Images::named(QStringLiteral("btn_delete"), QSize(22, 22))));

    m_typeButton = new QComboBox(row);
    m_typeButton->setObjectName(QStringLiteral("typeButton"));
    for (int type = 0; type < typeCount; ++type) {
        m_typeButton->addItem(phoneTypeToString(type), type);
    }
    m_speedDialButton = new QComboBox(row);
    m_speedDialButton->setObjectName(QStringLiteral("speedDialButton"));
    m_speedDialButton->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    m_speedDialButton->setMinimumContentsLength(14);

    m_defaultNumberButton = DirectoryLook::imageButton(row, QStringLiteral("defaultNumberButton"),
                                                       QStringLiteral("Default number"), QSize(22, 22));
    m_defaultNumberButton->setIcon(QIcon(Images::named(QStringLiteral("btn_uncheck"), QSize(22, 22))));

    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(14, 8, 10, 8);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(4);
    layout->addWidget(DirectoryLook::caption(QStringLiteral("Number"), row), 0, 0);
    layout->addWidget(m_numberField, 0, 1, 1, 2);
    layout->addWidget(m_deleteButton, 0, 3);
    layout->addWidget(DirectoryLook::caption(QStringLiteral("Type"), row), 1, 0);
    layout->addWidget(m_typeButton, 1, 1);
    layout->addWidget(DirectoryLook::caption(QStringLiteral("Speed Dial"), row), 2, 0);
    layout->addWidget(m_speedDialButton, 2, 1);
    auto* defaultLine = new QHBoxLayout;
    defaultLine->setSpacing(6);
    defaultLine->addWidget(m_defaultNumberButton);
    defaultLine->addWidget(DirectoryLook::caption(QStringLiteral("Default"), row));
    defaultLine->addStretch(1);
    layout->addLayout(defaultLine, 3, 1, 1, 2);
    layout->setColumnStretch(2, 1);

    QWidget::setTabOrder(m_numberField, m_deleteButton);
    QWidget::setTabOrder(m_deleteButton, m_typeButton);
    QWidget::setTabOrder(m_typeButton, m_speedDialButton);
    QWidget::setTabOrder(m_speedDialButton, m_defaultNumberButton);

    connect(m_deleteButton, &QPushButton::clicked, this, [this] { deleteButtonClicked(); });
    connect(m_defaultNumberButton, &QPushButton::clicked, this, [this] { defaultNumberButtonChanged(); });
    // activated: the user's choices only, also choosing the item already shown again.
    connect(m_speedDialButton, &QComboBox::activated, this, [this] { speedDialButtonChanged(); });
    return row;
}

void ContactNumberViewController::viewDidLoad() {
    Styling::fillBackground(view(), Colors::colorWithHexCode(DirectoryLook::numberRow));
    rebuildSpeedDialMenu();
}

void ContactNumberViewController::rebuildSpeedDialMenu() {
    m_speedDialButton->clear();
    m_speedDialButton->addItem(QStringLiteral("None"), -1);
    for (int slot = 1; slot <= slotCount; ++slot) {
        const ContactPtr owner = SpeedDialManager::contactBySpeedDial(slot);
        const QString title = owner != nullptr ? QStringLiteral("%1 - %2 %3")
                                                     .arg(slot)
                                                     .arg(QString::fromStdString(owner->firstName()),
                                                          QString::fromStdString(owner->lastName()))
                                               : QString::number(slot);
        m_speedDialButton->addItem(title, slot);
    }
}

QWidget* ContactNumberViewController::firstFocusWidget() const {
    return m_numberField;
}

QWidget* ContactNumberViewController::lastFocusWidget() const {
    return m_defaultNumberButton;
}

void ContactNumberViewController::setSpeedDial(int64_t slot) {
    view();
    m_speedDial = slot;
    m_oldSpeedDial = slot;
    // Items: "None" first, then the slots 1 to 9 in order. Slot 0 (a number made by the form)
    // and slots past 9 (an imported file) have no item and show "None".
    m_speedDialButton->setCurrentIndex(slot >= 1 && slot <= slotCount ? static_cast<int>(slot) : 0);
}

int64_t ContactNumberViewController::selectedSpeedDial() const {
    return m_speedDialButton->currentIndex() < 0 ? -1 : m_speedDialButton->currentData().toInt();
}

void ContactNumberViewController::setType(int64_t type) {
    view();
    m_typeButton->setCurrentIndex(type >= 0 && type < typeCount ? static_cast<int>(type) : -1);
}

int64_t ContactNumberViewController::selectedType() const {
    return m_typeButton->currentIndex() < 0 ? -1 : m_typeButton->currentData().toInt();
}

void ContactNumberViewController::setIsDefaultNumber(bool isDefault) {
    view();
    m_isDefaultNumber = isDefault;
    m_defaultNumberButton->setIcon(QIcon(Images::named(
        isDefault ? QStringLiteral("btn_check_2") : QStringLiteral("btn_uncheck"), QSize(22, 22))));
}

void ContactNumberViewController::deleteButtonClicked() {
    if (ContactNumberViewDelegate* target = m_delegate.get()) {
        target->deleteContactNumber(this);
    }
}

void ContactNumberViewController::defaultNumberButtonChanged() {
    if (m_isDefaultNumber) {
        return;
    }
    setIsDefaultNumber(true);
    if (ContactNumberViewDelegate* target = m_delegate.get()) {
        target->setContactNumberAsDefault(this);
    }
}

void ContactNumberViewController::speedDialButtonChanged() {
    const int64_t slot = selectedSpeedDial();
    if (slot == -1 || SpeedDialManager::contactBySpeedDial(slot) == nullptr) {
        return;
    }
    Alert::show(view(), QString(), QStringLiteral("Speed dial %1 already in use. Override?").arg(slot),
                {QStringLiteral("No"), QStringLiteral("Yes")}, [this, slot](int answer) {
                    if (answer == 1) {
                        takeOverSpeedDial(slot);
                    } else {
                        setSpeedDial(m_oldSpeedDial);
                    }
                });
}

// Frees the slot on its owner in the store at once; the row keeps it. A store that refuses
// leaves the slot with its owner, so the row goes back to its former slot.
void ContactNumberViewController::takeOverSpeedDial(int64_t slot) {
    const ContactPtr owner = SpeedDialManager::contactBySpeedDial(slot);
    if (owner != nullptr) {
        for (const ContactNumberPtr& number : owner->numbers()) {
            if (number != nullptr && number->speedDial() == slot) {
                number->setSpeedDial(-1);
                break;
            }
        }
        if (!ContactManager::updateContact(*owner)) {
            Alert::show(view(), QString(), QStringLiteral("Failed to save contact"), {QStringLiteral("OK")});
            setSpeedDial(m_oldSpeedDial);
            return;
        }
    }
    m_oldSpeedDial = slot;
}
