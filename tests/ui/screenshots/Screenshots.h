#pragma once

#include <QString>
#include <QWidget>

#include <functional>

// Scenes for reviewers: each registered scene builds a widget (seeding data or feeding box lines
// first if it needs to), and the screenshot program grabs it to
// <build>/screenshots/<scene>.png, and <scene>@2x.png at device pixel ratio 2. The clock reads
// 2026-12-06 10:12:05 throughout. A scene's widget is deleted after its picture is taken.
namespace Screenshots {

using Builder = std::function<QWidget*()>;
int addScene(const char* name, Builder builder);

} // namespace Screenshots

#define TESSMARK_SCENE_CONCAT2(first, second) first##second
#define TESSMARK_SCENE_CONCAT(first, second) TESSMARK_SCENE_CONCAT2(first, second)
// TESSMARK_SCREENSHOT_SCENE("name") { ...; return widget; }
#define TESSMARK_SCREENSHOT_SCENE(name)                                                                      \
    static QWidget* TESSMARK_SCENE_CONCAT(screenshotScene, __LINE__)();                                      \
    namespace {                                                                                              \
    const int TESSMARK_SCENE_CONCAT(registeredScene, __LINE__) =                                             \
        Screenshots::addScene(name, &TESSMARK_SCENE_CONCAT(screenshotScene, __LINE__));                      \
    }                                                                                                        \
    static QWidget* TESSMARK_SCENE_CONCAT(screenshotScene, __LINE__)()
