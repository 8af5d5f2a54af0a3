#include "Screens/calling/PartyContactTexts.h"

#include "App/CallTexts.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/LineParty.h"

PartyContactTexts PartyContactTexts::of(const LineParty& party) {
    PartyContactTexts texts;
    const std::string& callParty = party.callParty();
    texts.number = QString::fromStdString(callParty);
    const std::string lookup = callParty.substr(0, callParty.find('@'));
    const ContactPtr contact = ContactManager::contactByNumber(lookup);
    if (contact == nullptr) {
        texts.name = QString::fromStdString(party.displayName());
        texts.typeName = QString();
        return texts;
    }
    texts.name = QString::fromStdString(contact->firstName() + " " + contact->lastName());
    texts.company = QString::fromStdString(contact->company());
    for (const ContactNumberPtr& number : contact->numbers()) {
        if (number != nullptr && number->number() == lookup) {
            texts.typeName = phoneTypeToString(number->type());
            break;
        }
    }
    return texts;
}
