#include "ui/support/PaintRecording.h"

#include <QApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QTextItem>
#include <QWidget>

#include <climits>
#include <cmath>

namespace {

// Which widget is painting: paint events reach the filter just before the widget paints.
class PaintingWidget final : public QObject {
public:
    QPointer<QWidget> current;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            current = static_cast<QWidget*>(watched);
        }
        return false;
    }
};

class RecordingEngine final : public QPaintEngine {
public:
    explicit RecordingEngine(const PaintingWidget& painting)
        : QPaintEngine(QPaintEngine::AllFeatures), m_painting(painting) {}

    PaintRecording::Recording recording;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override {
        note(whole(target, pixmap.size(), source), {}, false);
    }
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override {
        note(whole(target, image.size(), source), {}, false);
    }
    void drawTiledPixmap(const QRectF& target, const QPixmap&, const QPointF&) override {
        note(target, {}, false);
    }

    void drawTextItem(const QPointF& origin, const QTextItem& item) override {
        const QString text = item.text();
        if (text.trimmed().isEmpty()) {
            return;
        }
        note(QRectF(origin.x(), origin.y() - item.ascent(), item.width(), item.ascent() + item.descent()),
             text, true);
    }

private:
    // Where the whole image would go when only a part of it (the source) is drawn at the target:
    // styles draw just the part of an image that fits its widget.
    static QRectF whole(const QRectF& target, QSize size, const QRectF& source) {
        if (source.width() <= 0 || source.height() <= 0) {
            return target;
        }
        const qreal scaleX = target.width() / source.width();
        const qreal scaleY = target.height() / source.height();
        return {target.x() - source.x() * scaleX, target.y() - source.y() * scaleY, size.width() * scaleX,
                size.height() * scaleY};
    }

    // Records what was drawn at the rectangle (painter coordinates) and how much of it shows.
    void note(const QRectF& rect, const QString& text, bool isText) {
        if (painter() == nullptr) {
            return;
        }
        const QTransform toDevice = painter()->deviceTransform();
        const QRectF shown = toDevice.mapRect(rect);
        QRegion clip = systemClip();
        if (painter()->hasClipping()) {
            const QRegion painterClip = toDevice.map(painter()->clipRegion());
            clip = clip.isEmpty() ? painterClip : clip.intersected(painterClip);
        }
        const QRectF visible =
            clip.isEmpty()
                ? QRectF()
                : QRectF(clip.intersected(shown.toAlignedRect()).boundingRect()).intersected(shown);
        PaintRecording::Drawn drawn{m_painting.current.data(), text, shown, visible};
        (isText ? recording.texts : recording.images).push_back(std::move(drawn));
    }

    const PaintingWidget& m_painting;
};

// A device of the widget's size and pixel ratio that keeps no pixels.
class RecordingDevice final : public QPaintDevice {
public:
    RecordingDevice(const QWidget& widget, const PaintingWidget& painting)
        : m_size(widget.size()), m_ratio(widget.devicePixelRatioF()), m_dpiX(widget.logicalDpiX()),
          m_dpiY(widget.logicalDpiY()), m_engine(painting) {
        m_engine.recording.ratio = m_ratio;
    }
    ~RecordingDevice() override = default;

    QPaintEngine* paintEngine() const override { return &m_engine; }
    RecordingEngine& engine() { return m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return static_cast<int>(std::ceil(m_size.width() * m_ratio));
        case PdmHeight:
            return static_cast<int>(std::ceil(m_size.height() * m_ratio));
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return static_cast<int>(m_ratio);
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(m_ratio * devicePixelRatioFScale());
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return m_dpiX;
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return m_dpiY;
        case PdmWidthMM:
            return static_cast<int>(m_size.width() * 25.4 / m_dpiX);
        case PdmHeightMM:
            return static_cast<int>(m_size.height() * 25.4 / m_dpiY);
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    QSize m_size;
    qreal m_ratio;
    int m_dpiX;
    int m_dpiY;
    mutable RecordingEngine m_engine;
};

} // namespace

PaintRecording::Recording PaintRecording::record(QWidget* widget) {
    if (widget == nullptr) {
        return {};
    }
    PaintingWidget painting;
    qApp->installEventFilter(&painting);
    RecordingDevice device(*widget, painting);
    widget->render(&device);
    qApp->removeEventFilter(&painting);
    return std::move(device.engine().recording);
}
