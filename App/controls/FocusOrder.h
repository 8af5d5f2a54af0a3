#pragma once

#include <QWidget>

// Tab and Backtab in the main window move as the window reads, from top to bottom: the toolbar,
// the page's bar, the page, the strips at the page's foot, then the tab bar. Within one part the
// order the screens chain (QWidget::setTabOrder) holds. A view laid over others (OverlayHost)
// hides what lies beneath it from Tab as from the eye.
namespace FocusOrder {

enum class Part { Toolbar, PageBar, Page, PageFoot, TabBar };

// Every widget inside the container belongs to the part, unless a container nearer to it is
// marked too; a widget in no marked container belongs to the page.
void setPart(QWidget* container, Part part);

// Where Tab (forward) or Backtab moves focus in the window from its focus widget; null when no
// widget takes it.
QWidget* next(QWidget* window, bool forward);

// A top-level widget whose Tab and Backtab follow next().
class Window : public QWidget {
public:
    using QWidget::QWidget;

protected:
    bool focusNextPrevChild(bool forward) override;
};

} // namespace FocusOrder
