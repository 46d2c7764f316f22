#include "legacy/MdbReader.h"

#include "data/Failure.h"

#include <QDate>
#include <QFile>
#include <QScopeGuard>
#include <QFileInfo>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <vector>

// The 1.0.0 headers use glib types without including glib themselves.
#include <glib.h>
#include <mdbtools.h>

#include <sys/resource.h>

namespace arb::legacy {

namespace {
const QString kDamaged = QStringLiteral("Fail Access ini rosak dan tidak dapat dibaca: %1");
constexpr int kOffsetMask = 0x1fff;
constexpr size_t kMinBind = MDB_BIND_SIZE;

QString takeText(char *text)
{
    const QString out = text ? QString::fromUtf8(text) : QString();
    g_free(text);
    return out;
}
} // namespace

struct MdbReader::Handle
{
    MdbHandle *mdb = nullptr;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }
};

void boundReader(qint64 megabytes)
{
    // A damaged file can send libmdb into an endless loop that eats memory:
    // bound the reader so that it dies instead of the machine.
    const rlimit memory{rlim_t(megabytes) << 20, rlim_t(megabytes) << 20};
    setrlimit(RLIMIT_AS, &memory);
    const rlimit cpu{300, 300};
    setrlimit(RLIMIT_CPU, &cpu);
}

MdbReader::MdbReader(const QString &path)
    : m_handle(std::make_unique<Handle>())
    , m_path(path)
{
    const QByteArray name = QFile::encodeName(path);
    m_handle->mdb = mdb_open(name.constData(), MDB_NOFLAGS);
    if (!m_handle->mdb)
        throw Failure(QStringLiteral("Fail ini bukan pangkalan data Access: %1").arg(path));
    // Access always writes whole pages; anything else is a cut copy.
    const qint64 size = QFileInfo(path).size();
    m_size = size;
    const qint64 page = m_handle->mdb->fmt->pg_size;
    if (page <= 0 || size % page != 0 || size < 3 * page)
        throw Failure(kDamaged.arg(path), QStringLiteral("saiz %1 bukan gandaan halaman %2").arg(size).arg(page));
    if (!mdb_read_catalog(m_handle->mdb, MDB_TABLE))
        throw Failure(kDamaged.arg(path), QStringLiteral("katalog tidak dapat dibaca"));
}

MdbReader::~MdbReader() = default;

QStringList MdbReader::tables() const
{
    QStringList out;
    MdbHandle *mdb = m_handle->mdb;
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            out << QString::fromUtf8(entry->object_name);
    }
    return out;
}

namespace {

// What libmdb's conversion will do to a Jet 3 text of stored bytes: it
// ends at a NUL byte, and a byte without a character in the file's code
// page (Windows-1252) becomes "?". Empty when the text comes through whole.
QStringList jet3TextLosses(const char *bytes, int size)
{
    QStringList out;
    for (int i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == 0) {
            out << QStringLiteral("dipotong pada bait NUL (kedudukan %1); %2 bait selepasnya hilang").arg(i + 1).arg(size - i - 1);
            break;
        }
        if (b == 0x81 || b == 0x8d || b == 0x8f || b == 0x90 || b == 0x9d)
            out << QStringLiteral("bait 0x%1 (kedudukan %2) tiada aksara; ditukar kepada \"?\"").arg(b, 2, 16, QLatin1Char('0')).arg(i + 1);
    }
    return out;
}

// One field of the row libmdb has just cracked, as text.
QVariant fieldText(MdbHandle *mdb, MdbColumn *col, const MdbField &f, const QString &path)
{
    if (col->col_type == MDB_BOOL) // the null bit holds the value
        return f.is_null ? QStringLiteral("False") : QStringLiteral("True");
    if (f.is_null)
        return QVariant();
    void *buf = mdb->pg_buf;
    switch (col->col_type) {
    case MDB_TEXT:
    case MDB_MEMO: {
        // The conversion cuts at the bind size: give it room for the whole
        // value (at most three UTF-8 bytes for every stored byte).
        size_t stored = size_t(std::max(f.siz, 0));
        guint32 memoLength = 0;
        if (col->col_type == MDB_MEMO && f.siz >= MDB_MEMO_OVERHEAD) {
            memoLength = guint32(mdb_get_int32(buf, f.start)) & 0x00ffffffu;
            stored = std::max<size_t>(stored, memoLength);
        }
        mdb_set_bind_size(mdb, std::max(kMinBind, 3 * stored + 16));
        const QString text = takeText(mdb_col_to_string(mdb, buf, f.start, col->col_type, f.siz));
        mdb_set_bind_size(mdb, kMinBind);
        if (memoLength > 0 && text.isEmpty())
            throw Failure(kDamaged.arg(path), QStringLiteral("memo %1 tidak dapat dibaca").arg(QString::fromUtf8(col->name)));
        return text;
    }
    case MDB_DATETIME:
        return legacyDateText(mdb_get_double(buf, f.start));
    case MDB_FLOAT:
        return legacyNumberText(double(mdb_get_single(buf, f.start)), 7);
    case MDB_DOUBLE:
        return legacyNumberText(mdb_get_double(buf, f.start), 15);
    case MDB_MONEY:
        return trimDecimal(takeText(mdb_money_to_string(mdb, f.start)));
    case MDB_NUMERIC:
        return trimDecimal(takeText(mdb_numeric_to_string(mdb, f.start, col->col_scale, col->col_prec)));
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
    case MDB_REPID:
        return takeText(mdb_col_to_string(mdb, buf, f.start, col->col_type, f.siz));
    case MDB_BINARY:
        return QString::fromLatin1(QByteArray(static_cast<const char *>(buf) + f.start, f.siz).toHex());
    default: // pictures and other objects have no text
        return QVariant();
    }
}

} // namespace

bool MdbReader::read(const QString &table, LegacySink &sink)
{
    MdbHandle *mdb = m_handle->mdb;
    MdbCatalogEntry *entry = nullptr;
    for (unsigned int i = 0; i < mdb->num_catalog && !entry; ++i) {
        auto *e = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (e->object_type == MDB_TABLE && QString::fromUtf8(e->object_name).compare(table, Qt::CaseInsensitive) == 0)
            entry = e;
    }
    if (!entry)
        return false;
    MdbTableDef *t = mdb_read_table(entry);
    if (!t)
        throw Failure(kDamaged.arg(m_path), QStringLiteral("jadual %1 tidak dapat dibaca").arg(table));
    const auto freeTable = qScopeGuard([t] { mdb_free_tabledef(t); });
    if (!mdb_read_columns(t))
        throw Failure(kDamaged.arg(m_path), QStringLiteral("lajur jadual %1 tidak dapat dibaca").arg(table));

    QStringList names;
    for (unsigned int i = 0; i < t->num_cols; ++i)
        names << QString::fromUtf8(static_cast<MdbColumn *>(g_ptr_array_index(t->columns, i))->name);
    sink.beginTable(QString::fromUtf8(entry->object_name), names);

    std::vector<MdbField> fields(std::max(t->num_cols, 1u));
    qint64 count = 0;
    mdb_rewind_table(t);
    while (mdb_fetch_row(t)) {
        // Crack the row again: the bound values cannot tell null from empty.
        int start = 0;
        size_t size = 0;
        if (mdb_find_row(mdb, int(t->cur_row) - 1, &start, &size) != 0)
            throw Failure(kDamaged.arg(m_path), QStringLiteral("baris tidak dijumpai"));
        const int n = mdb_crack_row(t, start & kOffsetMask, size, fields.data());
        if (n < 0 || unsigned(n) > t->num_cols)
            throw Failure(kDamaged.arg(m_path), QStringLiteral("baris tidak dapat dipecahkan"));
        QVariantList values(t->num_cols);
        QList<QPair<int, QString>> losses;
        for (int j = 0; j < n; ++j) {
            const MdbField &f = fields[size_t(j)];
            if (f.colnum < 0 || unsigned(f.colnum) >= t->num_cols)
                continue;
            auto *col = static_cast<MdbColumn *>(g_ptr_array_index(t->columns, f.colnum));
            values[f.colnum] = fieldText(mdb, col, f, m_path);
            if (IS_JET3(mdb) && col->col_type == MDB_TEXT && !f.is_null && f.siz > 0)
                for (const QString &loss : jet3TextLosses(reinterpret_cast<const char *>(mdb->pg_buf) + f.start, f.siz))
                    losses.append({f.colnum, loss});
            // A Jet 3 memo keeps one byte per character: fewer characters
            // than its stored length means the text was cut.
            if (IS_JET3(mdb) && col->col_type == MDB_MEMO && !f.is_null && f.siz >= MDB_MEMO_OVERHEAD) {
                const qint64 stored = guint32(mdb_get_int32(mdb->pg_buf, f.start)) & 0x00ffffffu;
                const qint64 got = values[f.colnum].toString().size();
                if (got < stored)
                    losses.append({f.colnum, QStringLiteral("dipotong: %1 daripada %2 aksara dibawa").arg(got).arg(stored)});
            }
        }
        sink.row(values);
        for (const auto &[column, what] : std::as_const(losses))
            sink.altered(column, what);
        if (++count > m_size) // a row takes bytes; more rows than bytes is a page loop
            throw Failure(kDamaged.arg(m_path), QStringLiteral("baris tanpa henti"));
    }
    // The table definition keeps the number of rows: pages that could not be
    // read would otherwise shorten the table without a word.
    if (count != qint64(t->num_rows))
        throw Failure(kDamaged.arg(m_path),
                      QStringLiteral("jadual %1: %2 baris dibaca, %3 dijangka").arg(table).arg(count).arg(t->num_rows));
    sink.endTable(count);
    return true;
}

} // namespace arb::legacy
