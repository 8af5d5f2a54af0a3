#include "App/Alert.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTimer>

#include <deque>
#include <utility>

namespace {

struct AlertState {
    QPointer<QWidget> mainWindow;
    std::deque<int> presetAnswers;
    std::vector<Alert::Request> requests;
    QPointer<QMessageBox> currentBox;
};

AlertState& state() {
    static AlertState alertState;
    return alertState;
}

QWidget* keyWindow(QWidget* parent) {
    if (parent != nullptr) {
        return parent->window();
    }
    if (QApplication::activeWindow() != nullptr) {
        return QApplication::activeWindow();
    }
    return state().mainWindow.data();
}

// A hyphenated word ("re-enter") stays whole where the sheet wraps its text: a word joiner
// after each hyphen between letters forbids a line break there.
QString keepingHyphenatedWords(const QString& text) {
    static const QRegularExpression hyphenInWord(QStringLiteral("(?<=\\w)-(?=\\w)"));
    QString shown = text;
    return shown.replace(hyphenInWord, QStringLiteral("-") + QChar(0x2060));
}

} // namespace

void Alert::show(QWidget* parent, const QString& messageText, const QString& informativeText,
                 const QStringList& buttons, Completion completion, const QString& detailedText) {
    const QStringList titles = buttons.isEmpty() ? QStringList{QStringLiteral("OK")} : buttons;
    showSheet(parent, {messageText, informativeText, titles, detailedText}, std::move(completion));
}

void Alert::showWarning(QWidget* parent, const QString& informativeText, Completion completion) {
    showSheet(parent, {QString(), informativeText, {QStringLiteral("OK")}, QString(), Style::Warning},
              std::move(completion));
}

void Alert::showSheet(QWidget* parent, const Request& request, Completion completion) {
    const QString& messageText = request.messageText;
    const QString& informativeText = request.informativeText;
    const QStringList& titles = request.buttons;
    const QString& detailedText = request.detailedText;
    state().requests.push_back(request);
    QObject* context = parent != nullptr ? static_cast<QObject*>(parent) : qApp;

    if (!state().presetAnswers.empty()) {
        const int answer = state().presetAnswers.front();
        state().presetAnswers.pop_front();
        QTimer::singleShot(0, context, [completion, answer] {
            if (completion) {
                completion(answer);
            }
        });
        return;
    }

    auto* box = new QMessageBox(keyWindow(parent));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setIcon(request.style == Style::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    // The informative label takes no text format of its own; a question without a message
    // therefore goes into the main text, and otherwise is converted so that it shows literally.
    if (messageText.isEmpty()) {
        box->setText(keepingHyphenatedWords(informativeText));
    } else {
        box->setText(keepingHyphenatedWords(messageText));
        if (!informativeText.isEmpty()) {
            box->setInformativeText(Qt::convertFromPlainText(keepingHyphenatedWords(informativeText)));
        }
    }
    if (!detailedText.isEmpty()) {
        box->setDetailedText(detailedText);
    }
    QList<QAbstractButton*> added;
    for (const QString& title : titles) {
        added.append(box->addButton(title, QMessageBox::ActionRole));
    }
    box->setDefaultButton(qobject_cast<QPushButton*>(added.first()));
    box->setEscapeButton(added.first());
    state().currentBox = box;

    QPointer<QObject> guard(context);
    QObject::connect(box, &QMessageBox::finished, box, [box, added, completion, guard] {
        const int answer = static_cast<int>(added.indexOf(box->clickedButton()));
        if (completion && guard) {
            completion(answer < 0 ? 0 : answer);
        }
    });
    box->open();
}

void Alert::setMainWindow(QWidget* window) {
    state().mainWindow = window;
}

void Alert::setNextAnswer(int answer) {
    state().presetAnswers.push_back(answer);
}

const std::vector<Alert::Request>& Alert::requests() {
    return state().requests;
}

void Alert::clearRequests() {
    state().requests.clear();
    state().presetAnswers.clear();
}

QMessageBox* Alert::currentBox() {
    return state().currentBox.data();
}
