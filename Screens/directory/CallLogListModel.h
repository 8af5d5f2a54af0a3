#pragma once

#include "App/DateTimeFormats.h"
#include "Logic/bridge/CallLog.h"

#include <QAbstractListModel>
#include <QHash>
#include <QString>

#include <vector>

// An entry of the loaded call log, with its texts read once per load.
struct CallLogEntry {
    CallLogPtr callLog;
    QString name;
    QString company;
    QString number;
    // The three texts lower-cased: what a search compares with.
    QString searchName;
    QString searchCompany;
    QString searchNumber;
};

// The rows of the call log: one header per call date before its first listed entry, and the
// entries. Headers keep the date text of the rebuild that placed them; an entry's time, duration
// and type are formatted when the row is drawn, in the formats read last.
class CallLogListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        IsHeaderRole = Qt::UserRole + 1,
        CompanyRole,
        NumberRole,
        TimeRole,
        DurationRole,
        TypeRole,
        EditModeRole
    };

    explicit CallLogListModel(QObject* parent = nullptr);

    // Takes a loaded log, newest first; the rows follow at the next rebuild.
    void setCallLogs(const std::vector<CallLogPtr>& callLogs);
    const std::vector<CallLogEntry>& entries() const { return m_entries; }

    // Reads the preferences' formats, then lists the entries whose name, company or number
    // holds the search text (in any case), each date's header before its first listed entry.
    void rebuild(const QString& searchText);
    // The preferences changed: entries redraw their texts now; headers at the next rebuild.
    void refreshFormats();
    const DateTimeFormats& formats() const { return m_formats; }

    bool editMode() const { return m_editMode; }
    void setEditMode(bool on);

    bool isHeaderRow(int row) const;
    // The entry of a row, or null for a header or a row outside the list.
    const CallLogEntry* entryAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct Row {
        // -1 for a header.
        int entry = -1;
        QString headerText;
    };

    QString dateTextOf(const CallLogEntry& entry);

    std::vector<CallLogEntry> m_entries;
    std::vector<Row> m_rows;
    DateTimeFormats m_formats{QString(), QString()};
    // Date texts by day, for the date pattern they were made with.
    QHash<qint64, QString> m_dateTexts;
    QString m_dateTextsPattern;
    bool m_editMode = false;
};
