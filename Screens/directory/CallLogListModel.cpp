#include "Screens/directory/CallLogListModel.h"

#include "Screens/directory/CallLogTexts.h"

#include <QSet>

#include <limits>

namespace {

constexpr qint64 noDate = std::numeric_limits<qint64>::min();

qint64 dayKeyOf(const CallLog::Moment& moment) {
    if (!moment) {
        return noDate;
    }
    return std::chrono::duration_cast<std::chrono::seconds>(moment->time_since_epoch()).count();
}

} // namespace

CallLogListModel::CallLogListModel(QObject* parent) : QAbstractListModel(parent) {}

void CallLogListModel::setCallLogs(const std::vector<CallLogPtr>& callLogs) {
    std::vector<CallLogEntry> entries;
    entries.reserve(callLogs.size());
    for (const CallLogPtr& callLog : callLogs) {
        if (callLog == nullptr) {
            continue;
        }
        CallLogEntry entry;
        entry.callLog = callLog;
        entry.name = QString::fromStdString(callLog->contactName());
        entry.company = QString::fromStdString(callLog->company());
        entry.number = QString::fromStdString(callLog->callNumber());
        entry.searchName = entry.name.toLower();
        entry.searchCompany = entry.company.toLower();
        entry.searchNumber = entry.number.toLower();
        entries.push_back(std::move(entry));
    }
    m_entries = std::move(entries);
}

QString CallLogListModel::dateTextOf(const CallLogEntry& entry) {
    const qint64 day = dayKeyOf(entry.callLog->callDate());
    const auto found = m_dateTexts.constFind(day);
    if (found != m_dateTexts.constEnd()) {
        return *found;
    }
    const QString text = CallLogTexts::formatDate(entry.callLog->callDate(), m_formats);
    m_dateTexts.insert(day, text);
    return text;
}

void CallLogListModel::rebuild(const QString& searchText) {
    m_formats = CallLogTexts::currentFormats();
    if (m_formats.datePattern() != m_dateTextsPattern) {
        m_dateTexts.clear();
        m_dateTextsPattern = m_formats.datePattern();
    }
    const QString needle = searchText.toLower();
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(m_entries.size() + 64);
    QSet<QString> usedSections;
    for (size_t index = 0; index < m_entries.size(); ++index) {
        const CallLogEntry& entry = m_entries[index];
        if (!needle.isEmpty() && !entry.searchName.contains(needle) &&
            !entry.searchCompany.contains(needle) && !entry.searchNumber.contains(needle)) {
            continue;
        }
        const QString dateText = dateTextOf(entry);
        if (!usedSections.contains(dateText)) {
            usedSections.insert(dateText);
            m_rows.push_back({-1, dateText});
        }
        m_rows.push_back({static_cast<int>(index), {}});
    }
    endResetModel();
}

void CallLogListModel::refreshFormats() {
    m_formats = CallLogTexts::currentFormats();
    if (!m_rows.empty()) {
        emit dataChanged(index(0), index(static_cast<int>(m_rows.size()) - 1), {TimeRole});
    }
}

void CallLogListModel::setEditMode(bool on) {
    m_editMode = on;
    if (!m_rows.empty()) {
        emit dataChanged(index(0), index(static_cast<int>(m_rows.size()) - 1), {EditModeRole});
    }
}

bool CallLogListModel::isHeaderRow(int row) const {
    return row >= 0 && row < static_cast<int>(m_rows.size()) && m_rows[static_cast<size_t>(row)].entry < 0;
}

const CallLogEntry* CallLogListModel::entryAt(int row) const {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return nullptr;
    }
    const int entry = m_rows[static_cast<size_t>(row)].entry;
    return entry < 0 ? nullptr : &m_entries[static_cast<size_t>(entry)];
}

int CallLogListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant CallLogListModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row >= static_cast<int>(m_rows.size())) {
        return {};
    }
    const CallLogEntry* entry = entryAt(row);
    if (role == IsHeaderRole) {
        return entry == nullptr;
    }
    if (role == EditModeRole) {
        return m_editMode;
    }
    if (entry == nullptr) {
        return role == Qt::DisplayRole ? QVariant(m_rows[static_cast<size_t>(row)].headerText) : QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
        return entry->name;
    case CompanyRole:
        return entry->company;
    case NumberRole:
        return entry->number;
    case TimeRole:
        return CallLogTexts::formatTime(entry->callLog->startTime(), m_formats);
    case DurationRole:
        return CallLogTexts::formatDuration(entry->callLog->callDuration());
    case TypeRole:
        return CallLogTexts::formatType(entry->callLog->callType());
    default:
        return {};
    }
}
