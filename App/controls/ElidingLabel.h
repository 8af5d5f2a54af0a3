#pragma once

#include <QLabel>

// A one-line plain-text label that shortens a text too long for it with "…" (at the end, or in
// the middle for addresses, so the host stays readable) while text() keeps the whole text. It
// asks its layout for no more room than "…", so a long text never widens a row or a window.
// Its colour is the palette's window text.
class ElidingLabel final : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString shownText READ shownText)

public:
    explicit ElidingLabel(QWidget* parent = nullptr, Qt::TextElideMode elideMode = Qt::ElideRight);

    // The text as it shows now: whole, or shortened with "…" to the label's width.
    QString shownText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Qt::TextElideMode m_elideMode;
};
