#include "Screens/directory/ContactListOrdering.h"

#include <algorithm>
#include <array>
#include <iterator>

ContactSortMethod contactSortMethod(int method) {
    switch (method) {
    case 0:
        return {ContactSortField::Company, true, false};
    case 1:
        return {ContactSortField::Company, false, false};
    case 2:
        return {ContactSortField::FirstName, true, true};
    case 3:
        return {ContactSortField::FirstName, false, true};
    case 4:
        return {ContactSortField::LastName, true, false};
    case 5:
        return {ContactSortField::LastName, false, false};
    default:
        return {ContactSortField::CallFrequency, false, true};
    }
}

QString contactDisplayName(const Contact& contact, bool firstNameFirst) {
    const QString first = QString::fromStdString(contact.firstName());
    const QString middle = QString::fromStdString(contact.middleInitial());
    const QString last = QString::fromStdString(contact.lastName());
    if (firstNameFirst) {
        return middle.isEmpty() ? QStringLiteral("%1 %2").arg(first, last)
                                : QStringLiteral("%1 %2 %3").arg(first, middle, last);
    }
    return middle.isEmpty() ? QStringLiteral("%1, %2").arg(last, first)
                            : QStringLiteral("%1, %2 %3").arg(last, middle, first);
}

QString indexLetterOfContact(const Contact& contact, ContactSortField field) {
    const std::string* text = nullptr;
    switch (field) {
    case ContactSortField::Company:
        text = &contact.company();
        break;
    case ContactSortField::FirstName:
        text = &contact.firstName();
        break;
    case ContactSortField::LastName:
        text = &contact.lastName();
        break;
    case ContactSortField::CallFrequency:
        return {};
    }
    if (text->empty()) {
        return {};
    }
    // Only the first character is decoded; a whole long name is never converted.
    const size_t length = std::min<size_t>(text->size(), 4);
    const QString head = QString::fromUtf8(text->data(), static_cast<qsizetype>(length));
    return head.isEmpty() ? QString() : QString(head.front()).toUpper();
}

bool isLetteredKey(const QString& letter) {
    return !letter.isEmpty() && letter.front() >= u'A' && letter.front() <= u'Z';
}

QString sectionKeyOfLetter(const QString& letter) {
    return isLetteredKey(letter) ? QString(letter.front()) : QStringLiteral("#");
}

void orderContactsBySection(std::vector<ContactPtr>& contacts, ContactSortField field, bool ascending) {
    // One bucket per letter, "#" last: a first letter filed under an ASCII letter but sorted by
    // the store after "z" ("ß" under S) joins its section instead of opening a second one.
    constexpr size_t letterCount = 26;
    std::array<std::vector<ContactPtr>, letterCount + 1> sections;
    for (ContactPtr& contact : contacts) {
        const QString letter = contact != nullptr ? indexLetterOfContact(*contact, field) : QString();
        const size_t section =
            isLetteredKey(letter) ? static_cast<size_t>(letter.front().unicode() - u'A') : letterCount;
        sections[section].push_back(std::move(contact));
    }
    contacts.clear();
    const auto append = [&contacts](auto begin, auto end) {
        contacts.insert(contacts.end(), std::make_move_iterator(begin), std::make_move_iterator(end));
    };
    std::vector<ContactPtr>& unlettered = sections[letterCount];
    if (ascending) {
        for (std::vector<ContactPtr>& section : sections) {
            append(section.begin(), section.end());
        }
        return;
    }
    append(unlettered.rbegin(), unlettered.rend());
    for (size_t section = letterCount; section-- > 0;) {
        append(sections[section].begin(), sections[section].end());
    }
}

const QStringList& sectionLetters(bool reversed) {
    static const QStringList normal = [] {
        QStringList keys;
        for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
            keys.append(QString(QChar(letter)));
        }
        keys.append(QStringLiteral("#"));
        return keys;
    }();
    static const QStringList backwards = [] {
        QStringList keys(normal.rbegin(), normal.rend());
        keys.move(keys.indexOf(QStringLiteral("#")), 0);
        return keys;
    }();
    return reversed ? backwards : normal;
}

IndexJump indexJumpTarget(const QString& key, const QHash<QString, int>& headerRows,
                          const QStringList& barOrder, int rowCount, int visibleRows) {
    const auto header = headerRows.constFind(key);
    if (header != headerRows.constEnd()) {
        const int row = *header;
        if (rowCount - row < visibleRows) {
            return {IndexJump::Kind::Bottom, rowCount - 1};
        }
        return {IndexJump::Kind::AtRow, row};
    }
    // The first key of the bar never needs a fallback: its section, when there is one, opens
    // the list.
    const qsizetype position = barOrder.indexOf(key);
    for (qsizetype earlier = position - 1; earlier >= 1; --earlier) {
        if (headerRows.contains(barOrder[earlier])) {
            return indexJumpTarget(barOrder[earlier], headerRows, barOrder, rowCount, visibleRows);
        }
    }
    return {};
}
