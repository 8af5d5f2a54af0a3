#include "App/controls/Styling.h"

#include "App/controls/Colors.h"

#include <QPainter>
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
                          "text-align: %2; padding: 0px 6px; }"
                          "QPushButton:disabled { color: #B0B0B0; }")
        .arg(Colors::colorWithHexCode(Colors::accent).name(), alignment);
}

QString darkBarButtonStyle(const QString& rules) {
    return QStringLiteral("QToolButton { border: 2px solid transparent; border-radius: 6px; "
                          "background: transparent; %1 }")
        .arg(rules);
}

QIcon darkBarIcon(const QPixmap& image) {
    QIcon icon(image);
    if (image.isNull()) {
        return icon;
    }
    QPixmap faded(image.size());
    faded.setDevicePixelRatio(image.devicePixelRatio());
    faded.fill(Qt::transparent);
    QPainter painter(&faded);
    painter.setOpacity(0.35);
    painter.drawPixmap(0, 0, image);
    painter.end();
    icon.addPixmap(faded, QIcon::Disabled);
    return icon;
}

} // namespace Styling
