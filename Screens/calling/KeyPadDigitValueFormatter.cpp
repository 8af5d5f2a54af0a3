#include "Screens/calling/KeyPadDigitValueFormatter.h"

#include "App/Beep.h"

KeyPadDigitValueFormatter::KeyPadDigitValueFormatter(QObject* parent) : QValidator(parent) {}

QValidator::State KeyPadDigitValueFormatter::validate(QString& input, int&) const {
    if (isDialString(input)) {
        return Acceptable;
    }
    if (!m_quiet) {
        Beep::beep();
    }
    return Invalid;
}

bool KeyPadDigitValueFormatter::isDialString(const QString& text) {
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        const bool dialling = (code >= u'0' && code <= u'9') || code == u'*' || code == u'#' || code == u'+';
        if (!dialling) {
            return false;
        }
    }
    return true;
}
