#include "data/Cursor.h"

#include "data/Convert.h"
#include "data/Failure.h"

namespace arb {

namespace {
[[noreturn]] void noCurrentRecord(const char *what)
{
    throw Failure(QStringLiteral("Tiada rekod semasa."), QString::fromLatin1(what));
}
} // namespace

bool Cursor::eof() const
{
    if (m_onDeleted)
        return false;
    return rowCount() == 0 || m_pos >= rowCount();
}

bool Cursor::bof() const
{
    if (m_onDeleted)
        return false;
    return rowCount() == 0 || m_pos < 0;
}

int Cursor::currentIndex() const
{
    if (m_onDeleted || m_pos < 0 || m_pos >= rowCount())
        return -1;
    return m_pos;
}

void Cursor::requireCurrent() const
{
    if (m_onDeleted)
        noCurrentRecord("the current row was deleted");
    if (currentIndex() < 0)
        noCurrentRecord("no current row");
}

void Cursor::moveFirst()
{
    leaving();
    reloadRows();
    if (rowCount() == 0)
        noCurrentRecord("move first on no rows");
    m_onDeleted = false;
    m_pos = 0;
    arrived();
}

void Cursor::moveLast()
{
    leaving();
    reloadRows();
    if (rowCount() == 0)
        noCurrentRecord("move last on no rows");
    m_onDeleted = false;
    m_pos = rowCount() - 1;
    arrived();
}

void Cursor::moveNext()
{
    if (eof())
        noCurrentRecord("move next at end of records");
    leaving();
    if (m_onDeleted)
        m_onDeleted = false; // the following row has moved into this place
    else
        ++m_pos;
    if (m_pos > rowCount())
        m_pos = rowCount();
    arrived();
}

void Cursor::movePrevious()
{
    if (bof())
        noCurrentRecord("move previous at beginning of records");
    leaving();
    m_onDeleted = false;
    if (m_pos > rowCount())
        m_pos = rowCount();
    --m_pos;
    if (m_pos < -1)
        m_pos = -1;
    arrived();
}

QString Cursor::text(const QString &field)
{
    return valueToText(value(field), field);
}

} // namespace arb
