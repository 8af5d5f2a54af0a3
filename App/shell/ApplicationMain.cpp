#include "App/shell/ApplicationMain.h"

#include "App/MainQueueBinding.h"
#include "App/NotificationRelay.h"
#include "App/shell/AppDelegate.h"
#include "Platform/MainQueue.h"
#include "Platform/NotificationCenter.h"
#include "Platform/Paths.h"

#include <QApplication>

#include <memory>

int runApplication(QApplication& application) {
    QApplication::setApplicationName(QString::fromStdString(Platform::Paths::applicationName()));
    QApplication::setApplicationVersion(QString::fromStdString(Platform::Paths::version()));
    QApplication::setQuitOnLastWindowClosed(AppDelegate::applicationShouldTerminateAfterLastWindowClosed());

    // Bound before the core opens, so no device event waits for a wake-up that never comes.
    auto binding = std::make_unique<MainQueueBinding>(Platform::MainQueue::shared());
    NotificationRelay::instance().start(Platform::NotificationCenter::defaultCenter(),
                                        Platform::MainQueue::shared());

    auto delegate = std::make_unique<AppDelegate>();
    QObject::connect(&application, &QCoreApplication::aboutToQuit, delegate.get(),
                     [&delegate] { delegate->applicationWillTerminate(); });
    delegate->applicationDidFinishLaunching();
    const int result = QApplication::exec();

    NotificationRelay::instance().stop();
    binding.reset();
    delegate.reset();
    return result;
}
