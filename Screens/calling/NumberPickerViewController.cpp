#include "Screens/calling/NumberPickerViewController.h"

#include "App/CallTexts.h"
#include "App/controls/KTTableView.h"
#include "Screens/calling/CallingLook.h"
#include "Screens/calling/NumberPickerCellView.h"
#include "Screens/calling/NumberPickerView.h"
#include "Screens/calling/WidgetRowsModel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int panelWidth = 280;

} // namespace

NumberPickerViewController::NumberPickerViewController(QObject* parent)
    : ViewController(QStringLiteral("NumberPickerView"), parent) {}

QWidget* NumberPickerViewController::buildView() {
    m_pickerView = new NumberPickerView;
    m_pickerView->resize(420, 600);
    auto* panel = new QWidget(m_pickerView);
    panel->setObjectName(QStringLiteral("numberTableView"));
    CallingLook::setLayerColour(panel, 0xFFFFFF);
    m_tableView = new KTTableView(panel);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    m_tableView->setStyleSheet(QStringLiteral("KTTableView { border: 1px solid #E0E0E0; }"));
    m_tableView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_tableView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_tableView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_model = new WidgetRowsModel(m_tableView);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tableView);
    m_pickerView->setPanel(panel);
    setTableViewHeightConstraint(2);
    return m_pickerView;
}

QWidget* NumberPickerViewController::numberTableView() const {
    return m_pickerView != nullptr ? m_pickerView->numberTableView() : nullptr;
}

void NumberPickerViewController::viewWillAppearInWindow() {
    view();
    loadCellViews();
}

void NumberPickerViewController::loadCellViews() {
    view();
    m_cellViews.clear();
    std::vector<QWidget*> rows;
    int height = 0;
    if (m_contact != nullptr) {
        for (const ContactNumberPtr& number : m_contact->numbers()) {
            if (number == nullptr) {
                continue;
            }
            NumberPickerCellView* cell = loadCellView();
            cell->numberType()->setText(phoneTypeToString(number->type()));
            cell->number()->setText(QString::fromStdString(number->number()));
            cell->setOwner(m_owner);
            m_cellViews.push_back(cell);
            rows.push_back(cell);
            height += cell->height();
        }
    }
    m_model->setRows(rows);
    setTableViewHeightConstraint(height + 2);
}

NumberPickerCellView* NumberPickerViewController::loadCellView() {
    return new NumberPickerCellView;
}

// The panel is as tall as the list, as far as the dimmed view has room, and stays centred.
void NumberPickerViewController::setTableViewHeightConstraint(int height) {
    m_tableViewHeightConstraint = height;
    numberTableView()->setFixedWidth(panelWidth);
    m_pickerView->setPanelHeight(height);
}
