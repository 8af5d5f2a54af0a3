#include "Screens/directory/RowButtonTableView.h"

#include <QMouseEvent>

RowButtonTableView::RowButtonTableView(QWidget* parent) : KTTableView(parent) {
    setSelectionMode(QAbstractItemView::NoSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(false);
    // Headers and contacts differ in height; a uniform size would take one for all.
    setUniformItemSizes(false);
}

void RowButtonTableView::setRowButtonPainter(RowButtonPainter* painter) {
    m_painter = painter;
    painter->setParent(this);
    setItemDelegate(painter);
}

std::pair<QModelIndex, int> RowButtonTableView::buttonUnder(const QPoint& point) const {
    const QModelIndex index = indexAt(point);
    if (!index.isValid() || m_painter == nullptr) {
        return {QModelIndex(), -1};
    }
    const int button = m_painter->buttonAt(index, visualRect(index), point);
    return {button < 0 ? QModelIndex() : index, button};
}

bool RowButtonTableView::pressButton(QMouseEvent* event) {
    const auto [index, button] = buttonUnder(event->position().toPoint());
    if (button < 0) {
        return false;
    }
    m_pressedRow = index;
    m_pressedButton = button;
    event->accept();
    return true;
}

void RowButtonTableView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    if (!pressButton(event)) {
        KTTableView::mousePressEvent(event);
    }
}

void RowButtonTableView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    // The second press of a double click on a button is one more press of that button.
    if (!pressButton(event)) {
        KTTableView::mouseDoubleClickEvent(event);
    }
}

void RowButtonTableView::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressedButton >= 0) {
        event->accept();
        return;
    }
    KTTableView::mouseMoveEvent(event);
}

void RowButtonTableView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_pressedButton < 0) {
        KTTableView::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    const int pressedButton = m_pressedButton;
    const QPersistentModelIndex pressedRow = m_pressedRow;
    m_pressedButton = -1;
    m_pressedRow = QPersistentModelIndex();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const auto [index, button] = buttonUnder(event->position().toPoint());
    if (button == pressedButton && pressedRow.isValid() && index == QModelIndex(pressedRow)) {
        emit rowButtonClicked(index.row(), button);
    }
}
