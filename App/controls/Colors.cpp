#include "App/controls/Colors.h"

#include <algorithm>

namespace Colors {

QColor colorWithHexCode(uint32_t code) {
    return QColor(static_cast<int>((code >> 16) & 0xFF), static_cast<int>((code >> 8) & 0xFF),
                  static_cast<int>(code & 0xFF));
}

QColor colorWithHexString(const QString& text) {
    int position = 0;
    while (position < text.size() && text.at(position).isSpace()) {
        ++position;
    }
    if (position + 1 < text.size() && text.at(position) == u'0' &&
        (text.at(position + 1) == u'x' || text.at(position + 1) == u'X')) {
        position += 2;
    }
    uint64_t number = 0;
    for (; position < text.size(); ++position) {
        const char16_t character = text.at(position).unicode();
        int digit = -1;
        if (character >= u'0' && character <= u'9') {
            digit = character - u'0';
        } else if (character >= u'a' && character <= u'f') {
            digit = character - u'a' + 10;
        } else if (character >= u'A' && character <= u'F') {
            digit = character - u'A' + 10;
        }
        if (digit < 0) {
            break;
        }
        number = std::min<uint64_t>(number * 16 + static_cast<uint64_t>(digit), 0xFFFFFFFFu);
    }
    return colorWithHexCode(static_cast<uint32_t>(number));
}

QColor lightGrayColor() {
    return QColor(170, 170, 170);
}

} // namespace Colors
