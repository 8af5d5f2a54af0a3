#pragma once

#include "Screens/calling/CallEntryViewController.h"

#include <array>

class KeyPadDigitValueFormatter;
class QLineEdit;
class QPushButton;

// The keypad entry view of the dialer: a number field, twelve keys, backspace, the call key
// and, for a telephone line, the hook-flash key. The keys compose a number; while a call or a
// dial tone is up, or while the pad is a running call's keypad, they also send each press and
// release to the box as key events. A digit held for a second on an empty field dials the
// speed-dial slot of that digit.
class DialPadViewController final : public CallEntryViewController {
    Q_OBJECT

public:
    // The keys' tags: a digit key's tag is its digit.
    static constexpr int asteriskTag = 10;
    static constexpr int sharpTag = 11;
    static constexpr int keyCount = 12;
    // The hook-flash key's x, beside the call key and alone.
    static constexpr int flashBesideCallX = 102;
    static constexpr int flashAloneX = 185;

    explicit DialPadViewController(QObject* parent = nullptr);

    // 0: VoIP or no profile, no flash key; 1: telephone line, with it. Lays out the keys.
    int64_t mode() const { return m_mode; }
    void setMode(int64_t mode);
    // A plain setter: the keys follow at the next setMode.
    bool openedFromActiveCallView() const { return m_openedFromActiveCallView; }
    void setOpenedFromActiveCallView(bool opened) { m_openedFromActiveCallView = opened; }

    QLineEdit* numberField() const { return m_numberField; }
    QPushButton* digitButton(int tag) const;
    QPushButton* backspaceButton() const { return m_backspaceButton; }
    QPushButton* flashButton() const { return m_flashButton; }
    int longPressedButtonTag() const { return m_longPressedButtonTag; }

    void viewDidLoad() override;
    // Empties the field, focuses it and puts the cursor at its end (queued).
    void viewWillAppearInWindow() override;

    // A mouse-down or mouse-up on the key with the tag.
    void digitButtonClicked(int tag);
    // A second after a press on an empty field: the speed dial, unless the key is up again.
    void digitButtonLongPressed();
    void backspaceButtonClicked();
    void callButtonClicked() override;
    void flashButtonClicked();

protected:
    QWidget* buildView() override;
    void updateCallButton() override;
    // Keys typed into the number field while digits go to the box act as the pad's keys.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sets the field's text as the program, past the formatter and without its beep.
    void setNumberText(const QString& text);
    bool dtmfApplies() const;

    int64_t m_mode = 0;
    bool m_openedFromActiveCallView = false;
    std::array<bool, keyCount> m_digitButtonPressed{};
    int m_longPressedButtonTag = -1;

    QLineEdit* m_numberField = nullptr;
    KeyPadDigitValueFormatter* m_formatter = nullptr;
    std::array<QPushButton*, keyCount> m_digitButtons{};
    QPushButton* m_backspaceButton = nullptr;
    QPushButton* m_flashButton = nullptr;
};
