#include "App/controls/DimmedView.h"

#include <QMouseEvent>
#include <QPainter>

DimmedView::DimmedView(QWidget* parent) : QWidget(parent) {}

void DimmedView::setPanel(QWidget* panel) {
    m_panel = panel;
    centrePanel();
}

void DimmedView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgbF(0, 0, 0, 0.5f));
}

void DimmedView::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void DimmedView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void DimmedView::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void DimmedView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    centrePanel();
}

void DimmedView::centrePanel() {
    if (m_panel != nullptr) {
        m_panel->move((width() - m_panel->width()) / 2, (height() - m_panel->height()) / 2);
    }
}
