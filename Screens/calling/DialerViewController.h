#pragma once

#include "App/ViewController.h"

#include <QPointer>

// Placeholder until the screen is built: titled, with the members the shell calls.
class DialerViewController final : public ViewController {
    Q_OBJECT

public:
    explicit DialerViewController(QObject* parent = nullptr);

    // The window's content area, handed on by the tab bar; not owned.
    void setWindowContentView(QWidget* view) { m_windowContentView = view; }
    QWidget* windowContentView() const { return m_windowContentView; }
    bool openedFromActiveCallView() const { return m_openedFromActiveCallView; }
    void setOpenedFromActiveCallView(bool opened) { m_openedFromActiveCallView = opened; }
    void navigateToDialPadView();
    void navigateToSIPURIView();

protected:
    QWidget* buildView() override;

private:
    QPointer<QWidget> m_windowContentView;
    bool m_openedFromActiveCallView = false;
};
