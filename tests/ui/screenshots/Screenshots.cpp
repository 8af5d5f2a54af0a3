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

namespace {

// Thrown by a refused user step to end the scene; the run catches it.
struct SceneStopped {};

// Builds and pictures one scene; what it finds wrong is the result's faults.
Screenshots::SceneResult runScene(const std::string& name, const Screenshots::Builder& builder,
                                  const QString& folder, const QString& suffix,
                                  UserInput::RefusalLog& refusals) {
    Screenshots::SceneResult result{QString::fromStdString(name), {}, {}};
    Screenshots::SceneContext context;
    QWidget* widget = nullptr;
    try {
        widget = builder(context);
    } catch (const SceneStopped&) {
        widget = nullptr;
    }
    const auto noteRefusals = [&] {
        for (const QString& refusal : refusals.take()) {
            result.faults.append(QStringLiteral("a click or key a user could not have made: ") + refusal);
        }
    };
    noteRefusals();
    if (widget == nullptr) {
        if (result.faults.isEmpty()) {
            result.faults.append(QStringLiteral("built nothing"));
        }
        return result;
    }
    widget->show();
    settle(context, widget);
    noteRefusals();
    const QImage image = widget->grab().toImage();
    for (const QString& text : TextFit::cutTexts(widget)) {
        result.faults.append(QStringLiteral("text cut: ") + text);
    }
    result.faults += ButtonPlacement::overlappingButtons(widget);
    result.faults += ButtonPlacement::cutImages(widget);
    const QString path = folder + QLatin1Char('/') + result.name + suffix + QStringLiteral(".png");
    if (!image.isNull() && !isOneColour(image) && image.save(path)) {
        result.path = path;
    } else {
        result.faults.append(QStringLiteral("no picture, or one colour only"));
    }
    if (!context.usesHarness()) {
        delete widget;
    }
    return result;
}

} // namespace

void Screenshots::userStep(bool made) {
    if (!made) {
        throw SceneStopped{};
    }
}

std::vector<Screenshots::SceneResult> Screenshots::run(const QString& folder, const QString& suffix,
                                                       const QString& only) {
    QDir().mkpath(folder);
    const QDateTime moment(QDate(2026, 12, 6), QTime(10, 12, 5));
    FakeClock clock(static_cast<std::time_t>(moment.toSecsSinceEpoch()));
    UserInput::RefusalLog refusals;
    std::vector<SceneResult> results;
    for (const auto& [name, builder] : scenes()) {
        if (!only.isEmpty() && QString::fromStdString(name) != only) {
            continue;
        }
        // Each scene starts at the same moment; a harness brings a clock of its own.
        Platform::Clock::install(&clock);
        results.push_back(runScene(name, builder, folder, suffix, refusals));
        for (const QString& fault : results.back().faults) {
            std::fprintf(stderr, "scene %s: %s\n", name.c_str(), qPrintable(fault));
        }
    }
    return results;
}
