#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class ConnectionSettings;
class UiHarness;

// Scenes for reviewers: each registered scene builds a widget (storing data or feeding box lines
// first if it needs to), and the screenshot program grabs it to
// <build>/screenshots/<scene>.png, and <scene>@2x.png at device pixel ratio 2, checking what a
// reviewer might miss: texts cut mid-letter, buttons over each other or with their image cut.
// The clock reads 2026-12-06 10:12:05 throughout.
namespace Screenshots {

// What a scene may use. A scene that asks for the harness shows (part of) its window, which the
// harness owns; any other scene's widget is deleted once its picture is taken.
class SceneContext {
public:
    SceneContext();
    ~SceneContext();
    SceneContext(const SceneContext&) = delete;
    SceneContext& operator=(const SceneContext&) = delete;

    // The real window on the real core, made on first use (not launched yet).
    UiHarness& ui();
    bool usesHarness() const { return m_ui != nullptr; }

private:
    std::unique_ptr<UiHarness> m_ui;
};

using Builder = std::function<QWidget*(SceneContext&)>;
int addScene(const char* name, Builder builder);

// A click or key of the scene's user: the scene goes on only when it was made, and ends with
// the refusal as its failure otherwise.
void userStep(bool made);

struct SceneResult {
    QString name;
    // The picture written, or empty when there is none.
    QString path;
    QStringList faults;
};
// Runs every scene in name order, or only the one named, writing <folder>/<scene><suffix>.png
// and printing each fault as it is found. A failed scene does not stop the run.
std::vector<SceneResult> run(const QString& folder, const QString& suffix, const QString& only = {});

// The window as a user sees it who starts the program with this auto-connect profile: the
// profile stored with auto-connect on, `home` as the default home screen, the window launched
// and the stored profile connected. Fill the rest of the store first.
UiHarness& launchAutoConnected(SceneContext& scene, const ConnectionSettings& profile,
                               const std::string& home);

// A picture of the window with the sheet now open drawn over it where a sheet comes down (the
// sheet is closed then); the window itself when none is open.
QWidget* withSheet(QWidget* window);

} // namespace Screenshots

#define TESSMARK_SCENE_CONCAT2(first, second) first##second
#define TESSMARK_SCENE_CONCAT(first, second) TESSMARK_SCENE_CONCAT2(first, second)
// TESSMARK_SCREENSHOT_SCENE("name") { ...; return widget; } with `scene` (a SceneContext&) in scope.
#define TESSMARK_SCREENSHOT_SCENE(name)                                                                      \
    static QWidget* TESSMARK_SCENE_CONCAT(screenshotScene, __LINE__)(Screenshots::SceneContext & scene);     \
    namespace {                                                                                              \
    const int TESSMARK_SCENE_CONCAT(registeredScene, __LINE__) =                                             \
        Screenshots::addScene(name, &TESSMARK_SCENE_CONCAT(screenshotScene, __LINE__));                      \
    }                                                                                                        \
    static QWidget* TESSMARK_SCENE_CONCAT(screenshotScene,                                                   \
                                          __LINE__)([[maybe_unused]] Screenshots::SceneContext & scene)
