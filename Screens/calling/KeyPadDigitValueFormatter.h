#pragma once

#include <QValidator>

// Keeps the dial pad's number field to dialling characters: the digits, "*", "#" and "+". An
// edit that brings any other character beeps and is refused, so the field keeps its text.
// Text the program sets itself (QLineEdit::setText) is taken as it is; silence the beep around
// such a set with setQuiet.
class KeyPadDigitValueFormatter final : public QValidator {
    Q_OBJECT

public:
    explicit KeyPadDigitValueFormatter(QObject* parent = nullptr);

    State validate(QString& input, int& position) const override;
    static bool isDialString(const QString& text);

    void setQuiet(bool quiet) { m_quiet = quiet; }

private:
    bool m_quiet = false;
};
