#include "App/controls/FocusFrames.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QStyle>
#include <QWidget>

namespace {

constexpr const char* markProperty = "keyboardFocus";

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
            if (watched->isWidgetType()) {
                mark(static_cast<QWidget*>(watched), false);
            }
            break;
        case QEvent::KeyPress:
            keyPressed(*static_cast<QKeyEvent*>(event));
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            mousePressed();
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
        if (reason == Qt::ShortcutFocusReason) {
            m_keyboard = true;
        } else if (reason == Qt::MouseFocusReason) {
            m_keyboard = false;
        }
        mark(widget, m_keyboard);
    }

    void mousePressed() {
        if (!m_keyboard) {
            return;
        }
        m_keyboard = false;
        if (QWidget* focused = QApplication::focusWidget()) {
            // Qt's own styles draw their frames by this flag, which Qt sets on Tab but never clears.
            focused->window()->setAttribute(Qt::WA_KeyboardFocusChange, false);
            mark(focused, false);
            focused->update();
        }
    }

    // Style sheets read a property only when the widget is polished again.
    static void mark(QWidget* widget, bool shown) {
        if (widget->property(markProperty).toBool() == shown) {
            return;
        }
        widget->setProperty(markProperty, shown);
        widget->style()->unpolish(widget);
        widget->style()->polish(widget);
        widget->update();
    }

    bool m_keyboard = false;
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

bool FocusFrames::shows(const QWidget* widget) {
    return widget->hasFocus() && widget->property(markProperty).toBool();
}

QString FocusFrames::selector(const QString& type) {
    return type + QStringLiteral("[%1=\"true\"]:focus").arg(QLatin1String(markProperty));
}
