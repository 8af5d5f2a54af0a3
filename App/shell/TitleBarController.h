#pragma once

#include "App/DateTimeFormats.h"
#include "App/ViewController.h"

#include <QTimer>

class QLabel;

// The clock at the right end of the window's header strip: today's date and the time, in the
// formats picked in the preferences, refreshed every second.
class TitleBarController final : public ViewController {
    Q_OBJECT

public:
    explicit TitleBarController(QObject* parent = nullptr);

    QLabel* systemDateTimeField() const { return m_systemDateTimeField; }
    const DateTimeFormats& formats() const { return m_formats; }

    void viewDidLoad() override;
    // Reads the stored format names; the next tick shows them.
    void loadDateTimeFormat();
    // Shows the time now and re-arms the one-second tick (the timer's action).
    void updateSystemDateTime();
    bool isTicking() const { return m_tick.isActive(); }

protected:
    QWidget* buildView() override;

private:
    QLabel* m_systemDateTimeField = nullptr;
    DateTimeFormats m_formats;
    QTimer m_tick;
};
