#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>

// Recolours a single-colour icon: the tint, made vivid (saturation 3 around its luma, brightness
// +0.35, clamped), multiplied over a grey (0.75) monochrome of the icon. Each pixel keeps its
// alpha. An invalid colour gives an unchanged copy.
QImage imageTintedWithColor(const QImage& source, const QColor& tint);
QPixmap imageTintedWithColor(const QPixmap& source, const QColor& tint);
