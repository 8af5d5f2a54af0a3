#include "ui/support/TextFit.h"

#include "ui/support/UserInput.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QTextItem>
#include <QWidget>

#include <cmath>

namespace {

// Advances include the side bearings of the first and last letter; a run that overshoots its
// clip by less than this has lost no ink.
constexpr qreal toleratedOvershoot = 1.0;

// Fields the user types into scroll their text inside their frame by design.
bool scrollsItsText(const QWidget* widget) {
    for (const QWidget* at = widget; at != nullptr && !at->isWindow(); at = at->parentWidget()) {
        if (qobject_cast<const QLineEdit*>(at) != nullptr || qobject_cast<const QTextEdit*>(at) != nullptr ||
            qobject_cast<const QPlainTextEdit*>(at) != nullptr ||
            qobject_cast<const QAbstractSpinBox*>(at) != nullptr) {
            return true;
        }
    }
    return false;
}

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

    QStringList cut;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawTextItem(const QPointF& origin, const QTextItem& item) override {
        const QString text = item.text();
        if (text.trimmed().isEmpty() || painter() == nullptr) {
            return;
        }
        const QWidget* widget = m_painting.current.data();
        if (widget != nullptr && scrollsItsText(widget)) {
            return;
        }
        const QTransform toDevice = painter()->deviceTransform();
        const QRectF run(origin.x(), origin.y() - item.ascent(), item.width(),
                         item.ascent() + item.descent());
        const QRectF shown = toDevice.mapRect(run);
        QRegion clip = systemClip();
        if (painter()->hasClipping()) {
            const QRegion painterClip = toDevice.map(painter()->clipRegion());
            clip = clip.isEmpty() ? painterClip : clip.intersected(painterClip);
        }
        if (clip.isEmpty()) {
            return;
        }
        const QRectF visible =
            QRectF(clip.intersected(shown.toAlignedRect()).boundingRect()).intersected(shown);
        // Wholly clipped away is not shown at all; cut only at the top or bottom is a row
        // scrolled half out of its list.
        if (visible.isEmpty()) {
            return;
        }
        const qreal ratio = painter()->device()->devicePixelRatioF();
        const qreal lost = (shown.width() - visible.width()) / ratio;
        if (lost <= toleratedOvershoot) {
            return;
        }
        cut.append(QStringLiteral("%1 \"%2\" needs %3 px, shows %4 px")
                       .arg(UserInput::describe(widget), text)
                       .arg(std::ceil(shown.width() / ratio))
                       .arg(std::floor(visible.width() / ratio)));
    }

private:
    const PaintingWidget& m_painting;
};

// A device of the widget's size and pixel ratio that keeps no pixels.
class RecordingDevice final : public QPaintDevice {
public:
    RecordingDevice(const QWidget& widget, const PaintingWidget& painting)
        : m_size(widget.size()), m_ratio(widget.devicePixelRatioF()), m_dpiX(widget.logicalDpiX()),
          m_dpiY(widget.logicalDpiY()), m_engine(painting) {}
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

QStringList TextFit::cutTexts(QWidget* widget) {
    if (widget == nullptr) {
        return {};
    }
    PaintingWidget painting;
    qApp->installEventFilter(&painting);
    RecordingDevice device(*widget, painting);
    widget->render(&device);
    qApp->removeEventFilter(&painting);
    QStringList cut = device.engine().cut;
    cut.removeDuplicates();
    return cut;
}
