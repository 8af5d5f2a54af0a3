#include "App/FileDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QPointer>
#include <QTimer>

#include <deque>

namespace {

struct FileDialogState {
    std::deque<std::optional<QString>> presets;
    std::vector<FileDialog::Request> requests;
    QPointer<QFileDialog> current;
};

FileDialogState& state() {
    static FileDialogState dialogState;
    return dialogState;
}

void showPanel(QWidget* parent, const FileDialog::Request& request, FileDialog::Completion completion) {
    state().requests.push_back(request);
    QObject* context = parent != nullptr ? static_cast<QObject*>(parent) : qApp;
    if (!state().presets.empty()) {
        const std::optional<QString> preset = state().presets.front();
        state().presets.pop_front();
        QTimer::singleShot(0, context, [completion, preset] {
            if (completion) {
                completion(preset ? FileDialog::Result{true, *preset} : FileDialog::Result{});
            }
        });
        return;
    }

    QWidget* window = parent != nullptr ? parent->window() : QApplication::activeWindow();
    auto* dialog = new QFileDialog(window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setNameFilter(request.nameFilter);
    dialog->setLabelText(QFileDialog::Accept, request.acceptLabel);
    if (request.save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setDefaultSuffix(request.defaultSuffix);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    state().current = dialog;
    QPointer<QObject> guard(context);
    QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, completion, guard](int result) {
        if (!completion || !guard) {
            return;
        }
        if (result != QDialog::Accepted) {
            completion({});
            return;
        }
        completion({true, dialog->selectedFiles().value(0)});
    });
    dialog->open();
}

} // namespace

void FileDialog::openCsv(QWidget* parent, Completion completion) {
    showPanel(parent, {false, QStringLiteral("Select a CSV file"), QStringLiteral("CSV files (*.csv)"), {}},
              std::move(completion));
}

void FileDialog::saveCsv(QWidget* parent, Completion completion) {
    showPanel(parent,
              {true, QStringLiteral("Save"), QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv")},
              std::move(completion));
}

void FileDialog::setNextFileName(std::optional<QString> path) {
    state().presets.push_back(std::move(path));
}

const std::vector<FileDialog::Request>& FileDialog::requests() {
    return state().requests;
}

void FileDialog::clearRequests() {
    state().requests.clear();
    state().presets.clear();
}

QFileDialog* FileDialog::currentDialog() {
    return state().current.data();
}
