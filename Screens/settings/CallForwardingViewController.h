#pragma once

#include "App/KTNavigationProtocols.h"
#include "App/ViewController.h"
#include "Platform/NotificationCenter.h"

class KTSwitch;
class QComboBox;
class QLineEdit;
class QPushButton;

// Shows and changes the call forwarding of the box's VoIP line: whether calls are forwarded,
// where to, and when. It reads the live state from a line snapshot each time it appears and
// sends the change with "Update"; the box's answer shows in the toolbar, not here. The number
// can be picked from the phone book, which this screen gives the window to meanwhile.
//
// The toolbar opens it standalone, over the whole window, in a navigation stack of its own.
class CallForwardingViewController final : public ViewController, public KTNavigationBarDelegate {
    Q_OBJECT

public:
    explicit CallForwardingViewController(QObject* parent = nullptr);

    bool standalone() const { return m_standalone; }
    void setStandalone(bool standalone) { m_standalone = standalone; }

    KTSwitch* activateSwitch();
    QLineEdit* forwardCallsToField();
    QPushButton* openPhoneBookButton();
    QComboBox* forwardingTypeButton();
    // The last destination typed or picked.
    const QString& forwardCallsTo() const { return m_forwardCallsTo; }
    // False once the user touched a control since the screen appeared or since "Update".
    bool changesSaved() const { return m_changesSaved; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void leftButtonOfNavigationBarClicked(QAbstractButton* button) override;
    // "Update".
    void rightButtonOfNavigationBarClicked(QAbstractButton* button) override;

    void forwardCallsSwitchClicked();
    void openPhoneBookButtonClicked();
    void forwardCallsToFieldChanegd();
    void forwardingTypeButtonChanged();
    void controlTextDidChange();
    void backToCallForwardingSettingsView(const Platform::NotificationCenter::Notification& notification);

protected:
    QWidget* buildView() override;

private:
    void leave();

    bool m_standalone = false;
    QString m_forwardCallsTo;
    bool m_changesSaved = true;
    KTSwitch* m_activateSwitch = nullptr;
    QLineEdit* m_forwardCallsToField = nullptr;
    QPushButton* m_openPhoneBookButton = nullptr;
    QComboBox* m_forwardingTypeButton = nullptr;
};
