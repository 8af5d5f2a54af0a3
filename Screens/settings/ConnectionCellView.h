#pragma once

#include "App/WeakDelegate.h"
#include "Logic/bridge/ConnectionSettings.h"

#include <QWidget>

class ConnectionCellView;
class QLabel;
class QPushButton;

// Hears the two buttons of a connection row, with the row itself.
class ConnectionCellDelegate {
public:
    virtual ~ConnectionCellDelegate() = default;
    virtual void leftButtonOfConnectionCellClicked(ConnectionCellView* /*cell*/) {}
    virtual void rightButtonOfConnectionCellClicked(ConnectionCellView* /*cell*/) {}
};

// A row of the connection list: the room name, a left button (delete, in edit mode only) and a
// right button (connect, or edit in edit mode). The current profile's row is lit: orange name
// and orange right button. The row holds the very profile object the editor later edits.
class ConnectionCellView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int rowHeight = 50;
    static constexpr int editModeNameInset = 62;
    static constexpr int normalNameInset = 20;

    explicit ConnectionCellView(QWidget* parent = nullptr);

    QLabel* nameField() const { return m_nameField; }
    QPushButton* leftButton() const { return m_leftButton; }
    QPushButton* rightButton() const { return m_rightButton; }
    QWidget* bottomLineView() const { return m_bottomLineView; }
    // The name's left inset: wider in edit mode, where the left button stands before it.
    int nameFieldLeftConstraint() const { return m_nameFieldLeftConstraint; }

    // Not owned; a delegate that is destroyed is forgotten.
    ConnectionCellDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(ConnectionCellDelegate* delegate) { m_delegate.reset(delegate); }

    const ConnectionSettingsPtr& connection() const { return m_connection; }
    void setConnection(ConnectionSettingsPtr connection) { m_connection = std::move(connection); }

    bool inEditMode() const { return m_inEditMode; }
    void setInEditMode(bool inEditMode);
    bool highlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    // The image the right button shows, by name.
    const QString& rightImageName() const { return m_rightImageName; }

    // Ordinary rows delete with their left button; the "New Connection" row adds with it.
    void setLeftImage(const QString& imageName, const QString& accessibleName);

    void leftButtonOfConnectionCellClicked();
    void rightButtonOfConnectionCellClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showRightButtonImage();
    void layoutSubviews();

    QLabel* m_nameField;
    QPushButton* m_leftButton;
    QPushButton* m_rightButton;
    QWidget* m_bottomLineView;
    int m_nameFieldLeftConstraint = normalNameInset;
    WeakDelegate<ConnectionCellDelegate> m_delegate;
    ConnectionSettingsPtr m_connection;
    bool m_inEditMode = false;
    bool m_highlighted = false;
    QString m_rightImageName;
};
