#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;

// An image above a title, laid inside a function button of the active-call screens. It keeps no
// image or title of its own: both live in its two labels. Clicks pass through to the button.
class FunctionButtonView : public QWidget {
    Q_OBJECT

public:
    explicit FunctionButtonView(QWidget* parent = nullptr);

    QLabel* imageView() const { return m_imageView; }
    QLabel* titleField() const { return m_titleField; }

    QPixmap image() const;
    void setImage(const QPixmap& image);
    // The full title, also when the label shows it shortened.
    QString title() const;
    // A null title is written as an empty one.
    void setTitle(const QString& title);

private:
    QLabel* m_imageView;
    QLabel* m_titleField;
};
