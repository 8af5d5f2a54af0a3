#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QMessageBox;
class QWidget;

// Every question and message of the interface: a window-modal sheet (QMessageBox opened with
// open(), never exec(), so no nested event loop runs notifications inside a handler). All its
// texts are plain text. The first button is the default and the escape button; the answer is
// the index of the clicked button (0 first), handed to the completion on the GUI thread.
class Alert {
public:
    using Completion = std::function<void(int answer)>;

    // A warning shows the warning sign beside its text; every other sheet shows none.
    enum class Style { Informational, Warning };

    struct Request {
        QString messageText;
        QString informativeText;
        QStringList buttons;
        QString detailedText;
        Style style = Style::Informational;
    };

    Alert() = delete;

    // Shows the sheet on parent's window, or on the key window when parent is null (the active
    // window, else the main window). No buttons means one "OK". The completion is dropped when
    // parent is destroyed first. detailedText, when not empty, goes behind "Show Details...".
    static void show(QWidget* parent, const QString& messageText, const QString& informativeText,
                     const QStringList& buttons, Completion completion = {},
                     const QString& detailedText = {});

    // A one-button warning sheet ("OK") with the text as its informative text.
    static void showWarning(QWidget* parent, const QString& informativeText, Completion completion = {});

    // The window sheets go to when there is no active window (the application delegate's).
    static void setMainWindow(QWidget* window);

    // Tests: the next show() opens no sheet and is answered with `answer` by a queued call.
    // Several presets answer several sheets in order.
    static void setNextAnswer(int answer);
    // Tests: every show() so far, with its texts, in order.
    static const std::vector<Request>& requests();
    static void clearRequests();
    // The sheet on screen now, or null.
    static QMessageBox* currentBox();

private:
    static void showSheet(QWidget* parent, const Request& request, Completion completion);
};
