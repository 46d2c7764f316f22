#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

namespace arb {

class Connection;
class DataControl;

// One entry of the store's change history.
struct HistoryEntry
{
    qint64 id = 0;
    QString key;
    QString noDaftar;
    QString company;
    QDateTime when; // UTC
    QString who;    // null: written outside the program
    QString computer;
    QString action;
    QString field;  // null for "Susun"
    QVariant before;
    QVariant after;
};

struct HistoryFilter
{
    QString key;      // one contractor
    QString noDaftar; // the contractors that ever carried this number
    QDateTime since;  // UTC, from
    QDateTime until;  // UTC, before
    bool newestFirst = true;
};

// The entries the filter lets through; the whole read checked.
QList<HistoryEntry> historyEntries(Connection &c, const HistoryFilter &filter);

// Contractors deleted and not brought back: the number entry of each one's
// last deletion, the latest first.
QList<HistoryEntry> deletedContractors(Connection &c);

// The caption a window shows a field under.
QString fieldCaption(const QString &field);

// Brings a deleted contractor back whole, work included, as it was just
// before its last deletion, through dc (a data control over kontraktor):
// under its old number when no row holds it now, else under the next free
// number. Recorded as restored. Throws Failure (nothing stored).
struct RestoredContractor
{
    qint64 id = -1;
    QString oldNumber;
    QString number;
};
RestoredContractor restoreContractor(DataControl &dc, const QString &key);

} // namespace arb
