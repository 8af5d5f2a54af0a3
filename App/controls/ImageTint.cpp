#include "App/controls/ImageTint.h"

#include <algorithm>
#include <cmath>

namespace {

double luma(double red, double green, double blue) {
    return 0.2126 * red + 0.7152 * green + 0.0722 * blue;
}

} // namespace

QImage imageTintedWithColor(const QImage& source, const QColor& tint) {
    if (!tint.isValid()) {
        return source.copy();
    }
    const QColor rgb = tint.toRgb();
    const double tintLuma = luma(rgb.redF(), rgb.greenF(), rgb.blueF());
    const auto vivid = [tintLuma](double component) {
        return std::clamp(tintLuma + 3.0 * (component - tintLuma) + 0.35, 0.0, 1.0);
    };
    const double red = vivid(rgb.redF());
    const double green = vivid(rgb.greenF());
    const double blue = vivid(rgb.blueF());

    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const double grey = 0.75 * luma(qRed(pixel) / 255.0, qGreen(pixel) / 255.0, qBlue(pixel) / 255.0);
            const auto channel = [grey](double component) {
                return static_cast<int>(std::lround(std::clamp(component * grey, 0.0, 1.0) * 255.0));
            };
            line[x] = qRgba(channel(red), channel(green), channel(blue), qAlpha(pixel));
        }
    }
    image.setDevicePixelRatio(source.devicePixelRatio());
    return image;
}

QPixmap imageTintedWithColor(const QPixmap& source, const QColor& tint) {
    if (source.isNull()) {
        return source.copy();
    }
    QPixmap result = QPixmap::fromImage(imageTintedWithColor(source.toImage(), tint));
    result.setDevicePixelRatio(source.devicePixelRatio());
    return result;
}
