#include "App/controls/KTPickerViewController.h"

#include "App/controls/Colors.h"
#include "App/controls/DimmedView.h"
#include "App/controls/Styling.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int panelWidth = 300;
constexpr int barHeight = 44;
constexpr int visibleRows = 8;

constexpr int itemInset = 16;

// Rows of the picker's height whose texts keep a margin from the panel's edges; the selection
// still spans the whole row.
class RowHeightDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width() + 2 * itemInset,
                KTPickerViewController::rowHeight};
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        QStyle* style = item.widget != nullptr ? item.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, item.widget);
        item.rect.adjust(itemInset, 0, -itemInset, 0);
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
    }
};

} // namespace

KTPickerViewController::KTPickerViewController(QObject* parent)
    : ViewController(QStringLiteral("KTPickerView"), parent) {}

QWidget* KTPickerViewController::buildView() {
    auto* dim = new DimmedView;
    dim->resize(420, 600);
    m_pickerView = new QWidget(dim);
    m_pickerView->setObjectName(QStringLiteral("pickerView"));
    m_pickerView->setFixedSize(panelWidth, barHeight + visibleRows * rowHeight + 2);
    dim->setPanel(m_pickerView);

    m_controlBar = new QWidget(m_pickerView);
    m_controlBar->setObjectName(QStringLiteral("controlBar"));
    m_controlBar->setFixedHeight(barHeight);
    m_leftButton = Styling::makeBarButton(m_controlBar, QStringLiteral("leftButton"));
    m_barTitleField = new QLabel(m_controlBar);
    m_barTitleField->setObjectName(QStringLiteral("barTitleField"));
    m_barTitleField->setTextFormat(Qt::PlainText);
    m_barTitleField->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_barTitleField->font();
    titleFont.setPixelSize(15);
    titleFont.setBold(true);
    m_barTitleField->setFont(titleFont);
    m_rightButton = Styling::makeBarButton(m_controlBar, QStringLiteral("rightButton"));
    auto* barLayout = new QHBoxLayout(m_controlBar);
    barLayout->setContentsMargins(6, 0, 6, 0);
    barLayout->addWidget(m_leftButton);
    barLayout->addWidget(m_barTitleField, 1);
    barLayout->addWidget(m_rightButton);

    m_model = new QStringListModel(this);
    m_tableView = new KTTableView(m_pickerView);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    m_tableView->setModel(m_model);
    m_tableView->setItemDelegate(new RowHeightDelegate(m_tableView));
    m_tableView->setFrameShape(QFrame::NoFrame);
    auto* separator = new QWidget(m_pickerView);
    separator->setFixedHeight(1);
    Styling::fillBackground(separator, Colors::colorWithHexCode(Colors::separator));

    auto* panelLayout = new QVBoxLayout(m_pickerView);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    panelLayout->addWidget(m_controlBar);
    panelLayout->addWidget(separator);
    panelLayout->addWidget(m_tableView, 1);

    QWidget::setTabOrder(m_leftButton, m_rightButton);
    QWidget::setTabOrder(m_rightButton, m_tableView);
    connect(m_leftButton, &QPushButton::clicked, this, &KTPickerViewController::leftButtonClicked);
    connect(m_rightButton, &QPushButton::clicked, this, &KTPickerViewController::rightButtonClicked);
    return dim;
}

void KTPickerViewController::viewDidLoad() {
    Styling::fillBackground(m_pickerView, Qt::white);
    Styling::fillBackground(m_controlBar, Qt::white);
    m_leftButton->setStyleSheet(Styling::accentTitleStyle(QStringLiteral("center")));
    m_rightButton->setStyleSheet(Styling::accentTitleStyle(QStringLiteral("center")));
    m_tableView->setExtendedDelegate(this);
    m_model->setStringList(m_items);
}

void KTPickerViewController::viewWillAppearInWindow() {
    view();
    m_leftButton->setText(m_leftTitle);
    m_rightButton->setText(m_rightTitle);
    m_barTitleField->setText(m_barTitlte);
    selectRow(m_selectedIndex);
    if (m_selectedIndex >= 0 && m_selectedIndex < m_items.size()) {
        m_tableView->scrollTo(m_model->index(m_selectedIndex));
    }
}

void KTPickerViewController::setItems(const QStringList& items) {
    m_items = items;
    if (isViewLoaded()) {
        m_model->setStringList(m_items);
    }
}

void KTPickerViewController::setSelectedIndex(int index) {
    m_selectedIndex = index;
    if (isViewLoaded()) {
        selectRow(index);
    }
}

void KTPickerViewController::setSelectedItem(const QString& item) {
    m_selectedItem = item;
    const auto found = m_items.indexOf(item);
    if (found >= 0) {
        setSelectedIndex(static_cast<int>(found));
    }
}

void KTPickerViewController::selectRow(int row) {
    m_tableView->clearSelection();
    if (row >= 0 && row < m_model->rowCount()) {
        m_tableView->setCurrentIndex(m_model->index(row));
        m_tableView->selectionModel()->select(m_model->index(row), QItemSelectionModel::ClearAndSelect);
    }
}

void KTPickerViewController::didClickedRow(KTTableView*, int row) {
    if (row < 0 || row >= m_items.size()) {
        return;
    }
    m_selectedIndex = row;
    m_selectedItem = m_items.at(row);
}

void KTPickerViewController::leftButtonClicked() {
    if (KTPickerViewDelegate* target = delegate()) {
        target->leftButtonOfPickerViewClicked(this);
    }
}

void KTPickerViewController::rightButtonClicked() {
    if (KTPickerViewDelegate* target = delegate()) {
        target->rightButtonOfPickerViewClicked(this);
    }
}
