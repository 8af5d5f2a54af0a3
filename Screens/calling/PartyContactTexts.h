#pragma once

#include <QString>

#include <optional>

class LineParty;

// What the active-call screens show of a party's caller: from the phone book when a contact
// holds the number (the part before any "@"), else the name the box reported.
struct PartyContactTexts {
    // The party's number or SIP address, whole.
    QString number;
    QString name;
    QString company;
    // The type of the contact's number equal to the looked-up one; empty without a contact;
    // none when the contact holds no equal number (the field then keeps its text).
    std::optional<QString> typeName;

    // One phone-book lookup.
    static PartyContactTexts of(const LineParty& party);
};
