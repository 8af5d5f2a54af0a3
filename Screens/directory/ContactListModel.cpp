#include "Screens/directory/ContactListModel.h"

ContactListModel::ContactListModel(QObject* parent) : QAbstractListModel(parent) {}

void ContactListModel::setContacts(std::vector<ContactPtr> contacts, const ContactSortMethod& method) {
    std::vector<ContactListEntry> entries;
    entries.reserve(contacts.size());
    for (ContactPtr& contact : contacts) {
        if (contact == nullptr) {
            continue;
        }
        ContactListEntry entry;
        entry.name = contactDisplayName(*contact, method.displaysFirstNameFirst);
        entry.searchName = entry.name.toLower();
        entry.company = QString::fromStdString(contact->company());
        if (method.hasSections()) {
            entry.sectionKey = sectionKeyOfLetter(indexLetterOfContact(*contact, method.field));
        }
        entry.contact = std::move(contact);
        entries.push_back(std::move(entry));
    }
    m_entries = std::move(entries);
}

void ContactListModel::rebuild(const QString& searchText) {
    const QString needle = searchText.toLower();
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(m_entries.size() + 27);
    m_headerRows.clear();
    for (size_t index = 0; index < m_entries.size(); ++index) {
        const ContactListEntry& entry = m_entries[index];
        if (!needle.isEmpty() && !entry.searchName.contains(needle)) {
            continue;
        }
        if (!entry.sectionKey.isEmpty() && !m_headerRows.contains(entry.sectionKey)) {
            m_headerRows.insert(entry.sectionKey, static_cast<int>(m_rows.size()));
            m_rows.push_back({-1, entry.sectionKey});
        }
        m_rows.push_back({static_cast<int>(index), {}});
    }
    endResetModel();
}

void ContactListModel::setMode(int mode) {
    m_mode = mode;
    if (!m_rows.empty()) {
        emit dataChanged(index(0), index(static_cast<int>(m_rows.size()) - 1), {ModeRole});
    }
}

bool ContactListModel::isTicked(int row) const {
    const ContactListEntry* entry = entryAt(row);
    return entry != nullptr && m_tickedIds.count(entry->contact->ID()) != 0;
}

void ContactListModel::toggleTicked(int row) {
    const ContactListEntry* entry = entryAt(row);
    if (entry == nullptr) {
        return;
    }
    const int64_t id = entry->contact->ID();
    if (m_tickedIds.erase(id) == 0) {
        m_tickedIds.insert(id);
    }
    emit dataChanged(index(row), index(row), {TickedRole});
}

void ContactListModel::clearTicks() {
    m_tickedIds.clear();
    if (!m_rows.empty()) {
        emit dataChanged(index(0), index(static_cast<int>(m_rows.size()) - 1), {TickedRole});
    }
}

bool ContactListModel::isHeaderRow(int row) const {
    return row >= 0 && row < static_cast<int>(m_rows.size()) && m_rows[static_cast<size_t>(row)].entry < 0;
}

const ContactListEntry* ContactListModel::entryAt(int row) const {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return nullptr;
    }
    const int entry = m_rows[static_cast<size_t>(row)].entry;
    return entry < 0 ? nullptr : &m_entries[static_cast<size_t>(entry)];
}

QString ContactListModel::headerKeyAt(int row) const {
    return isHeaderRow(row) ? m_rows[static_cast<size_t>(row)].headerKey : QString();
}

int ContactListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant ContactListModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row >= static_cast<int>(m_rows.size())) {
        return {};
    }
    const ContactListEntry* entry = entryAt(row);
    switch (role) {
    case Qt::DisplayRole:
        return entry == nullptr ? headerKeyAt(row) : entry->name;
    case IsHeaderRole:
        return entry == nullptr;
    case CompanyRole:
        return entry == nullptr ? QString() : entry->company;
    case ModeRole:
        return m_mode;
    case TickedRole:
        return isTicked(row);
    default:
        return {};
    }
}
