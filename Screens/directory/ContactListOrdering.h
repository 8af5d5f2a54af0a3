#pragma once

#include "Logic/bridge/Contact.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// The ordering rules the phone book and the favorites share: how a sort method reads the store,
// which field gives a contact its section letter, how a row shows a name, and where the index
// bar's jump lands.

enum class ContactSortField { Company, FirstName, LastName, CallFrequency };

struct ContactSortMethod {
    ContactSortField field = ContactSortField::FirstName;
    bool ascending = true;
    bool displaysFirstNameFirst = true;
    // Sections and the index bar: every method but the call frequency.
    bool hasSections() const { return field != ContactSortField::CallFrequency; }
    // The index bar lists the keys as the list shows its sections.
    bool reversedIndex() const { return hasSections() && !ascending; }
};

// 0 "Company A-Z" ... 5 "Last Name Z-A", 6 "Call Frequency" (most called first). Other values
// read as 6.
ContactSortMethod contactSortMethod(int method);

// The name as a row shows it: first name first ("Ann M Lee", "Ann Lee") or last name first
// ("Lee, M Ann", "Lee, Ann"). The formats stand also when parts are empty (", Ann", " Lee").
QString contactDisplayName(const Contact& contact, bool firstNameFirst);

// The upper-cased first UTF-16 unit of the sort field ("" when the field is empty, and always
// "" for the call frequency). A unit that upper-cases to several ("ß" -> "SS") keeps them all.
QString indexLetterOfContact(const Contact& contact, ContactSortField field);
// The section of a letter: "A" to "Z" by its first unit, else "#".
QString sectionKeyOfLetter(const QString& letter);
bool isLetteredKey(const QString& letter);

// Groups the fetched contacts by the section they are filed under, in the order of the list's
// sections, each keeping its fetched order. The contacts without an "A"-"Z" letter, in fetched
// order, go behind the others when ascending; when descending they go in front, in reverse
// fetched order.
void orderContactsBySection(std::vector<ContactPtr>& contacts, ContactSortField field, bool ascending);

// "A" ... "Z", "#"; reversed: "#", "Z" ... "A".
const QStringList& sectionLetters(bool reversed);

// Where a click on the index bar scrolls the list.
struct IndexJump {
    enum class Kind { Top, Bottom, AtRow };
    Kind kind = Kind::Top;
    int row = 0;
    bool operator==(const IndexJump&) const = default;
};

// headerRows: key -> the row of its header. A key with a section brings its header to the
// top, unless fewer rows follow it than fit in the viewport (then the end is shown). A key
// without one falls back to the nearest earlier key in the bar's order that has one.
IndexJump indexJumpTarget(const QString& key, const QHash<QString, int>& headerRows,
                          const QStringList& barOrder, int rowCount, int visibleRows);
