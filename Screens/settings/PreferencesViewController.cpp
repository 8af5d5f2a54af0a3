#include "Screens/settings/PreferencesViewController.h"

#include "App/Observe.h"
#include "App/controls/KTSegmentedControl.h"
#include "App/controls/KTSwitch.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Logic/common/Codes.h"
#include "Screens/settings/SettingsWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace {

// The stored texts are these titles: the clock, the call log and the tab bar recognise them.
const QStringList dateFormats{QStringLiteral("Day, Month Date, Year"),
                              QStringLiteral("Day, Date Month, Year"), QStringLiteral("DD/MM/YYYY"),
                              QStringLiteral("DD/MM/YY"), QStringLiteral("MM/DD/YYYY")};
const QStringList timeFormats{QStringLiteral("HH:MM AM/PM"), QStringLiteral("HH:MM:SS AM/PM"),
                              QStringLiteral("HH:MM (24 Hour Clock)")};
const QStringList homeScreens{QStringLiteral("Favorites"), QStringLiteral("Dialer/Keypad"),
                              QStringLiteral("Dialer/SIP URI"), QStringLiteral("Phone Book")};
constexpr int calledNumberCounts[] = {3, 5, 10, 15, 20};

// Reads the record afresh, lets the action set its field and writes it back; the result of
// the write is not shown, as the page has nowhere to show it.
void changePreferences(const std::function<void(PreferencesSettings&)>& change) {
    const PreferencesSettingsPtr preferences = PreferencesSettingsManager::preferencesSettings();
    change(*preferences);
    PreferencesSettingsManager::updatePreferencesSettings(*preferences);
}

void selectTitle(QComboBox* button, const std::string& title) {
    button->setCurrentIndex(button->findText(QString::fromStdString(title)));
}

} // namespace

PreferencesViewController::PreferencesViewController(QObject* parent)
    : ViewController(QStringLiteral("PreferencesView"), parent) {}

QWidget* PreferencesViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    QVBoxLayout* layout = SettingsWidgets::pageLayout(view);

    m_autoFavoritesSwitch = SettingsWidgets::onOffSwitch(QStringLiteral("autoFavoritesSwitch"));
    m_frequenlyCalledNumbersButton = SettingsWidgets::popUp(QStringLiteral("frequenlyCalledNumbersButton"));
    for (const int count : calledNumberCounts) {
        m_frequenlyCalledNumbersButton->addItem(QString::number(count), count);
    }
    m_dateFormatButton = SettingsWidgets::popUp(QStringLiteral("dateFormatButton"));
    m_dateFormatButton->addItems(dateFormats);
    m_timeFormatButton = SettingsWidgets::popUp(QStringLiteral("timeFormatButton"));
    m_timeFormatButton->addItems(timeFormats);
    m_defaultHomeScreenButton = SettingsWidgets::popUp(QStringLiteral("defaultHomeScreenButton"));
    m_defaultHomeScreenButton->addItems(homeScreens);
    m_doNotDisturbModeControl =
        SettingsWidgets::segments({QStringLiteral("Call Mute"), QStringLiteral("Call Reject")},
                                  QStringLiteral("doNotDisturbModeControl"));

    layout->addWidget(SettingsWidgets::heading(QStringLiteral("Favorites")));
    QFormLayout* favorites = SettingsWidgets::addForm(layout);
    favorites->addRow(SettingsWidgets::caption(QStringLiteral("Manage Automatically")),
                      m_autoFavoritesSwitch);
    favorites->addRow(SettingsWidgets::caption(QStringLiteral("Most Called Numbers")),
                      m_frequenlyCalledNumbersButton);
    layout->addWidget(SettingsWidgets::heading(QStringLiteral("Date and Time")));
    QFormLayout* clock = SettingsWidgets::addForm(layout);
    clock->addRow(SettingsWidgets::caption(QStringLiteral("Date Format")), m_dateFormatButton);
    clock->addRow(SettingsWidgets::caption(QStringLiteral("Time Format")), m_timeFormatButton);
    layout->addWidget(SettingsWidgets::heading(QStringLiteral("General")));
    QFormLayout* general = SettingsWidgets::addForm(layout);
    general->addRow(SettingsWidgets::caption(QStringLiteral("Start-up Screen")), m_defaultHomeScreenButton);
    general->addRow(SettingsWidgets::caption(QStringLiteral("Do Not Disturb")), m_doNotDisturbModeControl);
    layout->addStretch(1);
    SettingsWidgets::alignCaptions({favorites, clock, general});

    SettingsWidgets::setTabChain({m_autoFavoritesSwitch, m_frequenlyCalledNumbersButton, m_dateFormatButton,
                                  m_timeFormatButton, m_defaultHomeScreenButton,
                                  m_doNotDisturbModeControl->segmentButton(0),
                                  m_doNotDisturbModeControl->segmentButton(1)});

    // Only the user's own choices act: activated, not currentIndexChanged, so re-choosing the
    // shown item saves again and filling the page saves nothing.
    connect(m_autoFavoritesSwitch, &KTSwitch::clicked, this,
            &PreferencesViewController::autoFavoritesSwitchClicked);
    connect(m_frequenlyCalledNumbersButton, &QComboBox::activated, this,
            &PreferencesViewController::frequentlyCalledNumbersChanged);
    connect(m_dateFormatButton, &QComboBox::activated, this, &PreferencesViewController::dateFormatChanged);
    connect(m_timeFormatButton, &QComboBox::activated, this, &PreferencesViewController::timeFormatChanged);
    connect(m_defaultHomeScreenButton, &QComboBox::activated, this,
            &PreferencesViewController::defaultHomeScreenChanged);
    connect(m_doNotDisturbModeControl, &KTSegmentedControl::segmentClicked, this,
            &PreferencesViewController::doNotDisturbModeChanged);
    return view;
}

void PreferencesViewController::viewDidLoad() {
    setTitle(QStringLiteral("Preferences"));
}

void PreferencesViewController::viewWillAppear(bool) {
    SettingsWidgets::showBackButtonOnly(this);
    const PreferencesSettingsPtr preferences = PreferencesSettingsManager::preferencesSettings();
    m_autoFavoritesSwitch->setState(preferences->automaticallyManagesFavorites() ? KTSwitch::On
                                                                                 : KTSwitch::Off);
    m_frequenlyCalledNumbersButton->setCurrentIndex(m_frequenlyCalledNumbersButton->findData(
        static_cast<int>(preferences->mostFrequentlyCalledNumbers())));
    selectTitle(m_dateFormatButton, preferences->dateFormat());
    selectTitle(m_timeFormatButton, preferences->timeFormat());
    selectTitle(m_defaultHomeScreenButton, preferences->defaultHomeScreen());
    const bool mutes = preferences->doNotDisturbMode() == DndMode::CALL_MUTE;
    m_doNotDisturbModeControl->setSelectedSegment(mutes ? 0 : 1);
}

void PreferencesViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    SettingsWidgets::popPage(this);
}

void PreferencesViewController::autoFavoritesSwitchClicked() {
    const bool on = m_autoFavoritesSwitch->state() == KTSwitch::On;
    changePreferences(
        [on](PreferencesSettings& preferences) { preferences.setAutomaticallyManagesFavorites(on); });
}

void PreferencesViewController::frequentlyCalledNumbersChanged() {
    const int count = m_frequenlyCalledNumbersButton->currentData().toInt();
    changePreferences(
        [count](PreferencesSettings& preferences) { preferences.setMostFrequentlyCalledNumbers(count); });
}

void PreferencesViewController::dateFormatChanged() {
    const std::string format = m_dateFormatButton->currentText().toStdString();
    changePreferences([&format](PreferencesSettings& preferences) { preferences.setDateFormat(format); });
    Post("dateTimeFormatChanged");
}

void PreferencesViewController::timeFormatChanged() {
    const std::string format = m_timeFormatButton->currentText().toStdString();
    changePreferences([&format](PreferencesSettings& preferences) { preferences.setTimeFormat(format); });
    Post("dateTimeFormatChanged");
}

void PreferencesViewController::defaultHomeScreenChanged() {
    const std::string screen = m_defaultHomeScreenButton->currentText().toStdString();
    changePreferences(
        [&screen](PreferencesSettings& preferences) { preferences.setDefaultHomeScreen(screen); });
}

void PreferencesViewController::doNotDisturbModeChanged() {
    const int64_t mode =
        m_doNotDisturbModeControl->selectedSegment() == 0 ? DndMode::CALL_MUTE : DndMode::CALL_REJECT;
    changePreferences([mode](PreferencesSettings& preferences) { preferences.setDoNotDisturbMode(mode); });
}
