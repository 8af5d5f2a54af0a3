#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <Qt>

#include <source_location>

class QAbstractItemView;
class QComboBox;
class QModelIndex;
class QWidget;

// Clicks and keys as a user makes them: an event on the top-level window at a point, routed
// by Qt, so modality, covering widgets and clipping apply. Each function refuses, records a
// test failure naming the reason and returns false when a user could not have done it.
//
//     USER_CLICK(screen.button("HOLD"));
//     USER_CLICK_AT(view->viewport(), view->visualRect(index).center());
//     USER_TYPE(QStringLiteral("201"));
namespace UserInput {

// Clicks at the widget's centre. Refused when the widget is hidden or disabled, when its centre
// lies outside the window or a clipping ancestor (a scroll viewport), when another widget (also
// one of another window above it: a sheet, a pop-up) is there, or when a modal window blocks it.
[[nodiscard]] bool click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton,
                         Qt::KeyboardModifiers modifiers = {},
                         std::source_location caller = std::source_location::current());
[[nodiscard]] bool doubleClick(QWidget* widget,
                               std::source_location caller = std::source_location::current());
// The same at a point in the widget's own coordinates (rows of item views: the view's
// viewport and visualRect(index).center()).
[[nodiscard]] bool clickAt(QWidget* widget, QPoint local, Qt::MouseButton button = Qt::LeftButton,
                           Qt::KeyboardModifiers modifiers = {},
                           std::source_location caller = std::source_location::current());
[[nodiscard]] bool doubleClickAt(QWidget* widget, QPoint local,
                                 std::source_location caller = std::source_location::current());
// A press held on the widget's centre, and its release (a long press: press, run the
// timer's slot, release).
[[nodiscard]] bool mouseDown(QWidget* widget, std::source_location caller = std::source_location::current());
[[nodiscard]] bool mouseUp(QWidget* widget, std::source_location caller = std::source_location::current());

// Opens the pop-up button's list with a click and clicks its item at the index.
[[nodiscard]] bool choose(QComboBox* popUp, int index,
                          std::source_location caller = std::source_location::current());

// Clicks into the field, selects all it holds and types the text over it (Backspace for none).
[[nodiscard]] bool replaceText(QWidget* field, const QString& text,
                               std::source_location caller = std::source_location::current());

// Turns the mouse wheel over the point (widget coordinates) by whole notches, through the
// window; positive notches scroll down. Refused as a click there would be.
[[nodiscard]] bool wheelAt(QWidget* widget, QPoint local, int notches,
                           std::source_location caller = std::source_location::current());
// Turns the wheel over the vertical scroll bar of the scroll area holding the widget until the
// whole widget shows in it. Refused when no scroll area holds it or the wheel cannot bring it.
[[nodiscard]] bool scrollTo(QWidget* widget, std::source_location caller = std::source_location::current());
// The same for a row of an item view: the wheel over its viewport until the whole row shows.
[[nodiscard]] bool scrollToItem(QAbstractItemView* view, const QModelIndex& item,
                                std::source_location caller = std::source_location::current());

// Keys to the focused widget, through its window. Refused when nothing has focus.
[[nodiscard]] bool type(const QString& text, std::source_location caller = std::source_location::current());
[[nodiscard]] bool press(Qt::Key key, Qt::KeyboardModifiers modifiers = {},
                         std::source_location caller = std::source_location::current());

// Puts the text on the clipboard and pastes it into the focused widget with the platform's
// paste keys: how text that no keyboard types (line breaks, control characters) gets in.
[[nodiscard]] bool paste(const QString& text, std::source_location caller = std::source_location::current());

// Why a click at the point (widget coordinates) would not reach the widget; empty when it would.
QString whyNotClickable(QWidget* widget, QPoint local);
// "QPushButton \"saveButton\" \"Save\"": the class, object name and shown text, for messages.
QString describe(const QWidget* widget);
// While one lives, refusals are kept in it (the newest of nested ones) instead of failing the
// running test: the screenshot program's scenes report their own.
class RefusalLog {
public:
    RefusalLog();
    ~RefusalLog();
    RefusalLog(const RefusalLog&) = delete;
    RefusalLog& operator=(const RefusalLog&) = delete;

    // The refusals since the last take, each "file:line: why".
    QStringList take();
    void keep(const QString& refusal) { m_refusals.append(refusal); }

private:
    RefusalLog* m_outer;
    QStringList m_refusals;
};

} // namespace UserInput

// In a test function: stop the test when the user could not have done it.
#define USER_INPUT_STEP(step)                                                                                \
    do {                                                                                                     \
        if (!(step))                                                                                         \
            return;                                                                                          \
    } while (false)
#define USER_CLICK(...) USER_INPUT_STEP(UserInput::click(__VA_ARGS__))
#define USER_DOUBLE_CLICK(widget) USER_INPUT_STEP(UserInput::doubleClick(widget))
#define USER_CLICK_AT(...) USER_INPUT_STEP(UserInput::clickAt(__VA_ARGS__))
#define USER_DOUBLE_CLICK_AT(widget, local) USER_INPUT_STEP(UserInput::doubleClickAt(widget, local))
#define USER_MOUSE_DOWN(widget) USER_INPUT_STEP(UserInput::mouseDown(widget))
#define USER_MOUSE_UP(widget) USER_INPUT_STEP(UserInput::mouseUp(widget))
#define USER_CHOOSE(popUp, index) USER_INPUT_STEP(UserInput::choose(popUp, index))
#define USER_REPLACE_TEXT(field, text) USER_INPUT_STEP(UserInput::replaceText(field, text))
#define USER_SCROLL_TO(widget) USER_INPUT_STEP(UserInput::scrollTo(widget))
#define USER_TYPE(text) USER_INPUT_STEP(UserInput::type(text))
#define USER_PRESS(...) USER_INPUT_STEP(UserInput::press(__VA_ARGS__))
#define USER_PASTE(text) USER_INPUT_STEP(UserInput::paste(text))
