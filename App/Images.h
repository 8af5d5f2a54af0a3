#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// The interface's images, drawn by us as SVG in Resources/images/<name>.svg and loaded by name.
// Each is rendered at the device pixel ratio, so it stays sharp on any screen, and cached by name,
// size and ratio (a tinted one also by its colour). GUI thread only.
class Images {
public:
    Images() = delete;

    // The drawing at `size` in device-independent pixels (its own size when empty), rendered for
    // `ratio` (the application's device pixel ratio when 0). An unknown name gives a null pixmap
    // and one line on standard error.
    static QPixmap named(const QString& name, QSize size = {}, qreal ratio = 0);
    // The same, recoloured with imageTintedWithColor.
    static QPixmap tinted(const QString& name, const QColor& tint, QSize size = {}, qreal ratio = 0);
    // The drawing's own size, or an empty size for an unknown name.
    static QSize defaultSize(const QString& name);
    // Every name there is a drawing for.
    static QStringList allNames();
};
