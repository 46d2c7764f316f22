#pragma once

#include <QString>
#include <QVariant>

namespace arb {

// Position over rows 0..n-1 with the beginning-of-records (-1) and
// end-of-records (n) marks, moved the way the data controls and snapshots of
// the program have always moved. Shared by DataControl and Snapshot.
class Cursor
{
public:
    virtual ~Cursor() = default;

    bool eof() const;
    bool bof() const;
    // Fail on no rows.
    void moveFirst();
    void moveLast();
    // Past the last row sets end-of-records; fails when it is already set.
    void moveNext();
    // Before the first row sets beginning-of-records; fails when already set.
    void movePrevious();

    // Index of the current row, or -1 when there is none.
    int currentIndex() const;

    // Field of the current row; fails when there is no current row.
    virtual QVariant value(const QString &field) = 0;
    // The same as text; a null fails.
    QString text(const QString &field);

protected:
    virtual int rowCount() const = 0;
    // Called before the position leaves a row and after it arrived.
    virtual void leaving() {}
    virtual void arrived() {}
    // Table cursors re-read their rows on first/last.
    virtual void reloadRows() {}
    void requireCurrent() const;

    int m_pos = -1;
    bool m_onDeleted = false; // stays on a removed row until the next move
};

} // namespace arb
