#pragma once

#include <QString>

class QWidget;

// The view of a screen that is not built yet: its title on white. Goes when the last such
// screen is built.
QWidget* makePlaceholderView(const QString& title);
