#pragma once

#include <QPushButton>
#include <QString>

// A push button whose title is shown on one line, shortened in the middle when it does not fit.
// The title is taken literally: an "&" shows as itself and makes no shortcut.
class ElidedTitleButton : public QPushButton {
    Q_OBJECT

public:
    explicit ElidedTitleButton(QWidget* parent = nullptr);

    // The whole title, also while the face shows it shortened.
    QString title() const { return m_title; }
    void setTitle(const QString& title);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showTitle();

    QString m_title;
};
