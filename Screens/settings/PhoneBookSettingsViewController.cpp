#include "Screens/settings/PhoneBookSettingsViewController.h"

#include "App/controls/KTSwitch.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/PhoneBookCSV.h"
#include "Screens/settings/CsvImport.h"
#include "Screens/settings/SettingsWidgets.h"
#include "Screens/settings/WaitCursor.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PhoneBookSettingsViewController::PhoneBookSettingsViewController(QObject* parent)
    : ViewController(QStringLiteral("PhoneBookSettingsView"), parent) {}

QWidget* PhoneBookSettingsViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    QVBoxLayout* layout = SettingsWidgets::pageLayout(view);
    m_overwriteSwitch = SettingsWidgets::onOffSwitch(QStringLiteral("overwriteSwitch"));
    m_importButton = SettingsWidgets::csvButton(QStringLiteral("Import"), QStringLiteral("importButton"));
    m_exportButton = SettingsWidgets::csvButton(QStringLiteral("Export"), QStringLiteral("exportButton"));

    layout->addWidget(SettingsWidgets::heading(QStringLiteral("CSV File")));
    auto* note = new QLabel(QStringLiteral("Import adds the contacts of a phone book file. "
                                           "Export writes the whole phone book to a file."));
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: #808080; font-size: 12px;"));
    layout->addWidget(note);
    QFormLayout* form = SettingsWidgets::addForm(layout);
    form->addRow(SettingsWidgets::caption(QStringLiteral("Overwrite existing contacts")), m_overwriteSwitch);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(20 - 2 * SettingsWidgets::csvButtonInset);
    buttons->addWidget(m_importButton);
    buttons->addWidget(m_exportButton);
    buttons->addStretch(1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->addStretch(1);

    SettingsWidgets::setTabChain({m_overwriteSwitch, m_importButton, m_exportButton});
    connect(m_importButton, &QPushButton::clicked, this,
            &PhoneBookSettingsViewController::importButtonClicked);
    connect(m_exportButton, &QPushButton::clicked, this,
            &PhoneBookSettingsViewController::exportButtonClicked);
    return view;
}

void PhoneBookSettingsViewController::viewDidLoad() {
    setTitle(QStringLiteral("Phone Book"));
}

void PhoneBookSettingsViewController::viewWillAppear(bool) {
    SettingsWidgets::showBackButtonOnly(this);
}

void PhoneBookSettingsViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    SettingsWidgets::popPage(this);
}

void PhoneBookSettingsViewController::importButtonClicked() {
    SettingsWidgets::openCsvFile(view(), [this](const std::string& path) { importFile(path); });
}

void PhoneBookSettingsViewController::exportButtonClicked() {
    SettingsWidgets::saveCsvFile(view(), [this](const std::string& path) { exportFile(path); });
}

// Success is said only when every contact of a sound file was stored; the file's problems go
// into the details either way, so a damaged file never passes for a clean one.
void PhoneBookSettingsViewController::importFile(const std::string& path) {
    std::vector<std::string> problems;
    const std::vector<ContactPtr> contacts = PhoneBookCSV::parseFile(path, &problems);
    if (contacts.empty()) {
        SettingsWidgets::showResult(view(), QStringLiteral("Failed to import phone book"), problems);
        return;
    }
    const bool overwrite = m_overwriteSwitch->state() == KTSwitch::On;
    ImportCounts counts;
    {
        const WaitCursor wait;
        counts = importContacts(contacts, overwrite);
    }
    SettingsWidgets::showImportResult(
        view(), counts.failed, counts.total, QStringLiteral("Imported phone book successfully"),
        QStringLiteral("Imported phone book with errors: %1 of %2 contacts were not imported"),
        QStringLiteral("Imported phone book with problems in the file"), problems);
}

void PhoneBookSettingsViewController::exportFile(const std::string& path) {
    const bool exported = PhoneBookCSV::exportToFile(path, ContactManager::allContacts());
    SettingsWidgets::showResult(view(), exported ? QStringLiteral("Exported phone book successfully")
                                                 : QStringLiteral("Failed to export phone book"));
}
