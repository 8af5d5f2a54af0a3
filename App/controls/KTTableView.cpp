#include "App/controls/KTTableView.h"

#include <QMouseEvent>
#include <QPointer>

KTTableView::KTTableView(QWidget* parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void KTTableView::mousePressEvent(QMouseEvent* event) {
    const int row = indexAt(event->position().toPoint()).row();
    QPointer<KTTableView> guard(this);
    QListView::mousePressEvent(event);
    if (guard) {
        report(row);
    }
}

void KTTableView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = indexAt(event->position().toPoint()).row();
    QPointer<KTTableView> guard(this);
    QListView::mouseDoubleClickEvent(event);
    if (guard) {
        report(row);
    }
}

void KTTableView::report(int row) {
    KTTableDelegate* delegate = extendedDelegate();
    if (row != -1 && delegate != nullptr) {
        delegate->didClickedRow(this, row);
    }
}
