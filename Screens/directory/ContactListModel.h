#pragma once

#include "Logic/bridge/Contact.h"
#include "Screens/directory/ContactListOrdering.h"

#include <QAbstractListModel>
#include <QHash>
#include <QSet>
#include <QString>

#include <cstdint>
#include <set>
#include <vector>

// A contact of the loaded list, with what its row shows worked out once per load.
struct ContactListEntry {
    ContactPtr contact;
    QString name;
    // The name lower-cased: what a search compares with.
    QString searchName;
    QString company;
    // "A" to "Z" or "#"; empty when the list has no sections.
    QString sectionKey;
};

// The rows of the phone book and of the favorites: section headers and contacts, rebuilt from
// the loaded contacts for each search text. Rows are plain records; the painter draws them.
class ContactListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    // What a contact row shows beside its texts.
    enum Mode { Plain = 0, Edit = 1, Pick = 2 };
    enum Role { IsHeaderRole = Qt::UserRole + 1, CompanyRole, ModeRole, TickedRole };

    explicit ContactListModel(QObject* parent = nullptr);

    // Takes a loaded list in display order; the rows follow at the next rebuild.
    void setContacts(std::vector<ContactPtr> contacts, const ContactSortMethod& method);
    const std::vector<ContactListEntry>& entries() const { return m_entries; }

    // One header before the first listed contact of each key; only contacts whose shown name
    // holds the search text (in any case) are listed.
    void rebuild(const QString& searchText);

    int mode() const { return m_mode; }
    void setMode(int mode);

    // Ticks of the pick mode, kept by contact ID across rebuilds until cleared.
    bool isTicked(int row) const;
    void toggleTicked(int row);
    const std::set<int64_t>& tickedIds() const { return m_tickedIds; }
    void clearTicks();

    bool isHeaderRow(int row) const;
    // The contact entry of a row, or null for a header or a row outside the list.
    const ContactListEntry* entryAt(int row) const;
    QString headerKeyAt(int row) const;
    // Key -> row of its header, and the keys that have one.
    const QHash<QString, int>& headerRows() const { return m_headerRows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct Row {
        // -1 for a header.
        int entry = -1;
        QString headerKey;
    };

    std::vector<ContactListEntry> m_entries;
    std::vector<Row> m_rows;
    QHash<QString, int> m_headerRows;
    std::set<int64_t> m_tickedIds;
    int m_mode = Plain;
};
