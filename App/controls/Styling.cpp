#include "App/controls/Styling.h"

#include "App/controls/Colors.h"

#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace Styling {

void fillBackground(QWidget* widget, const QColor& color) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

QPushButton* makeBarButton(QWidget* parent, const QString& objectName) {
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QString accentTitleStyle(const QString& alignment) {
    return QStringLiteral("QPushButton { border: none; background: transparent; color: %1; font-size: 14px; "
                          "text-align: %2; padding: 0px 4px; }"
                          "QPushButton:disabled { color: #B0B0B0; }")
        .arg(Colors::colorWithHexCode(Colors::accent).name(), alignment);
}

} // namespace Styling
