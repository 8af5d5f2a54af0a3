#include "ui/support/UserInput.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <utility>

namespace {

QString shownText(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(widget)) {
        return field->text().isEmpty() ? field->placeholderText() : field->text();
    }
    return widget->isWindow() ? widget->windowTitle() : QString();
}

bool isOrDescendsFrom(const QWidget* widget, const QWidget* ancestor) {
    for (const QWidget* at = widget; at != nullptr; at = at->parentWidget()) {
        if (at == ancestor) {
            return true;
        }
    }
    return false;
}

// A window stacked above the given one: its own sheets and pop-ups, and any pop-up.
bool isAbove(const QWidget* other, const QWidget* window) {
    if (other->windowType() == Qt::Popup && window->windowType() != Qt::Popup) {
        return true;
    }
    return other->parentWidget() != nullptr && isOrDescendsFrom(other->parentWidget(), window);
}

// The modal window that keeps events from the window, if one does.
const QWidget* modalBlocker(const QWidget* window) {
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == window || !other->isVisible() || other->windowModality() == Qt::NonModal ||
            isOrDescendsFrom(window, other)) {
            continue;
        }
        if (other->windowModality() == Qt::ApplicationModal ||
            (other->parentWidget() != nullptr && isOrDescendsFrom(other->parentWidget(), window))) {
            return other;
        }
    }
    return nullptr;
}

// The widget of another window that lies over the global point, if one does.
const QWidget* coveringWindowWidget(const QWidget* window, QPoint global) {
    for (QWidget* other : QApplication::topLevelWidgets()) {
        if (other == window || !other->isVisible() || other->windowType() == Qt::ToolTip ||
            !other->frameGeometry().contains(global) || !isAbove(other, window)) {
            continue;
        }
        QWidget* child = other->childAt(other->mapFromGlobal(global));
        return child != nullptr ? child : other;
    }
    return nullptr;
}

QString pointText(QPoint point) {
    return QStringLiteral("(%1, %2)").arg(point.x()).arg(point.y());
}

UserInput::RefusalLog*& newestLog() {
    static UserInput::RefusalLog* log = nullptr;
    return log;
}

bool refuse(const QString& message, const std::source_location& caller) {
    const QString where =
        QStringLiteral("%1:%2: ").arg(QString::fromUtf8(caller.file_name())).arg(caller.line());
    if (UserInput::RefusalLog* log = newestLog()) {
        log->keep(where + message);
        return false;
    }
    if (QTest::currentTestFunction() == nullptr) {
        std::fprintf(stderr, "%s\n", qPrintable(where + message));
        return false;
    }
    QTest::qFail(message.toUtf8().constData(), caller.file_name(), static_cast<int>(caller.line()));
    return false;
}

// A user's click lands in the window the window manager then activates; sheets and pop-ups
// keep their own activation rules.
void bringToFront(QWidget* window) {
    if (window->windowType() == Qt::Popup || window->isActiveWindow()) {
        return;
    }
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window, 1000);
}

// The window to send a pointer event at the point to, in front; null (refused) when a user
// could not point there.
QWindow* windowToPoint(QWidget* widget, QPoint local, const std::source_location& caller) {
    // Laid out as the user sees it: pending relayouts run before anyone could click.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QString why = UserInput::whyNotClickable(widget, local);
    if (!why.isEmpty()) {
        refuse(why, caller);
        return nullptr;
    }
    QWidget* window = widget->window();
    QWindow* handle = window->windowHandle();
    if (handle == nullptr || !QTest::qWaitForWindowExposed(handle, 2000)) {
        refuse(QStringLiteral("the window of %1 is not exposed").arg(UserInput::describe(widget)), caller);
        return nullptr;
    }
    bringToFront(window);
    return handle;
}

bool mouseAt(QWidget* widget, QPoint local, QTest::MouseAction action, Qt::MouseButton button,
             Qt::KeyboardModifiers modifiers, const std::source_location& caller) {
    QWindow* handle = windowToPoint(widget, local, caller);
    if (handle == nullptr) {
        return false;
    }
    const QPoint inWindow = handle->mapFromGlobal(widget->mapToGlobal(local));
    QTest::mouseEvent(action, handle, button, modifiers, inWindow);
    return true;
}

Qt::Key keyOf(QChar character) {
    if (character.unicode() < 0x80) {
        return QTest::asciiToKey(static_cast<char>(character.unicode()));
    }
    return static_cast<Qt::Key>(character.toUpper().unicode());
}

QWindow* focusedWindow(const std::source_location& caller) {
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr) {
        refuse(QStringLiteral("nothing has keyboard focus"), caller);
        return nullptr;
    }
    if (const QWidget* blocker = modalBlocker(focused->window())) {
        refuse(QStringLiteral("%1 has focus but is blocked by the modal %2")
                   .arg(UserInput::describe(focused), UserInput::describe(blocker)),
               caller);
        return nullptr;
    }
    return focused->window()->windowHandle();
}

} // namespace

UserInput::RefusalLog::RefusalLog() : m_outer(newestLog()) {
    newestLog() = this;
}

UserInput::RefusalLog::~RefusalLog() {
    newestLog() = m_outer;
}

QStringList UserInput::RefusalLog::take() {
    return std::exchange(m_refusals, {});
}

QString UserInput::describe(const QWidget* widget) {
    if (widget == nullptr) {
        return QStringLiteral("no widget");
    }
    QString text = QString::fromLatin1(widget->metaObject()->className());
    text += QStringLiteral(" \"%1\"").arg(widget->objectName());
    const QString shown = shownText(widget);
    if (!shown.isEmpty()) {
        text += QStringLiteral(" \"%1\"").arg(shown);
    }
    // A widget Qt made inside another (a scroll viewport) is named by its owner.
    if (widget->objectName().isEmpty() || widget->objectName().startsWith(QStringLiteral("qt_"))) {
        if (const QWidget* owner = widget->parentWidget()) {
            text += QStringLiteral(" of ") + describe(owner);
        }
    }
    return text;
}

QString UserInput::whyNotClickable(QWidget* widget, QPoint local) {
    if (widget == nullptr) {
        return QStringLiteral("click on a null widget");
    }
    const QString name = describe(widget);
    if (!widget->isVisible()) {
        return QStringLiteral("%1 is hidden").arg(name);
    }
    if (!widget->isEnabled()) {
        return QStringLiteral("%1 is disabled").arg(name);
    }
    QWidget* window = widget->window();
    // The point must lie inside the widget and every ancestor up to the window: a scroll
    // viewport or a smaller parent clips what lies outside it.
    for (QWidget* at = widget; at != nullptr; at = at->isWindow() ? nullptr : at->parentWidget()) {
        if (!at->rect().contains(widget->mapTo(at, local))) {
            const QString area = at == widget   ? QStringLiteral("the widget")
                                 : at == window ? QStringLiteral("its window")
                                                : describe(at);
            return QStringLiteral("%1: point %2 lies outside the visible area of %3")
                .arg(name, pointText(local), area);
        }
    }
    if (const QWidget* blocker = modalBlocker(window)) {
        return QStringLiteral("%1 is blocked by the modal %2").arg(name, describe(blocker));
    }
    const QPoint global = widget->mapToGlobal(local);
    if (const QWidget* over = coveringWindowWidget(window, global)) {
        return QStringLiteral("%1 is covered at %2 by %3 of another window")
            .arg(name, pointText(local), describe(over));
    }
    if (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr && popup != window) {
        return QStringLiteral("%1 lies behind the open pop-up %2").arg(name, describe(popup));
    }
    const QPoint inWindow = widget->mapTo(window, local);
    const QWidget* hit = window->childAt(inWindow);
    if (hit == nullptr) {
        hit = window;
    }
    if (!isOrDescendsFrom(hit, widget)) {
        return QStringLiteral("%1 is covered at %2 by %3").arg(name, pointText(local), describe(hit));
    }
    return {};
}

bool UserInput::click(QWidget* widget, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                      std::source_location caller) {
    const QPoint centre = widget != nullptr ? widget->rect().center() : QPoint();
    return mouseAt(widget, centre, QTest::MouseClick, button, modifiers, caller);
}

bool UserInput::doubleClick(QWidget* widget, std::source_location caller) {
    const QPoint centre = widget != nullptr ? widget->rect().center() : QPoint();
    return mouseAt(widget, centre, QTest::MouseDClick, Qt::LeftButton, {}, caller);
}

bool UserInput::clickAt(QWidget* widget, QPoint local, Qt::MouseButton button,
                        Qt::KeyboardModifiers modifiers, std::source_location caller) {
    return mouseAt(widget, local, QTest::MouseClick, button, modifiers, caller);
}

bool UserInput::doubleClickAt(QWidget* widget, QPoint local, std::source_location caller) {
    return mouseAt(widget, local, QTest::MouseDClick, Qt::LeftButton, {}, caller);
}

bool UserInput::mouseDown(QWidget* widget, std::source_location caller) {
    const QPoint centre = widget != nullptr ? widget->rect().center() : QPoint();
    return mouseAt(widget, centre, QTest::MousePress, Qt::LeftButton, {}, caller);
}

bool UserInput::mouseUp(QWidget* widget, std::source_location caller) {
    const QPoint centre = widget != nullptr ? widget->rect().center() : QPoint();
    return mouseAt(widget, centre, QTest::MouseRelease, Qt::LeftButton, {}, caller);
}

bool UserInput::choose(QComboBox* popUp, int index, std::source_location caller) {
    if (!click(popUp, Qt::LeftButton, {}, caller)) {
        return false;
    }
    QAbstractItemView* list = popUp->view();
    if (list == nullptr || !QTest::qWaitFor([list] { return list->isVisible(); }, 1000)) {
        return refuse(QStringLiteral("%1 opened no list").arg(describe(popUp)), caller);
    }
    const QModelIndex item = popUp->model()->index(index, popUp->modelColumn(), popUp->rootModelIndex());
    if (!scrollToItem(list, item, caller)) {
        return false;
    }
    return clickAt(list->viewport(), list->visualRect(item).center(), Qt::LeftButton, {}, caller);
}

bool UserInput::wheelAt(QWidget* widget, QPoint local, int notches, std::source_location caller) {
    QWindow* handle = windowToPoint(widget, local, caller);
    if (handle == nullptr) {
        return false;
    }
    const QPoint global = widget->mapToGlobal(local);
    // A notch is 120 eighths of a degree; turned towards the user (negative) it scrolls down.
    QWheelEvent turn(handle->mapFromGlobal(QPointF(global)), QPointF(global), QPoint(),
                     QPoint(0, -120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    // As the window system delivers it: only such a turn gives focus to a control that takes it
    // by the wheel, and goes on to the parents when the widget under it does not take it.
    // sendEvent would mark it as made by the program.
    QSpontaneKeyEvent::setSpontaneous(&turn);
    QCoreApplication::instance()->notify(handle, &turn);
    return true;
}

namespace {

// Turns the wheel over `over` a notch at a time, towards the rectangle, until shown() lies
// whole in the viewport; no further than the scroll bar goes.
bool wheelUntilShown(QWidget* over, QScrollBar* bar, const QWidget* viewport,
                     const std::function<QRect()>& shown, std::source_location caller) {
    for (int turns = 0; turns <= bar->maximum() - bar->minimum(); ++turns) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QRect rect = shown();
        if (rect.top() >= 0 && rect.bottom() < viewport->height()) {
            return true;
        }
        const int before = bar->value();
        if (!UserInput::wheelAt(over, over->rect().center(), rect.top() < 0 ? -1 : 1, caller) ||
            bar->value() == before) {
            return false;
        }
    }
    return false;
}

} // namespace

bool UserInput::scrollTo(QWidget* widget, std::source_location caller) {
    QAbstractScrollArea* area = nullptr;
    for (QWidget* at = widget != nullptr ? widget->parentWidget() : nullptr; at != nullptr && area == nullptr;
         at = at->parentWidget()) {
        area = qobject_cast<QAbstractScrollArea*>(at);
    }
    if (area == nullptr) {
        return refuse(QStringLiteral("%1 lies in no scroll area").arg(describe(widget)), caller);
    }
    QWidget* viewport = area->viewport();
    QScrollBar* bar = area->verticalScrollBar();
    // Over the scroll bar: the page's own controls may take the wheel for themselves.
    const auto shown = [widget, viewport] {
        return QRect(widget->mapTo(viewport, QPoint(0, 0)), widget->size());
    };
    if (wheelUntilShown(bar, bar, viewport, shown, caller)) {
        return true;
    }
    return refuse(
        QStringLiteral("the wheel over %1 does not bring %2 into view").arg(describe(area), describe(widget)),
        caller);
}

bool UserInput::scrollToItem(QAbstractItemView* view, const QModelIndex& item, std::source_location caller) {
    if (view == nullptr || !item.isValid()) {
        return refuse(QStringLiteral("no such row to scroll to"), caller);
    }
    const auto shown = [view, item] { return view->visualRect(item); };
    if (wheelUntilShown(view->viewport(), view->verticalScrollBar(), view->viewport(), shown, caller)) {
        return true;
    }
    return refuse(QStringLiteral("the wheel over %1 does not bring row %2 into view")
                      .arg(describe(view))
                      .arg(item.row()),
                  caller);
}

bool UserInput::replaceText(QWidget* field, const QString& text, std::source_location caller) {
    if (!click(field, Qt::LeftButton, {}, caller) || !press(Qt::Key_A, Qt::ControlModifier, caller)) {
        return false;
    }
    return text.isEmpty() ? press(Qt::Key_Backspace, {}, caller) : type(text, caller);
}

bool UserInput::type(const QString& text, std::source_location caller) {
    for (const QChar character : text) {
        QWindow* window = focusedWindow(caller);
        if (window == nullptr) {
            return false;
        }
        QTest::sendKeyEvent(QTest::Click, window, keyOf(character), QString(character), Qt::NoModifier);
    }
    return true;
}

bool UserInput::press(Qt::Key key, Qt::KeyboardModifiers modifiers, std::source_location caller) {
    QWindow* window = focusedWindow(caller);
    if (window == nullptr) {
        return false;
    }
    QTest::keyClick(window, key, modifiers);
    return true;
}

bool UserInput::paste(const QString& text, std::source_location caller) {
    const QKeySequence keys(QKeySequence::Paste);
    if (keys.isEmpty()) {
        return refuse(QStringLiteral("the platform has no paste keys"), caller);
    }
    QGuiApplication::clipboard()->setText(text);
    return press(keys[0].key(), keys[0].keyboardModifiers(), caller);
}
