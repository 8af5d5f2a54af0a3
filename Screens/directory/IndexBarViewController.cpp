#include "Screens/directory/IndexBarViewController.h"

#include "App/controls/Colors.h"
#include "Screens/directory/ContactListOrdering.h"

#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

IndexBarViewController::IndexBarViewController(QObject* parent)
    : ViewController(QStringLiteral("IndexBarView"), parent) {}

QWidget* IndexBarViewController::buildView() {
    auto* bar = new QWidget;
    bar->resize(barWidth, 540);
    auto* layout = new QVBoxLayout(bar);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->setSpacing(0);
    for (int index = 0; index < buttonCount; ++index) {
        auto* key = new QPushButton(bar);
        key->setObjectName(QStringLiteral("button%1").arg(index + 1));
        key->setFlat(true);
        key->setCursor(Qt::PointingHandCursor);
        // The keys are a mouse shortcut for scrolling; the list itself takes the keyboard.
        key->setFocusPolicy(Qt::NoFocus);
        key->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        key->setFixedWidth(barWidth);
        key->setMinimumHeight(12);
        layout->addWidget(key);
        connect(key, &QPushButton::clicked, this, [this, key] { buttonClicked(key); });
        m_buttons[static_cast<size_t>(index)] = key;
    }
    // Until the owner sets the order the keys read as the nib had them: ascending.
    showLetters(false);
    return bar;
}

void IndexBarViewController::viewDidLoad() {
    const QString style =
        QStringLiteral("QPushButton { border: none; background: transparent; color: %1; font-size: 12px; "
                       "padding: 0px; text-align: center; }")
            .arg(Colors::colorWithHexCode(Colors::accent).name());
    for (QPushButton* key : m_buttons) {
        key->setStyleSheet(style);
    }
}

void IndexBarViewController::setReversed(bool reversed) {
    m_reversed = reversed;
    view();
    showLetters(reversed);
}

void IndexBarViewController::showLetters(bool reversed) {
    const QStringList& letters = sectionLetters(reversed);
    for (int index = 0; index < buttonCount; ++index) {
        m_buttons[static_cast<size_t>(index)]->setText(letters[index]);
    }
}

QPushButton* IndexBarViewController::button(int index) const {
    return index >= 0 && index < buttonCount ? m_buttons[static_cast<size_t>(index)] : nullptr;
}

void IndexBarViewController::buttonClicked(QPushButton* button) {
    if (IndexBarDelegate* target = delegate(); target != nullptr && button != nullptr) {
        target->indexButtonClicked(button->text());
    }
}
