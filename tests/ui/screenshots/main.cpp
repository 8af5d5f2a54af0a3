#include "ui/screenshots/Screenshots.h"

#include <QApplication>
#include <QStringList>

#include <algorithm>
#include <cstdio>

// screenshots <folder> [suffix] [scene]: writes every scene (or the one named) and fails on a
// missing or one-colour picture, on a text cut mid-letter, on buttons lying over each other or
// a button's image cut by its bounds, and on a click a user could not make.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const std::vector<Screenshots::SceneResult> results = Screenshots::run(
        arguments.value(1, QStringLiteral("screenshots")), arguments.value(2), arguments.value(3));
    for (const Screenshots::SceneResult& result : results) {
        if (!result.path.isEmpty()) {
            std::printf("%s\n", qPrintable(result.path));
        }
    }
    const bool clean =
        std::all_of(results.begin(), results.end(),
                    [](const Screenshots::SceneResult& result) { return result.faults.isEmpty(); });
    return clean ? 0 : 1;
}
