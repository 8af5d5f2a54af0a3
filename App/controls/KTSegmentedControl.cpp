#include "App/controls/KTSegmentedControl.h"

#include "App/controls/ImageTint.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>

namespace {

// One segment. Tinted, it paints the bezel of a plain segment, recolours that picture (first
// white, then the tint, as the icons are tinted) and puts the untinted label on top.
class SegmentButton final : public QToolButton {
public:
    SegmentButton(KTSegmentedControl* control, QWidget* parent) : QToolButton(parent), m_control(control) {
        setCheckable(true);
        setAutoRaise(false);
        setToolButtonStyle(Qt::ToolButtonTextOnly);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        const QColor tint = m_control->tintColor();
        if (!tint.isValid()) {
            QToolButton::paintEvent(event);
            return;
        }
        const qreal ratio = devicePixelRatioF();
        QImage bezel(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        bezel.setDevicePixelRatio(ratio);
        bezel.fill(Qt::transparent);
        {
            QPainter bezelPainter(&bezel);
            bezelPainter.setRenderHint(QPainter::Antialiasing);
            const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
            bezelPainter.setPen(QPen(QColor(120, 120, 120), 1.0));
            bezelPainter.setBrush(isChecked() ? QColor(90, 90, 90) : QColor(250, 250, 250));
            bezelPainter.drawRoundedRect(frame, 3, 3);
        }
        const QImage tinted = imageTintedWithColor(imageTintedWithColor(bezel, Qt::white), tint);
        QPainter painter(this);
        painter.drawImage(QPointF(0, 0), tinted);
        painter.setPen(
            palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(rect(), Qt::AlignCenter, text());
    }

private:
    KTSegmentedControl* m_control;
};

} // namespace

KTSegmentedControl::KTSegmentedControl(QWidget* parent) : QWidget(parent), m_group(new QButtonGroup(this)) {
    m_group->setExclusive(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    connect(m_group, &QButtonGroup::idClicked, this, &KTSegmentedControl::segmentClicked);
}

void KTSegmentedControl::setLabels(const QStringList& labels) {
    for (QToolButton* segment : m_segments) {
        m_group->removeButton(segment);
        delete segment;
    }
    m_segments.clear();
    for (int index = 0; index < labels.size(); ++index) {
        auto* segment = new SegmentButton(this, this);
        segment->setText(labels.at(index));
        segment->setObjectName(QStringLiteral("segment%1").arg(index));
        m_group->addButton(segment, index);
        layout()->addWidget(segment);
        m_segments.push_back(segment);
    }
}

QString KTSegmentedControl::labelForSegment(int segment) const {
    QToolButton* button = segmentButton(segment);
    return button != nullptr ? button->text() : QString();
}

int KTSegmentedControl::selectedSegment() const {
    return m_group->checkedId();
}

void KTSegmentedControl::setSelectedSegment(int segment) {
    QToolButton* button = segmentButton(segment);
    if (button != nullptr) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; lift that for a moment to clear it.
    if (QAbstractButton* checked = m_group->checkedButton()) {
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
}

QToolButton* KTSegmentedControl::segmentButton(int segment) const {
    if (segment < 0 || segment >= segmentCount()) {
        return nullptr;
    }
    return m_segments[static_cast<size_t>(segment)];
}

void KTSegmentedControl::setTintColor(const QColor& color) {
    m_tintColor = color;
    for (QToolButton* segment : m_segments) {
        segment->update();
    }
}

QSize KTSegmentedControl::sizeHint() const {
    QSize hint = QWidget::sizeHint();
    return {hint.width(), std::max(hint.height(), 24)};
}
