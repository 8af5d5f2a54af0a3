#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <vector>

class QButtonGroup;
class QToolButton;

// A row of exclusive segments whose bezel can be recoloured in one tint colour, while the
// segments' labels keep their normal look. Without a tint it looks and behaves like a plain
// segmented control. segmentClicked() is the action: it comes only from the user's clicks.
class KTSegmentedControl : public QWidget {
    Q_OBJECT

public:
    explicit KTSegmentedControl(QWidget* parent = nullptr);

    void setLabels(const QStringList& labels);
    int segmentCount() const { return static_cast<int>(m_segments.size()); }
    QString labelForSegment(int segment) const;
    // The selected segment, -1 when none is.
    int selectedSegment() const;
    // Selects without the action; an index outside the segments clears the selection.
    void setSelectedSegment(int segment);
    QToolButton* segmentButton(int segment) const;

    // An invalid colour (the default) draws the standard bezel.
    QColor tintColor() const { return m_tintColor; }
    void setTintColor(const QColor& color);

    QSize sizeHint() const override;

signals:
    void segmentClicked(int segment);

private:
    QButtonGroup* m_group;
    std::vector<QToolButton*> m_segments;
    QColor m_tintColor;
};
