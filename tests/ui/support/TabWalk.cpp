#include "ui/support/TabWalk.h"

#include "App/controls/Colors.h"
#include "ui/support/UserInput.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <array>

bool TabWalk::framed(QWidget* widget) {
    QWidget* window = widget->window();
    const QImage image = window->grab(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())).toImage();
    const QColor accent = Colors::colorWithHexCode(Colors::accent);
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    const int middleX = image.width() / 2;
    const int middleY = image.height() / 2;
    const std::array<QPoint, 8> probes{
        QPoint(0, middleY), QPoint(1, middleY), QPoint(right, middleY),  QPoint(right - 1, middleY),
        QPoint(middleX, 0), QPoint(middleX, 1), QPoint(middleX, bottom), QPoint(middleX, bottom - 1)};
    return std::all_of(probes.begin(), probes.end(),
                       [&](const QPoint& probe) { return image.pixelColor(probe) == accent; });
}

QList<QWidget*> TabWalk::walk(int limit, const std::function<void(QWidget*)>& atEachStop, Qt::Key key) {
    QList<QWidget*> stops;
    for (int press = 0; press < limit; ++press) {
        // Backtab comes as the keyboard makes it: Shift with Tab.
        if (!UserInput::press(key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier)) {
            return {};
        }
        QWidget* stop = QApplication::focusWidget();
        if (!stops.isEmpty() && stop == stops.first()) {
            return stops;
        }
        stops.append(stop);
        if (atEachStop) {
            atEachStop(stop);
        }
    }
    return {};
}

QList<QWidget*> TabWalk::enteringAt(const QList<QWidget*>& stops, const QWidget* container) {
    const qsizetype count = stops.size();
    for (qsizetype first = 0; first < count; ++first) {
        const QWidget* previous = stops[(first + count - 1) % count];
        if (container->isAncestorOf(stops[first]) && !container->isAncestorOf(previous)) {
            return stops.mid(first) + stops.mid(0, first);
        }
    }
    return stops;
}
