#include "App/controls/FocusFrames.h"

#include "App/controls/Colors.h"

#include <QApplication>
#include <QChildEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace {

constexpr qreal frameWidth = 2.0;
constexpr qreal outerRadius = 6.0;

// The frame lies over the focused widget as its topmost child, so it draws after everything the
// widget holds (a list's rows, a button's picture) and follows its size.
class FrameView final : public QWidget {
public:
    FrameView() {
        setObjectName(QStringLiteral("focusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

    void layOver(QWidget* host) {
        if (host != m_host) {
            lift();
            m_host = host;
            setParent(host);
            host->installEventFilter(this);
        }
        setGeometry(host->rect());
        raise();
        show();
    }

    // Stays the hidden child of its last host, which deletes it if it goes first.
    void lift() {
        if (m_host != nullptr) {
            m_host->removeEventFilter(this);
        }
        m_host = nullptr;
        hide();
    }

    QWidget* host() const { return m_host; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_host) {
            if (event->type() == QEvent::Resize) {
                setGeometry(m_host->rect());
            } else if (event->type() == QEvent::ChildAdded &&
                       static_cast<QChildEvent*>(event)->child() != this) {
                raise();
            }
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Colors::colorWithHexCode(Colors::accent), frameWidth));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = frameWidth / 2;
        painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), outerRadius - inset,
                                outerRadius - inset);
    }

private:
    QPointer<QWidget> m_host;
};

class FocusFrameFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (watched->isWidgetType()) {
                focusArrived(static_cast<QWidget*>(watched), static_cast<QFocusEvent*>(event)->reason());
            }
            break;
        case QEvent::FocusOut:
            if (m_frame != nullptr && watched == m_frame->host()) {
                m_frame->lift();
            }
            break;
        case QEvent::KeyPress:
            keyPressed(*static_cast<QKeyEvent*>(event));
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_keyboard = false;
            if (m_frame != nullptr) {
                m_frame->lift();
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Qt also gives the Tab reason when it moves focus off a widget being hidden, so the Tab key
    // itself is what counts.
    void keyPressed(const QKeyEvent& key) {
        if ((key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) &&
            !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            m_keyboard = true;
        }
    }

    void focusArrived(QWidget* widget, Qt::FocusReason reason) {
        // Qt's styles draw focus frames of their own by this flag, which Qt sets on Tab.
        widget->window()->setAttribute(Qt::WA_KeyboardFocusChange, false);
        if (reason == Qt::ShortcutFocusReason) {
            m_keyboard = true;
        } else if (reason == Qt::MouseFocusReason) {
            m_keyboard = false;
        }
        if (!m_keyboard) {
            if (m_frame != nullptr) {
                m_frame->lift();
            }
            return;
        }
        if (m_frame == nullptr) {
            m_frame = new FrameView;
        }
        m_frame->layOver(widget);
    }

    bool m_keyboard = false;
    QPointer<FrameView> m_frame;
};

QPointer<FocusFrameFilter>& installed() {
    static QPointer<FocusFrameFilter> filter;
    return filter;
}

} // namespace

void FocusFrames::install() {
    if (installed() != nullptr || qApp == nullptr) {
        return;
    }
    installed() = new FocusFrameFilter(qApp);
    qApp->installEventFilter(installed());
}
