#include "App/Alert.h"
#include "ui/screenshots/Screenshots.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>

namespace Screenshots {

QWidget* withSheet(QWidget* window) {
    QCoreApplication::processEvents();
    QPixmap picture = window->grab();
    if (QMessageBox* sheet = Alert::currentBox()) {
        sheet->adjustSize();
        const QPixmap box = sheet->grab();
        QPainter painter(&picture);
        painter.fillRect(picture.rect(), QColor(0, 0, 0, 40));
        const int left =
            (picture.width() / picture.devicePixelRatio() - box.width() / box.devicePixelRatio()) / 2;
        painter.drawPixmap(QPointF(left, 30), box);
        painter.setPen(QColor(0xB0, 0xB0, 0xB0));
        painter.drawRect(QRectF(QPointF(left, 30), box.deviceIndependentSize()).adjusted(0, 0, -1, -1));
        sheet->done(0);
    }
    // The window owns the picture, so it goes with the harness's window.
    auto* label = new QLabel(window, Qt::Window);
    label->setPixmap(picture);
    label->resize(picture.deviceIndependentSize().toSize());
    return label;
}

} // namespace Screenshots
