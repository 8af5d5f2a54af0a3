#pragma once

#include "Screens/calling/CallEntryViewController.h"

class QLineEdit;

// The dialer's second entry view, for a VoIP profile: one field for a SIP address (any text)
// and the call key, which works as the dial pad's. The field keeps what was typed.
class SIPURIViewController final : public CallEntryViewController {
    Q_OBJECT

public:
    explicit SIPURIViewController(QObject* parent = nullptr);

    QLineEdit* sipURIField() const { return m_sipURIField; }

    void viewDidLoad() override;
    // Focuses the field (queued); its text stays.
    void viewWillAppearInWindow() override;
    void callButtonClicked() override;

protected:
    QWidget* buildView() override;

private:
    QLineEdit* m_sipURIField = nullptr;
};
