#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
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
// The tool buttons of the dark bars: flat, with room along their border for the focus frame
// (FocusFrames), and `rules` added (title font and colours).
QString darkBarButtonStyle(const QString& rules = {});
// An icon of the image whose disabled form is the image faded into the bar behind it; the
// style's own disabled form of a light drawing on a dark bar looks the same or lighter.
QIcon darkBarIcon(const QPixmap& image);

} // namespace Styling
