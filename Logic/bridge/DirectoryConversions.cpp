#include "Logic/bridge/DirectoryConversions.h"

#include "Logic/bridge/ConvertEach.h"
#include "Logic/bridge/ModelIntegers.h"
#include "Logic/store/CPPContactManager.h"

#include <algorithm>

namespace {

// A most-called number that no contact owns.
constexpr int64_t pseudoContactId = -1;
constexpr size_t shortListLength = 2000;

ContactPtr contactWithoutNumbers(const CPPContact& record) {
    auto model = std::make_shared<Contact>(record.getFirstName(), record.getMiddleInitial(),
                                           record.getLastName(), record.getCompany());
    model->setID(widenSigned(record.getId()));
    model->setCallFrequency(widenSigned(record.getCallFrequency()));
    model->setFavorite(record.isFavorite());
    return model;
}

std::vector<ContactNumberPtr> pseudoContactNumbers(const Contact& contact) {
    return {std::make_shared<ContactNumber>(contact.firstName(), -1, CPPContactNumber::Home, true)};
}

// The numbers of the listed contacts in one grouped read: a read per contact costs seconds on a
// large book. A short list (the favorites) reads only its own; a long one reads them all, which
// costs less than naming every contact.
std::unordered_map<int32_t, std::vector<CPPContactNumber>>
numbersOfListed(const std::vector<CPPContact>& records) {
    std::vector<int32_t> ids;
    for (const CPPContact& record : records) {
        if (record.getId() != pseudoContactId) {
            ids.push_back(record.getId());
        }
    }
    if (ids.empty()) {
        return {};
    }
    CPPContactManager& manager = CPPContactManager::getInstance();
    return ids.size() <= shortListLength ? manager.numbersOfContacts(ids) : manager.numbersOfAllContacts();
}

} // namespace

ContactPtr contactFromCpp(const CPPContact& record) {
    ContactPtr model = contactWithoutNumbers(record);
    model->setNumbers(numbersForContact(*model));
    return model;
}

std::vector<ContactPtr> contactsFromCpp(const std::vector<CPPContact>& records) {
    const auto numbersByContact = numbersOfListed(records);
    std::vector<ContactPtr> models;
    models.reserve(records.size());
    for (const CPPContact& record : records) {
        ContactPtr model = contactWithoutNumbers(record);
        if (record.getId() == pseudoContactId) {
            model->setNumbers(pseudoContactNumbers(*model));
        } else if (const auto found = numbersByContact.find(record.getId());
                   found != numbersByContact.end()) {
            model->setNumbers(contactNumbersFromCpp(found->second));
        } else {
            model->numbers().clear();
        }
        models.push_back(std::move(model));
    }
    return models;
}

CPPContact contactToCpp(const Contact& model) {
    CPPContact record;
    record.setId(lowBits(model.ID()));
    record.setFirstName(model.firstName());
    record.setMiddleInitial(model.middleInitial());
    record.setLastName(model.lastName());
    record.setCompany(model.company());
    record.setCallFrequency(lowBits(model.callFrequency()));
    record.setIsFavorite(model.isFavorite());
    record.setIsFromPhone(model.isFromPhone());
    return record;
}

ContactNumberPtr contactNumberFromCpp(const CPPContactNumber& record) {
    auto model = std::make_shared<ContactNumber>();
    model->setID(widenSigned(record.getId()));
    model->setNumber(record.getNumber());
    model->setSpeedDial(widenSigned(record.getSpeedDial()));
    model->setType(widenUnsigned(record.getType()));
    model->setDefaultNumber(record.isDefault());
    return model;
}

CPPContactNumber contactNumberToCpp(const ContactNumber& model) {
    CPPContactNumber record;
    record.setId(lowBits(model.ID()));
    record.setNumber(model.number());
    record.setSpeedDial(lowBits(model.speedDial()));
    record.setType(static_cast<CPPContactNumber::NumberType>(lowBits(model.type())));
    record.setIsDefault(model.isDefaultNumber());
    return record;
}

std::vector<ContactNumberPtr> contactNumbersFromCpp(const std::vector<CPPContactNumber>& records) {
    return convertEach(records, contactNumberFromCpp);
}

std::vector<CPPContactNumber> contactNumbersToCpp(const std::vector<ContactNumberPtr>& models) {
    return convertEach(models, [](const ContactNumberPtr& model) {
        return model != nullptr ? contactNumberToCpp(*model) : contactNumberToCpp(ContactNumber());
    });
}

std::vector<ContactNumberPtr> numbersForContact(const Contact& contact) {
    if (contact.ID() == pseudoContactId)
        return pseudoContactNumbers(contact);
    return contactNumbersFromCpp(CPPContactManager::getInstance().numbersOfContact(contactToCpp(contact)));
}
