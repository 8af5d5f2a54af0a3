#include "Screens/calling/ElidedTitleButton.h"

#include <QEvent>
#include <QFontMetrics>

// The width comes from the layout, never from the title, so a long title cannot push its
// neighbours aside.
ElidedTitleButton::ElidedTitleButton(QWidget* parent) : QPushButton(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedTitleButton::setTitle(const QString& title) {
    m_title = title;
    setAccessibleName(title);
    showTitle();
}

void ElidedTitleButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    showTitle();
}

// A style sheet that changes the font changes what fits.
void ElidedTitleButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        showTitle();
    }
}

void ElidedTitleButton::showTitle() {
    const int room = qMax(0, width() - 8);
    QString shown = fontMetrics().elidedText(m_title, Qt::ElideMiddle, room);
    // QPushButton reads "&" as a shortcut marker; doubled, it shows as typed.
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QPushButton::setText(shown);
}
