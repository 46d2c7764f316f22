#pragma once

#include "data/HistoryLog.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace arb {

class DataControl;

// The change history of one contractor, newest first: when, who, computer,
// action, field, old and new value. "Pulihkan" writes the selected field's
// old value back, conditionally like every write of a window; "Kontraktor
// dipadam" lists the deleted contractors, and "Pulihkan" then brings the
// selected one back whole. Opened by the record window's "Sejarah",
// which it keeps from changing rows while it is open.
class HistoryWindow : public QWidget
{
    Q_OBJECT
public:
    // key: the contractor's hidden key; empty when the record window shows
    // none (the window then lists the deleted contractors). caption: its
    // number and name as the record window shows them.
    HistoryWindow(const QString &key, const QString &caption, QWidget *parent = nullptr);
    ~HistoryWindow() override;

    bool showingDeleted() const { return m_deleted; }

    QLabel *Label1;
    QLabel *Label2;
    QTableWidget *Grid1;
    QPushButton *Command1; // "Pulihkan"
    QPushButton *Command2; // "Kontraktor dipadam", then back to the contractor
    QPushButton *Command3; // "Keluar"
    DataControl *kontraktor;

signals:
    // A field or a whole contractor was restored; the row that holds it.
    void restored(qint64 rowId);

private:
    void showHistory();
    void showDeleted();
    void fill(const QStringList &headings, const QList<int> &widths, const QList<QStringList> &rows);
    void pulihkan();
    void restoreField();
    void restoreContractor();
    void toggle();

    QString m_key;
    QString m_caption;
    bool m_deleted = false;
    QList<HistoryEntry> m_entries;
};

} // namespace arb
