#include "ui/screenshots/Screenshots.h"

#include "App/KTNavigationController.h"
#include "Logic/bridge/ConnectionSettings.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/PreferencesSettings.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "support/FakeClock.h"
#include "ui/support/ButtonPlacement.h"
#include "ui/support/TextFit.h"
#include "ui/support/UiHarness.h"
#include "ui/support/UserInput.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QImage>
#include <QTest>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

std::map<std::string, Screenshots::Builder>& scenes() {
    static std::map<std::string, Screenshots::Builder> registered;
    return registered;
}

bool isOneColour(const QImage& image) {
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != first) {
                return false;
            }
        }
    }
    return true;
}

bool slideRunning(const QObject* root) {
    const auto stacks = root->findChildren<KTNavigationController*>();
    return std::any_of(stacks.begin(), stacks.end(),
                       [](const KTNavigationController* stack) { return stack->hasPendingSlide(); });
}

// A picture shows the scene as it comes to rest: slides ended, queued work and zero timers run.
void settle(Screenshots::SceneContext& context, QWidget* widget) {
    const QObject* delegate = context.usesHarness() ? &context.ui().delegate() : nullptr;
    const bool rested = QTest::qWaitFor(
        [&] {
            if (context.usesHarness()) {
                context.ui().drain();
            }
            return !slideRunning(widget) && (delegate == nullptr || !slideRunning(delegate));
        },
        2 * KTNavigationController::slideMilliseconds + 1000);
    if (!rested) {
        std::fprintf(stderr, "a slide never ended\n");
    }
    QCoreApplication::processEvents();
}

} // namespace

namespace Screenshots {

SceneContext::SceneContext() = default;
SceneContext::~SceneContext() = default;

UiHarness& SceneContext::ui() {
    if (m_ui == nullptr) {
        m_ui = std::make_unique<UiHarness>();
    }
    return *m_ui;
}

UiHarness& launchAutoConnected(SceneContext& scene, const ConnectionSettings& profile,
                               const std::string& home) {
    ConnectionSettings stored = profile;
    stored.setIsAutoConnect(true);
    ConnectionSettingsManager::addConnectionSettings(stored);
    PreferencesSettingsPtr preferences = PreferencesSettingsManager::preferencesSettings();
    preferences->setDefaultHomeScreen(home);
    PreferencesSettingsManager::updatePreferencesSettings(*preferences);
    UiHarness& ui = scene.ui();
    ui.launch();
    ui.connectProfile(stored);
    return ui;
}

} // namespace Screenshots

int Screenshots::addScene(const char* name, Builder builder) {
    scenes()[name] = std::move(builder);
    return 0;
}

// screenshots <folder> [suffix] [scene]: writes every scene (or the one named) and fails on a
// missing or one-colour picture, on a text cut mid-letter, on buttons lying over each other or
// a button's image cut by its bounds, and on a click a user could not make.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString folder = arguments.value(1, QStringLiteral("screenshots"));
    const QString suffix = arguments.value(2);
    const QString only = arguments.value(3);
    QDir().mkpath(folder);

    const QDateTime moment(QDate(2026, 12, 6), QTime(10, 12, 5));
    FakeClock clock(static_cast<std::time_t>(moment.toSecsSinceEpoch()));

    int failures = 0;
    int failedClicks = 0;
    for (const auto& [name, builder] : scenes()) {
        const QString sceneName = QString::fromStdString(name);
        if (!only.isEmpty() && sceneName != only) {
            continue;
        }
        // Each scene starts at the same moment; a harness brings a clock of its own.
        Platform::Clock::install(&clock);
        Screenshots::SceneContext context;
        QWidget* widget = builder(context);
        if (widget == nullptr) {
            std::fprintf(stderr, "scene %s built nothing\n", name.c_str());
            ++failures;
            continue;
        }
        widget->show();
        settle(context, widget);
        const int refusals = UserInput::refusalsOutsideTests();
        const QImage image = widget->grab().toImage();
        QStringList faults;
        for (const QString& text : TextFit::cutTexts(widget)) {
            faults.append(QStringLiteral("text cut: ") + text);
        }
        faults += ButtonPlacement::overlappingButtons(widget);
        faults += ButtonPlacement::cutImages(widget);
        const QString path = folder + QLatin1Char('/') + sceneName + suffix + QStringLiteral(".png");
        const bool saved = !image.isNull() && !isOneColour(image) && image.save(path);
        if (!context.usesHarness()) {
            delete widget;
        }
        if (!saved) {
            std::fprintf(stderr, "scene %s: no picture, or one colour only\n", name.c_str());
            ++failures;
            continue;
        }
        if (refusals != failedClicks) {
            std::fprintf(stderr, "scene %s: a click or key a user could not have made\n", name.c_str());
            failedClicks = refusals;
            ++failures;
        }
        for (const QString& fault : faults) {
            std::fprintf(stderr, "scene %s: %s\n", name.c_str(), qPrintable(fault));
        }
        if (!faults.isEmpty()) {
            ++failures;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return failures == 0 ? 0 : 1;
}
