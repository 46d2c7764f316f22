#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace arb::legacy {

// Receives the tables of a legacy file as they are read, row by row in the
// file's stored order. A value is a QString, or a null QVariant where the
// file holds null.
class LegacySink
{
public:
    virtual ~LegacySink() = default;
    // Every table of the file, before any rows.
    virtual void tables(const QStringList &names) { Q_UNUSED(names); }
    virtual void beginTable(const QString &name, const QStringList &columns) = 0;
    virtual void row(const QVariantList &values) = 0;
    virtual void endTable(qint64 rowCount) = 0;
    // The value of column in the row just given is not what the file holds:
    // the reader had to alter it (what says how).
    virtual void altered(int column, const QString &what) { Q_UNUSED(column); Q_UNUSED(what); }
};

} // namespace arb::legacy
