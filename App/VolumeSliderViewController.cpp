#include "App/VolumeSliderViewController.h"

#include "App/controls/KTSlider.h"
#include "App/controls/Styling.h"

#include <QHBoxLayout>
#include <QWidget>

VolumeSliderViewController::VolumeSliderViewController(QObject* parent)
    : ViewController(QStringLiteral("VolumeSliderView"), parent) {}

QWidget* VolumeSliderViewController::buildView() {
    auto* strip = new QWidget;
    strip->resize(350, 80);
    m_slider = new KTSlider(strip);
    m_slider->setObjectName(QStringLiteral("slider"));
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(24, 0, 24, 0);
    layout->addWidget(m_slider);
    return strip;
}

void VolumeSliderViewController::viewDidLoad() {
    Styling::fillBackground(view(), QColor::fromRgbF(0.95f, 0.95f, 0.95f));
    m_presenting = false;
}

void VolumeSliderViewController::setSliderValue(int value) {
    m_sliderValue = value;
    view();
    m_slider->setValue(value);
}
