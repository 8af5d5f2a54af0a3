#pragma once

#include <QList>
#include <Qt>

#include <functional>

class QWidget;

// Focus frames and Tab as the user meets them.
namespace TabWalk {

// The program's focus frame lies along the widget's border as its window shows it: the accent
// colour in the two outermost pixels at the middle of each of the four edges.
bool framed(QWidget* widget);

// Presses Tab (or the key given: Backtab) until focus comes back to the first widget it reached,
// at most `limit` times, and gives the widgets in the order reached; `atEachStop` sees each one as
// it is reached. Empty when a press was refused or focus never came back.
QList<QWidget*> walk(int limit, const std::function<void(QWidget*)>& atEachStop = {},
                     Qt::Key key = Qt::Key_Tab);

// The same round of stops, begun where Tab enters the container (the stop in it that follows one
// outside it); unchanged when there is no such stop.
QList<QWidget*> enteringAt(const QList<QWidget*>& stops, const QWidget* container);

} // namespace TabWalk
