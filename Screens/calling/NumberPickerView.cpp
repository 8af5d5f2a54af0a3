#include "Screens/calling/NumberPickerView.h"

#include "App/OverlayHost.h"

#include <QMouseEvent>

NumberPickerView::NumberPickerView(QWidget* parent) : DimmedView(parent) {}

// The press and the list's frame are both taken in this view's own coordinates.
void NumberPickerView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (numberTableView() != nullptr && numberTableView()->geometry().contains(event->position().toPoint())) {
        return;
    }
    OverlayHost::removeFromSuperview(this);
}
