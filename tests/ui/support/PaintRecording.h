#pragma once

#include <QRectF>
#include <QString>

#include <vector>

class QWidget;

// What a widget paints, children included, recorded into a device that keeps no pixels: each
// text run and each image with the widget that painted it, the rectangle it was drawn at (the
// whole image's, also when only a part of it was drawn) and the part of that its clip let
// through, in device pixels.
namespace PaintRecording {

struct Drawn {
    const QWidget* widget = nullptr;
    // The text of a run; empty for an image.
    QString text;
    QRectF shown;
    // Empty when wholly clipped away.
    QRectF visible;
};

struct Recording {
    std::vector<Drawn> texts;
    std::vector<Drawn> images;
    // Device pixels per pixel of the widget.
    qreal ratio = 1.0;
};

// The widget and everything it paints stay alive while the recording is read.
Recording record(QWidget* widget);

} // namespace PaintRecording
