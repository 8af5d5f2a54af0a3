#include "App/Images.h"

#include "App/controls/ImageTint.h"
#include "Platform/Log.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace {

QString pathOf(const QString& name) {
    return QStringLiteral(":/images/") + name + QStringLiteral(".svg");
}

QHash<QString, QPixmap>& cache() {
    static QHash<QString, QPixmap> pixmaps;
    return pixmaps;
}

QString keyOf(const QString& name, QSize size, qreal ratio, QRgb tint) {
    return QStringLiteral("%1|%2x%3|%4|%5")
        .arg(name)
        .arg(size.width())
        .arg(size.height())
        .arg(ratio)
        .arg(tint);
}

qreal effectiveRatio(qreal ratio) {
    if (ratio > 0) {
        return ratio;
    }
    return qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
}

QPixmap render(const QString& name, QSize size, qreal ratio) {
    if (!QFile::exists(pathOf(name))) {
        Platform::Log::err("Images: no image named \"" + name.toStdString() + "\"");
        return {};
    }
    QSvgRenderer renderer(pathOf(name));
    const QSize logical = size.isEmpty() ? renderer.defaultSize() : size;
    QPixmap pixmap(QSize(static_cast<int>(std::ceil(logical.width() * ratio)),
                         static_cast<int>(std::ceil(logical.height() * ratio))));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

} // namespace

QPixmap Images::named(const QString& name, QSize size, qreal ratio) {
    ratio = effectiveRatio(ratio);
    const QString key = keyOf(name, size, ratio, 0);
    const auto found = cache().constFind(key);
    if (found != cache().constEnd()) {
        return *found;
    }
    QPixmap pixmap = render(name, size, ratio);
    if (!pixmap.isNull()) {
        cache().insert(key, pixmap);
    }
    return pixmap;
}

QPixmap Images::tinted(const QString& name, const QColor& tint, QSize size, qreal ratio) {
    ratio = effectiveRatio(ratio);
    // The alpha bits keep a tinted entry apart from the plain one of the same name.
    const QString key = keyOf(name, size, ratio, tint.rgb() | 0xFF000000u) + QStringLiteral("|tinted");
    const auto found = cache().constFind(key);
    if (found != cache().constEnd()) {
        return *found;
    }
    const QPixmap plain = named(name, size, ratio);
    if (plain.isNull()) {
        return plain;
    }
    QPixmap pixmap = imageTintedWithColor(plain, tint);
    cache().insert(key, pixmap);
    return pixmap;
}

QSize Images::defaultSize(const QString& name) {
    if (!QFile::exists(pathOf(name))) {
        return {};
    }
    QSvgRenderer renderer(pathOf(name));
    return renderer.defaultSize();
}

QStringList Images::allNames() {
    QStringList names;
    const QStringList files =
        QDir(QStringLiteral(":/images")).entryList({QStringLiteral("*.svg")}, QDir::Files);
    for (const QString& file : files) {
        names.append(file.chopped(4));
    }
    return names;
}
