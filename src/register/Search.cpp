#include "register/Search.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "data/Snapshot.h"
#include "platform/BusyPointer.h"
#include "data/Failure.h"
#include "platform/MessageBox.h"

#include <cmath>
#include <optional>

namespace arb {

namespace {
const QString kTitle = QStringLiteral("Mesej");
const QString kNumber = QStringLiteral("NoDaftar");
const QString kName = QStringLiteral("NamaSyarikat");

// One search, step by step. The store is asked only for the rows that can
// match, the first and the last record; the program compares those rows
// itself, in stored order, so the hits and their order are those of a walk
// through every record. The window's data control goes only to the rows
// the window shows: a match, and the last record under "Tiada data". The
// rows in between are never shown and never edited, so nothing else of the
// walk can be seen.
class ContractorSearch
{
public:
    ContractorSearch(QWidget *window, const QString &word, int mode, DataControl &position,
                     const std::function<void()> &refresh)
        : m_window(window)
        , m_key(trimSpaces(word).toUpper())
        , m_mode(mode)
        , m_position(position)
        , m_refresh(refresh)
    {
        if (m_mode == kSearchByNumber)
            m_wanted = textToNumber(m_key);
    }

    void run();

private:
    QString candidates(Connection &c, QVariantList &values) const;
    void walk(Snapshot &rows);
    // False when the search stops at this row.
    bool compare(Snapshot &rows);
    bool compareNumber(Snapshot &rows);
    bool compareName(Snapshot &rows);
    // Shows the row and asks "Teruskan?"; false when the answer is No.
    bool goOn(Snapshot &rows, const QString &title);
    void standOn(qint64 id);
    // Nothing is painted until the search ends or asks something, so the
    // window is refreshed only then, with the record reached.
    void showReached();
    void noMoreData();

    QWidget *m_window;
    const QString m_key;
    const int m_mode;
    DataControl &m_position;
    const std::function<void()> m_refresh;
    std::optional<double> m_wanted; // by number: the search word's number
    qint64 m_at = -1;               // the row the data control was moved to
    bool m_stale = false;
};

// A condition the rows that can match meet, as a superset: every row it
// passes over is no match by the program's own comparison.
QString ContractorSearch::candidates(Connection &c, QVariantList &values) const
{
    const QString table = Connection::ident(kContractorTable);
    QStringList any{QStringLiteral("id IN (SELECT min(id) FROM %1 UNION ALL SELECT max(id) FROM %1)").arg(table)};
    if (m_mode == kSearchByNumber && m_wanted) {
        const double wanted = *m_wanted;
        // Beyond 2^53 a double stands for several serials: every row is read.
        if (wanted >= 9007199254740992.0)
            return {};
        // A serial equal to a whole number holds its digits.
        if (wanted >= 0 && wanted == std::floor(wanted)) {
            any << Connection::ident(kNumber) + QStringLiteral(" LIKE ?");
            values << QStringLiteral("%%1%").arg(qint64(wanted));
        }
    } else if (m_mode == kSearchByName && !m_key.isEmpty()) {
        // An ASCII name can match only if, upper-cased, it holds the word;
        // any other name is compared here.
        const QString name = Connection::ident(kName);
        any << c.nonAscii(name) << c.findIn(c.asciiUpper(name), QStringLiteral("?")) + QStringLiteral(" > 0");
        values << m_key;
    }
    return any.join(QStringLiteral(" OR "));
}

void ContractorSearch::run()
{
    const BusyPointer busy;
    // Only what is compared: the rows shown are read as any move reads them.
    const std::shared_ptr<Connection> store = Connection::shared(Locations::kSharedPath);
    QVariantList values;
    const QString where = candidates(*store, values);
    Snapshot rows(Locations::kSharedPath, kContractorTable, {m_mode == kSearchByName ? kName : kNumber}, where, values);
    if (m_key.isEmpty())
        return;
    if (rows.eof() && rows.bof()) {
        noMoreData();
        return;
    }
    // However it ends, the window shows the record reached.
    try {
        walk(rows);
    } catch (...) {
        try {
            showReached();
        } catch (...) {
        }
        throw;
    }
    showReached();
}

void ContractorSearch::walk(Snapshot &rows)
{
    rows.moveFirst();
    standOn(rows.currentId());
    qint64 last = -1;
    for (; !rows.eof(); rows.moveNext()) {
        last = rows.currentId();
        if (!compare(rows))
            return;
    }
    // The last record stays shown under "Tiada data".
    standOn(last);
    showReached();
    noMoreData();
}

bool ContractorSearch::compare(Snapshot &rows)
{
    if (m_mode == kSearchByNumber)
        return compareNumber(rows);
    if (m_mode == kSearchByName)
        return compareName(rows);
    return true;
}

bool ContractorSearch::compareNumber(Snapshot &rows)
{
    if (!m_wanted) {
        showReached();
        MessageBox::tell(m_window, QStringLiteral("Masukkan Nombor ATAU pilih Nama Syarikat"), kTitle,
                         MessageBox::Question);
        return false;
    }
    // A number that holds no serial (null, "-", letters) is no match; the
    // search goes on.
    const std::optional<qint64> serial = registrationSerial(rows.value(kNumber).toString());
    return !(serial && double(*serial) == *m_wanted) || goOn(rows, QStringLiteral("Jumpa..."));
}

bool ContractorSearch::compareName(Snapshot &rows)
{
    // A name with no value at all is no match.
    const QString name = valueToTextOrEmpty(rows.value(kName)).toUpper();
    if (name == m_key && !goOn(rows, QStringLiteral("Jumpa...")))
        return false;
    QString rest = name;
    for (;;) {
        const qsizetype space = rest.indexOf(QLatin1Char(' '));
        if ((space < 0 ? rest : rest.left(space)) == m_key && !goOn(rows, QStringLiteral("Jumpa")))
            return false;
        if (space < 0)
            return true;
        rest = rest.mid(space);
        while (rest.startsWith(QLatin1Char(' ')))
            rest.remove(0, 1);
    }
}

bool ContractorSearch::goOn(Snapshot &rows, const QString &title)
{
    standOn(rows.currentId());
    showReached();
    return MessageBox::ask(m_window, QStringLiteral("Teruskan?"), title);
}

void ContractorSearch::standOn(qint64 id)
{
    if (id == m_at)
        return;
    m_position.moveToId(id);
    m_at = id;
    m_stale = true;
}

void ContractorSearch::showReached()
{
    if (m_stale && m_refresh)
        m_refresh();
    m_stale = false;
}

void ContractorSearch::noMoreData()
{
    MessageBox::tell(m_window, QStringLiteral("Tiada data"), kTitle, MessageBox::Critical);
}
} // namespace

void searchContractors(QWidget *window, const QString &word, int mode, DataControl &position,
                       const std::function<void()> &refresh)
{
    ContractorSearch(window, word, mode, position, refresh).run();
}

} // namespace arb
