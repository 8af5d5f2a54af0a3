#include "Screens/calling/FillingView.h"

void FillingView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        child->setGeometry(rect());
    }
}
