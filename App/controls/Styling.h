#pragma once

#include <QColor>
#include <QString>

class QPushButton;
class QWidget;

// The look the bars and panels share.
namespace Styling {

// Fills the widget's background with one colour.
void fillBackground(QWidget* widget, const QColor& color);
// A flat, borderless button of a bar, named as its outlet.
QPushButton* makeBarButton(QWidget* parent, const QString& objectName);
// Bar button titles: the system font at 14 points in the accent colour, aligned "left",
// "right" or "center".
QString accentTitleStyle(const QString& alignment);

} // namespace Styling
