#pragma once

#include <QWidget>

// The root of a pop-up: it darkens whatever lies beneath it (black at half opacity), keeps the
// clicks from reaching it, and keeps its panel centred.
class DimmedView : public QWidget {
    Q_OBJECT

public:
    explicit DimmedView(QWidget* parent = nullptr);

    QWidget* panel() const { return m_panel; }
    void setPanel(QWidget* panel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void centrePanel();

    QWidget* m_panel = nullptr;
};
