#pragma once

#include "App/ViewController.h"

class KTSlider;

// The strip that shows the box's speaker level for a few seconds after it changes. It only
// displays; the toolbar places, shows and hides it.
class VolumeSliderViewController final : public ViewController {
    Q_OBJECT

public:
    explicit VolumeSliderViewController(QObject* parent = nullptr);

    KTSlider* slider() const { return m_slider; }
    int sliderValue() const { return m_sliderValue; }
    // The slider shows 0-100; the value is kept as given.
    void setSliderValue(int value);
    bool presenting() const { return m_presenting; }
    void setPresenting(bool presenting) { m_presenting = presenting; }

    void viewDidLoad() override;

protected:
    QWidget* buildView() override;

private:
    KTSlider* m_slider = nullptr;
    int m_sliderValue = 0;
    bool m_presenting = false;
};
