#include "App/shell/TitleBarController.h"

#include "App/Observe.h"
#include "Logic/bridge/PreferencesSettings.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Platform/Clock.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

TitleBarController::TitleBarController(QObject* parent)
    : ViewController(QStringLiteral("TitleBar"), parent),
      m_formats(QStringLiteral("Day, Month Date, Year"), QStringLiteral("HH:MM AM/PM")) {
    m_tick.setSingleShot(true);
    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, &TitleBarController::updateSystemDateTime);
}

QWidget* TitleBarController::buildView() {
    auto* strip = new QWidget;
    strip->resize(420, 24);
    m_systemDateTimeField = new QLabel(strip);
    m_systemDateTimeField->setObjectName(QStringLiteral("systemDateTimeField"));
    m_systemDateTimeField->setTextFormat(Qt::PlainText);
    m_systemDateTimeField->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont font = m_systemDateTimeField->font();
    font.setPixelSize(12);
    m_systemDateTimeField->setFont(font);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(8, 0, 10, 0);
    layout->addStretch(1);
    layout->addWidget(m_systemDateTimeField);
    return strip;
}

void TitleBarController::viewDidLoad() {
    loadDateTimeFormat();
    updateSystemDateTime();
    Observe("dateTimeFormatChanged", this, [this](const auto&) { loadDateTimeFormat(); });
}

void TitleBarController::loadDateTimeFormat() {
    const PreferencesSettingsPtr preferences = PreferencesSettingsManager::preferencesSettings();
    if (preferences == nullptr) {
        return;
    }
    m_formats = DateTimeFormats(QString::fromStdString(preferences->dateFormat()),
                                QString::fromStdString(preferences->timeFormat()));
}

void TitleBarController::updateSystemDateTime() {
    const QDateTime now =
        QDateTime::fromSecsSinceEpoch(static_cast<qint64>(Platform::Clock::current().now()));
    m_systemDateTimeField->setText(m_formats.dateTime(now));
    m_tick.start();
}
