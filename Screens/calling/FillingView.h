#pragma once

#include <QWidget>

// A container whose child views follow its size, as the entry views fill the dialer's content
// area whichever of them is on top (each is given the full area when it is added).
class FillingView final : public QWidget {
    Q_OBJECT

public:
    explicit FillingView(QWidget* parent = nullptr) : QWidget(parent) {}

protected:
    void resizeEvent(QResizeEvent* event) override;
};
