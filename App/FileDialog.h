#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QFileDialog;
class QWidget;

// The open and save panels for the CSV files: non-native, window-modal, opened with open(). The
// completion runs on the GUI thread once the user has chosen.
class FileDialog {
public:
    struct Result {
        bool accepted = false; // false: the user cancelled
        QString path;          // empty when the panel was confirmed without a file
    };
    using Completion = std::function<void(const Result&)>;

    struct Request {
        bool save = false;
        QString acceptLabel;
        QString nameFilter;
        QString defaultSuffix;
    };

    FileDialog() = delete;

    // One existing file, "CSV files (*.csv)", accept button "Select a CSV file".
    static void openCsv(QWidget* parent, Completion completion);
    // A file to write, suffix "csv", accept button "Save".
    static void saveCsv(QWidget* parent, Completion completion);

    // Tests: the next panel opens nothing and is answered by a queued call: with this path
    // (an empty one: confirmed without a file), or cancelled when nullopt.
    static void setNextFileName(std::optional<QString> path);
    static const std::vector<Request>& requests();
    static void clearRequests();
    // The panel on screen now, or null.
    static QFileDialog* currentDialog();
};
