#pragma once

#include <QPixmap>

class QWidget;

// One picture of a view with all its subviews, in its own bounds; works on a view that is not
// on screen. A view of zero size gives a null pixmap.
QPixmap flattenWithSubviews(QWidget* view);
