#pragma once

#include <QString>
#include <QWidget>

class QLabel;

// One number in the number picker: its type and the number. A press on it posts
// "dismissNumberPickerView" with the number and the picker's owner; the owner takes the picker
// away.
class NumberPickerCellView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int rowHeight = 44;

    explicit NumberPickerCellView(QWidget* parent = nullptr);

    QLabel* numberType() const { return m_numberType; }
    QLabel* number() const { return m_number; }
    QWidget* bottomLine() const { return m_bottomLine; }
    QString owner() const { return m_owner; }
    void setOwner(const QString& owner) { m_owner = owner; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* m_numberType;
    QLabel* m_number;
    QWidget* m_bottomLine;
    QString m_owner;
};
