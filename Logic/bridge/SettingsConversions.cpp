#include "Logic/bridge/SettingsConversions.h"

#include "Logic/bridge/ModelIntegers.h"

PreferencesSettingsPtr preferencesSettingsFromCpp(const CPPPreferencesSettings& record) {
    auto model = std::make_shared<PreferencesSettings>();
    model->setID(widenSigned(record.getId()));
    model->setSharesPhoneBook(record.getSharesPhoneBook());
    model->setExpandsPhoneBookEntries(record.getExpandsPhoneBookEntries());
    model->setAutomaticallyManagesFavorites(record.getAutomaticallyManagesFavorites());
    model->setMostFrequentlyCalledNumbers(widenSigned(record.getMostFrequentlyCalledNumbers()));
    model->setDateFormat(record.getDateFormat());
    model->setTimeFormat(record.getTimeFormat());
    model->setDefaultHomeScreen(record.getDefaultHomeScreen());
    model->setDoNotDisturbMode(widenUnsigned(record.getDoNotDisturbMode()));
    model->setPhoneBookSortingOrder(widenUnsigned(record.getSortPhoneBookBy()));
    model->setFavoriteSortingOrder(widenUnsigned(record.getSortFavoriteBy()));
    model->setDisabledScreenSaved(record.getDisabledScreenSaved());
    return model;
}

CPPPreferencesSettings preferencesSettingsToCpp(const PreferencesSettings& model) {
    CPPPreferencesSettings record;
    record.setId(lowBits(model.ID()));
    record.setSharesPhoneBook(model.sharesPhoneBook());
    record.setExpandsPhoneBookEntries(model.expandsPhoneBookEntries());
    record.setAutomaticallyManagesFavorites(model.automaticallyManagesFavorites());
    record.setMostFrequentlyCalledNumbers(lowBits(model.mostFrequentlyCalledNumbers()));
    record.setDateFormat(model.dateFormat());
    record.setTimeFormat(model.timeFormat());
    record.setDefaultHomeScreen(model.defaultHomeScreen());
    record.setDoNotDisturbMode(CPPPreferencesSettings::DoNotDisturbMode{lowBits(model.doNotDisturbMode())});
    record.setSortPhoneBookBy(CPPPreferencesSettings::SortOrder{lowBits(model.phoneBookSortingOrder())});
    record.setSortFavoriteBy(CPPPreferencesSettings::SortOrder{lowBits(model.favoriteSortingOrder())});
    record.setDisabledScreenSaved(model.disabledScreenSaved());
    return record;
}

SecuritySettingsPtr securitySettingsFromCpp(const CPPSecuritySettings& record) {
    auto model = std::make_shared<SecuritySettings>();
    model->setID(widenSigned(record.getId()));
    model->setPasswordProtected(record.getPasswordProtected());
    model->setPassword(record.getPassword());
    return model;
}

CPPSecuritySettings securitySettingsToCpp(const SecuritySettings& model) {
    CPPSecuritySettings record;
    record.setId(lowBits(model.ID()));
    record.setPasswordProtected(model.passwordProtected());
    record.setPassword(model.password());
    return record;
}

CallForwardingSettingsPtr callForwardingSettingsFromCpp(const CPPCallForwardingSettings& record) {
    auto model = std::make_shared<CallForwardingSettings>();
    model->setID(widenSigned(record.getId()));
    model->setForwardsCalls(record.getForwardsCalls());
    model->setContactID(widenSigned(record.getContactID()));
    model->setForwardingType(widenUnsigned(record.getForwardingType()));
    return model;
}

CPPCallForwardingSettings callForwardingSettingsToCpp(const CallForwardingSettings& model) {
    CPPCallForwardingSettings record;
    record.setId(lowBits(model.ID()));
    record.setForwardsCalls(model.forwardsCalls());
    record.setContactID(lowBits(model.contactID()));
    record.setForwardingType(CPPCallForwardingSettings::ForwardingType{lowBits(model.forwardingType())});
    return record;
}
