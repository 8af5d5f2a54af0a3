#pragma once

#include "App/WeakDelegate.h"
#include <QListView>

class KTTableView;

// Told of every single click on a row of a KTTableView.
class KTTableDelegate {
public:
    virtual ~KTTableDelegate() = default;
    // row: the row under the press, taken before the view handles it.
    virtual void didClickedRow(KTTableView* tableView, int row) = 0;
};

// The list of every list screen: a QListView over the screen's model that reports each press on
// a row (both presses of a double click) to its extended delegate, after the view has handled
// it. A press below the last row reports nothing.
class KTTableView : public QListView {
    Q_OBJECT

public:
    explicit KTTableView(QWidget* parent = nullptr);

    // Not owned; a delegate that is destroyed is forgotten.
    KTTableDelegate* extendedDelegate() const { return m_extendedDelegate.get(); }
    void setExtendedDelegate(KTTableDelegate* delegate) { m_extendedDelegate.reset(delegate); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void report(int row);

    WeakDelegate<KTTableDelegate> m_extendedDelegate;
};
