#include "Screens/settings/ConnectionViewController.h"

#include "App/Alert.h"
#include "App/Images.h"
#include "App/KTNavigationBarController.h"
#include "App/KTNavigationController.h"
#include "App/Observe.h"
#include "App/controls/Styling.h"
#include "Logic/bridge/ConnectionCSV.h"
#include "Logic/bridge/ConnectionSettingsManager.h"
#include "Logic/bridge/DeviceCommunicationObject.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/settings/CsvImport.h"
#include "Screens/settings/EditConnectionViewController.h"
#include "Screens/settings/RowViewTable.h"
#include "Screens/settings/SettingsWidgets.h"
#include "Screens/settings/WaitCursor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString newConnectionName = QStringLiteral("New Connection");

} // namespace

ConnectionViewController::ConnectionViewController(QObject* parent)
    : ViewController(QStringLiteral("ConnectionView"), parent) {}

QWidget* ConnectionViewController::buildView() {
    auto* view = new QWidget;
    view->resize(420, 580);
    m_tableView = new KTTableView(view);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    m_rows = new RowViewTable(m_tableView);
    m_importButton = SettingsWidgets::csvButton(QStringLiteral("Import"), QStringLiteral("importButton"));
    m_exportButton = SettingsWidgets::csvButton(QStringLiteral("Export"), QStringLiteral("exportButton"));

    auto* csvButtons = new QWidget(view);
    csvButtons->setObjectName(QStringLiteral("csvButtons"));
    auto* buttons = new QHBoxLayout(csvButtons);
    const int inset = SettingsWidgets::csvButtonInset;
    buttons->setContentsMargins(SettingsWidgets::pageMargin, 12 - inset, SettingsWidgets::pageMargin,
                                16 - inset);
    buttons->setSpacing(20 - 2 * inset);
    buttons->addStretch(1);
    buttons->addWidget(m_importButton);
    buttons->addWidget(m_exportButton);
    buttons->addStretch(1);
    csvButtons->setFixedHeight(60);

    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tableView, 1);
    layout->addWidget(csvButtons);

    SettingsWidgets::setTabChain({m_tableView, m_importButton, m_exportButton});
    connect(m_tableView, &QAbstractItemView::doubleClicked, this,
            &ConnectionViewController::connectionCellDoubleClicked);
    connect(m_importButton, &QPushButton::clicked, this, &ConnectionViewController::importButtonClicked);
    connect(m_exportButton, &QPushButton::clicked, this, &ConnectionViewController::exportButtonClicked);
    return view;
}

EditConnectionViewController* ConnectionViewController::editor() const {
    return m_editor.data();
}

void ConnectionViewController::viewDidLoad() {
    setTitle(QStringLiteral("Connections"));
    Styling::fillBackground(view(), Qt::white);
    m_newConnectionView = loadConnectionCellView();
    m_newConnectionView->setObjectName(QStringLiteral("newConnectionView"));
    m_newConnectionView->setDelegate(this);
    m_newConnectionView->nameField()->setText(newConnectionName);
    m_newConnectionView->setInEditMode(true);
    m_newConnectionView->setConnection(std::make_shared<ConnectionSettings>());
    m_newConnectionView->setLeftImage(QStringLiteral("btn_add_orange"), QStringLiteral("Add"));
    m_tableView->setExtendedDelegate(this);
}

void ConnectionViewController::viewWillAppearInWindow() {
    viewWillAppear(true);
}

void ConnectionViewController::viewWillAppear(bool) {
    if (KTNavigationController* stack = navigationController()) {
        KTNavigationBarController* bar = stack->navigationBar();
        SettingsWidgets::showBackButton(bar);
        bar->rightButton()->setText(m_editMode ? QStringLiteral("Done") : QStringLiteral("Add/Edit"));
        bar->rightButton()->setIcon(QIcon());
        bar->rightButton()->show();
        setTitle(m_editMode ? QStringLiteral("Add/Edit Connections") : QStringLiteral("Connections"));
        bar->barTitle()->setText(title());
        // The sort button's face is this screen's: the bar's own button has none.
        bar->optionalButton()->setIcon(QIcon(Images::named(QStringLiteral("btn_sort"), QSize(22, 22))));
        bar->optionalButton()->setIconSize(QSize(22, 22));
        bar->optionalButton()->setAccessibleName(QStringLiteral("Sort"));
        bar->optionalButton()->show();
        bar->viewDidLoad();
    }
    reloadFromStore();
}

void ConnectionViewController::reloadFromStore() {
    m_connections = ConnectionSettingsManager::allConnectionSettings();
    loadConnectionViews();
    reloadTable();
}

// A row is made hidden: only the table shows it, once it lays the row into its place. A row
// left visible on the viewport would lie over the list's top and take clicks meant for it.
ConnectionCellView* ConnectionViewController::loadConnectionCellView() {
    auto* row = new ConnectionCellView(m_tableView->viewport());
    row->hide();
    return row;
}

void ConnectionViewController::loadConnectionViews() {
    std::vector<ConnectionCellView*> oldRows;
    oldRows.swap(m_connectionViews);
    if (m_editMode) {
        m_connectionViews.push_back(m_newConnectionView);
    }
    // Asked once per rebuild: every call reads the store anew and makes a new object.
    const ConnectionSettingsPtr current =
        TessmarkDialerCore::deviceCommunication().currentConnectionSettings();
    for (const ConnectionSettingsPtr& connection : m_connections) {
        ConnectionCellView* row = loadConnectionCellView();
        row->setConnection(connection);
        row->setDelegate(this);
        row->setInEditMode(m_editMode);
        row->nameField()->setText(QString::fromStdString(connection->roomName()));
        row->setHighlighted(current != nullptr && connection->ID() == current->ID());
        m_connectionViews.push_back(row);
    }
    // The old rows may be the ones whose button is being handled: they go once it returns.
    for (ConnectionCellView* row : oldRows) {
        if (row != m_newConnectionView) {
            row->deleteLater();
        }
    }
}

void ConnectionViewController::reloadTable() {
    m_rows->setRowViews({m_connectionViews.begin(), m_connectionViews.end()});
}

void ConnectionViewController::rightButtonOfConnectionCellClicked(ConnectionCellView* cell) {
    if (cell == m_newConnectionView) {
        // Whatever an earlier, cancelled editor wrote into the row's profile is not carried over.
        m_newConnectionView->setConnection(std::make_shared<ConnectionSettings>());
    }
    if (m_editMode) {
        openEditor(cell);
    } else if (TessmarkDialerCore::deviceCommunication().currentConnectionSettings() == nullptr) {
        connectWith(cell->connection());
    } else {
        const ConnectionSettingsPtr connection = cell->connection();
        Alert::show(view(), QString(),
                    QStringLiteral("Do you want to switch to \"%1\"?")
                        .arg(QString::fromStdString(connection->roomName())),
                    {QStringLiteral("Cancel"), QStringLiteral("OK")}, [this, connection](int answer) {
                        if (answer == 1) {
                            connectWith(connection);
                        }
                    });
    }
    loadConnectionViews();
    reloadTable();
}

// The device communication takes the profile as its current one before it returns, so the
// rows can be lit at once; the link itself comes up (or not) later, as the toolbar shows.
void ConnectionViewController::connectWith(const ConnectionSettingsPtr& connection) {
    TessmarkDialerCore::deviceCommunication().connect(*connection);
    for (ConnectionCellView* row : m_connectionViews) {
        row->setHighlighted(row != m_newConnectionView && row->connection()->ID() == connection->ID());
    }
    Post("didConnectedAtStartup");
}

void ConnectionViewController::openEditor(ConnectionCellView* cell) {
    KTNavigationController* stack = navigationController();
    if (stack == nullptr) {
        return;
    }
    const std::vector<ViewController*> pages = stack->viewControllers();
    if (m_editor != nullptr && std::find(pages.begin(), pages.end(), m_editor.data()) == pages.end()) {
        m_editor->deleteLater();
    }
    m_editor = new EditConnectionViewController(this);
    m_editor->setConnection(cell->connection());
    m_editor->setCreatesNewConnection(cell == m_newConnectionView);
    stack->pushViewController(m_editor, true);
}

void ConnectionViewController::leftButtonOfConnectionCellClicked(ConnectionCellView* cell) {
    if (cell == m_newConnectionView) {
        rightButtonOfConnectionCellClicked(cell);
        return;
    }
    askToDelete(cell);
}

// The row leaves the table at once; the rows are not rebuilt, and the live link is left alone
// even when it runs on the deleted profile.
void ConnectionViewController::askToDelete(ConnectionCellView* cell) {
    const QPointer<ConnectionCellView> row(cell);
    const ConnectionSettingsPtr connection = cell->connection();
    Alert::show(
        view(), QString(),
        QStringLiteral("Are you sure you want to delete connection \"%1\"?").arg(cell->nameField()->text()),
        {QStringLiteral("No"), QStringLiteral("Yes")}, [this, row, connection](int answer) {
            if (answer != 1) {
                return;
            }
            const auto found = std::find(m_connectionViews.begin(), m_connectionViews.end(), row.data());
            if (row != nullptr && found != m_connectionViews.end()) {
                m_connectionViews.erase(found);
                row->deleteLater();
            }
            ConnectionSettingsManager::removeConnectionSettings(*connection);
            m_connections = ConnectionSettingsManager::allConnectionSettings();
            reloadTable();
        });
}

void ConnectionViewController::leftButtonOfNavigationBarClicked(QAbstractButton*) {
    if (m_standalone) {
        m_standalone = false;
        Post("backToCurrentTab");
        return;
    }
    SettingsWidgets::popPage(this);
}

void ConnectionViewController::rightButtonOfNavigationBarClicked(QAbstractButton* button) {
    KTNavigationController* stack = navigationController();
    m_editMode = !m_editMode;
    button->setText(m_editMode ? QStringLiteral("Done") : QStringLiteral("Add/Edit"));
    setTitle(m_editMode ? QStringLiteral("Add/Edit Connections") : QStringLiteral("Connections"));
    m_importButton->setVisible(!m_editMode);
    m_exportButton->setVisible(!m_editMode);
    if (stack != nullptr) {
        stack->navigationBar()->barTitle()->setText(title());
        stack->navigationBar()->leftButton()->setVisible(!m_editMode);
        stack->navigationBar()->viewDidLoad();
    }
    loadConnectionViews();
    m_newConnectionView->setConnection(std::make_shared<ConnectionSettings>());
    for (ConnectionCellView* row : m_connectionViews) {
        row->setInEditMode(m_editMode);
    }
    reloadTable();
}

void ConnectionViewController::middleButtonOfNavigationBarClicked(QAbstractButton*) {
    m_sortsConnectionAscending = !m_sortsConnectionAscending;
    m_connections =
        ConnectionSettingsManager::allConnectionSettingsSortByRoomName(m_sortsConnectionAscending);
    loadConnectionViews();
    reloadTable();
}

void ConnectionViewController::didClickedRow(KTTableView*, int row) {
    if (row >= 0 && m_rows->rowView(row) == m_newConnectionView) {
        rightButtonOfConnectionCellClicked(m_newConnectionView);
    }
}

void ConnectionViewController::connectionCellDoubleClicked() {
    const QModelIndexList selected = m_tableView->selectionModel()->selectedIndexes();
    if (m_editMode || selected.isEmpty()) {
        return;
    }
    if (auto* row = qobject_cast<ConnectionCellView*>(m_rows->rowView(selected.first().row()))) {
        rightButtonOfConnectionCellClicked(row);
    }
}

void ConnectionViewController::importButtonClicked() {
    SettingsWidgets::openCsvFile(view(), [this](const std::string& path) { importFile(path); });
}

void ConnectionViewController::exportButtonClicked() {
    SettingsWidgets::saveCsvFile(view(), [this](const std::string& path) { exportFile(path); });
}

// A profile the store refused, or a damaged file, is said, not passed over as a success; the
// list shows what was stored either way.
void ConnectionViewController::importFile(const std::string& path) {
    std::vector<std::string> problems;
    const std::vector<ConnectionSettingsPtr> connections = ConnectionCSV::parseFile(path, &problems);
    if (connections.empty()) {
        SettingsWidgets::showResult(view(), QStringLiteral("Failed to import connections"), problems);
        return;
    }
    ImportCounts counts;
    {
        const WaitCursor wait;
        counts = importConnections(connections);
    }
    reloadFromStore();
    SettingsWidgets::showImportResult(
        view(), counts.failed, counts.total, QStringLiteral("Imported connections successfully"),
        QStringLiteral("Imported connections with errors: %1 of %2 profiles were not imported"),
        QStringLiteral("Imported connections with problems in the file"), problems);
}

void ConnectionViewController::exportFile(const std::string& path) {
    if (!ConnectionCSV::exportToFile(path, ConnectionSettingsManager::allConnectionSettings())) {
        SettingsWidgets::showResult(view(), QStringLiteral("Failed to export connections"));
        return;
    }
    reloadFromStore();
    SettingsWidgets::showResult(view(), QStringLiteral("Exported connections successfully"));
}
