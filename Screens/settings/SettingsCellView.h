#pragma once

#include <QWidget>

class QLabel;

// A row of a settings menu (the settings list, the connection editor's pages): a title on white
// with a separator line at the bottom. The whole row is the click target.
class SettingsCellView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int rowHeight = 44;

    explicit SettingsCellView(QWidget* parent = nullptr);

    QLabel* settingsNameField() const { return m_settingsNameField; }
    QWidget* bottomView() const { return m_bottomView; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_settingsNameField;
    QWidget* m_bottomView;
};
