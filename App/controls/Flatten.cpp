#include "App/controls/Flatten.h"

#include <QLayout>
#include <QWidget>

QPixmap flattenWithSubviews(QWidget* view) {
    if (view == nullptr || view->size().isEmpty()) {
        return {};
    }
    // A page that was never shown has not laid itself out yet.
    view->ensurePolished();
    if (view->layout() != nullptr) {
        view->layout()->activate();
    }
    return view->grab();
}
