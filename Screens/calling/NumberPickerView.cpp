#include "Screens/calling/NumberPickerView.h"

#include "App/OverlayHost.h"

#include <QMouseEvent>

#include <algorithm>

namespace {

// The dimmed band kept above and below a panel that fills the view.
constexpr int panelMargin = 24;

} // namespace

NumberPickerView::NumberPickerView(QWidget* parent) : DimmedView(parent) {}

void NumberPickerView::setPanelHeight(int height) {
    m_panelHeight = height;
    fitPanel();
}

void NumberPickerView::resizeEvent(QResizeEvent* event) {
    fitPanel();
    DimmedView::resizeEvent(event);
}

void NumberPickerView::fitPanel() {
    QWidget* list = numberTableView();
    if (list == nullptr) {
        return;
    }
    const int room = height() - 2 * panelMargin;
    list->setFixedHeight(room > 0 ? std::min(m_panelHeight, room) : m_panelHeight);
    setPanel(list);
}

// The press and the list's frame are both taken in this view's own coordinates.
void NumberPickerView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (numberTableView() != nullptr && numberTableView()->geometry().contains(event->position().toPoint())) {
        return;
    }
    OverlayHost::removeFromSuperview(this);
}
