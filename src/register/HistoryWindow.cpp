#include "register/HistoryWindow.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/History.h"
#include "data/Locations.h"
#include "platform/BusyPointer.h"
#include "platform/Controls.h"
#include "data/Failure.h"
#include "platform/Guard.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>

namespace arb {

namespace {

const QString kTitle = QStringLiteral("Mesej");
const QString kAsk = QStringLiteral("Pulihkan...");
const QString kDeletedCaption = QStringLiteral("Kontraktor dipadam");
const QString kHistoryCaption = QStringLiteral("Sejarah Kontraktor");

// One line of a cell; the whole value in its tip.
QTableWidgetItem *cell(const QVariant &value)
{
    const QString text = value.isNull() ? QString() : value.toString();
    QString line = text;
    line.replace(QLatin1Char('\n'), QStringLiteral(" / "));
    auto *item = new QTableWidgetItem(line);
    if (line != text)
        item->setToolTip(text);
    return item;
}

QString shownTime(const HistoryEntry &e)
{
    return e.when.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString shownWho(const HistoryEntry &e)
{
    return e.who.isEmpty() ? QStringLiteral("tidak diketahui") : e.who;
}

} // namespace

HistoryWindow::HistoryWindow(const QString &key, const QString &caption, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_key(key)
    , m_caption(caption)
{
    setWindowTitle(QStringLiteral("Majlis Daerah Lembah Serindit"));
    setClientSize(this, 10335, 5295);
    setBackground(this, kTeal);
    setFont(defaultFont());
    // The record window waits: it cannot move or change rows meanwhile.
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);

    Label1 = new QLabel(QStringLiteral("SEJARAH PERUBAHAN"), this);
    place(Label1, 120, 120, 10095, 375);
    Label1->setFont(uiFont(QStringLiteral("MS Sans Serif"), 12, true));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setForeground(Label1, kYellow);

    Label2 = new QLabel(this);
    place(Label2, 120, 540, 10095, 255);
    Label2->setFont(uiFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    setForeground(Label2, kPaleYellow);

    Grid1 = new QTableWidget(this);
    place(Grid1, 120, 840, 10095, 3840);
    Grid1->setFont(uiFont(QStringLiteral("Verdana"), 8.25));
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1->setWordWrap(false);
    Grid1->verticalHeader()->hide();
    Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(Grid1->font()).height() + 4);
    Grid1->horizontalHeader()->setFont(uiFont(QStringLiteral("Arial"), 9, true));
    Grid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    Grid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    Command1 = button(this, QStringLiteral("Pulihkan"), 120, 4800, 1095, 375);
    Command2 = button(this, kDeletedCaption, 1320, 4800, 1935, 375);
    Command3 = button(this, QStringLiteral("Keluar"), 9360, 4800, 855, 375);
    connect(Command1, &QPushButton::clicked, this, [this] { guard(this, [this] { pulihkan(); }); });
    connect(Command2, &QPushButton::clicked, this, [this] { guard(this, [this] { toggle(); }); });
    connect(Command3, &QPushButton::clicked, this, &QWidget::close);

    // Its own cursor: the row the contractor is in, as this window read it,
    // is the basis of the conditional write of "Pulihkan".
    kontraktor = new DataControl(Locations::kLocalPath, kContractorTable, DataControl::Kind::Dynaset, this);
    kontraktor->open();
    if (m_key.isEmpty()) {
        Command2->setEnabled(false);
        showDeleted();
    } else {
        showHistory();
    }
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::fill(const QStringList &headings, const QList<int> &widths, const QList<QStringList> &rows)
{
    Grid1->clear();
    Grid1->setColumnCount(int(headings.size()));
    Grid1->setHorizontalHeaderLabels(headings);
    for (int i = 0; i < widths.size(); ++i)
        Grid1->setColumnWidth(i, px(widths.at(i)));
    Grid1->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int i = 0; i < rows.at(r).size(); ++i)
            Grid1->setItem(r, i, cell(rows.at(r).at(i)));
    if (!rows.isEmpty())
        Grid1->selectRow(0);
}

void HistoryWindow::showHistory()
{
    BusyPointer busy;
    m_deleted = false;
    Command2->setText(kDeletedCaption);
    Connection &c = kontraktor->connection();
    // The contractor's row now: "Susun" may have moved it since.
    QSqlQuery q = c.exec(QStringLiteral("SELECT id FROM kontraktor WHERE kunci = ?"), {m_key});
    const qint64 id = q.next() ? q.value(0).toLongLong() : -1;
    q.finish();
    if (id >= 0) {
        kontraktor->moveToId(id);
        m_caption = valueToTextOrEmpty(kontraktor->value(QStringLiteral("NoDaftar"))) + QStringLiteral("  ")
                    + valueToTextOrEmpty(kontraktor->value(QStringLiteral("NamaSyarikat")));
        Label2->setText(m_caption);
    } else {
        Label2->setText(m_caption + QStringLiteral("  (telah dipadam)"));
    }
    HistoryFilter filter;
    filter.key = m_key;
    m_entries = historyEntries(c, filter);
    QList<QStringList> rows;
    for (const HistoryEntry &e : std::as_const(m_entries))
        rows.append({shownTime(e), shownWho(e), e.computer, e.action, fieldCaption(e.field),
                     e.before.isNull() ? QString() : e.before.toString(), e.after.isNull() ? QString() : e.after.toString()});
    fill({QStringLiteral("Masa"), QStringLiteral("Pengguna"), QStringLiteral("Komputer"), QStringLiteral("Tindakan"),
          QStringLiteral("Medan"), QStringLiteral("Nilai Lama"), QStringLiteral("Nilai Baru")},
         {2055, 975, 1095, 1095, 1815, 1455}, rows);
}

void HistoryWindow::showDeleted()
{
    BusyPointer busy;
    m_deleted = true;
    Command2->setText(kHistoryCaption);
    Label2->setText(QStringLiteral("Kontraktor yang telah dipadam"));
    m_entries = deletedContractors(kontraktor->connection());
    QList<QStringList> rows;
    for (const HistoryEntry &e : std::as_const(m_entries))
        rows.append({shownTime(e), shownWho(e), e.computer, e.noDaftar, e.company});
    fill({QStringLiteral("Masa Dipadam"), QStringLiteral("Pengguna"), QStringLiteral("Komputer"),
          QStringLiteral("No Daftar"), QStringLiteral("Nama Syarikat")},
         {2055, 975, 1095, 1815}, rows);
}

void HistoryWindow::toggle()
{
    if (m_deleted)
        showHistory();
    else
        showDeleted();
}

void HistoryWindow::pulihkan()
{
    const int row = Grid1->currentRow();
    if (row < 0 || row >= m_entries.size()) {
        MessageBox::tell(this, QStringLiteral("Pilih satu baris dalam senarai dahulu."), kTitle, MessageBox::Information);
        return;
    }
    if (m_deleted)
        restoreContractor();
    else
        restoreField();
}

void HistoryWindow::restoreField()
{
    const HistoryEntry e = m_entries.at(Grid1->currentRow());
    if (e.field.isEmpty() || e.before.isNull() || !contractorFields().contains(e.field)) {
        MessageBox::tell(this, QStringLiteral("Perubahan ini tiada nilai lama untuk dipulihkan."), kTitle,
                         MessageBox::Information);
        return;
    }
    if (kontraktor->currentIndex() < 0 || valueToTextOrEmpty(kontraktor->value(History::kKey)) != m_key) {
        MessageBox::tell(this, QStringLiteral("Kontraktor ini telah dipadam. Pulihkannya melalui \"Kontraktor dipadam\"."),
                         kTitle, MessageBox::Information);
        return;
    }
    if (!MessageBox::ask(this,
                         QStringLiteral("Pulihkan %1 kepada nilai lamanya \"%2\"?").arg(fieldCaption(e.field), e.before.toString()),
                         kAsk))
        return;
    // Stored only while the row still holds what this window read of it;
    // otherwise the conflict is reported and the history read again.
    kontraktor->edit();
    kontraktor->setValue(e.field, e.before);
    try {
        History::Action restored(kontraktor->connection(), History::kRestored);
        kontraktor->update();
    } catch (const Failure &) {
        kontraktor->cancelUpdate();
        showHistory();
        throw;
    }
    const qint64 id = kontraktor->currentId();
    showHistory();
    emit restored(id);
    MessageBox::tell(this, QStringLiteral("%1 telah dipulihkan.").arg(fieldCaption(e.field)), kTitle,
                     MessageBox::Information);
}

void HistoryWindow::restoreContractor()
{
    const HistoryEntry e = m_entries.at(Grid1->currentRow());
    if (!MessageBox::ask(this,
                         QStringLiteral("Pulihkan kontraktor %1 %2 bersama rekod kerjanya?").arg(e.noDaftar, e.company), kAsk))
        return;
    RestoredContractor r;
    {
        BusyPointer busy;
        r = arb::restoreContractor(*kontraktor, e.key);
    }
    showDeleted();
    emit restored(r.id);
    const QString text = r.number == r.oldNumber
        ? QStringLiteral("Kontraktor %1 telah dipulihkan.").arg(r.number)
        : QStringLiteral("No Daftar %1 telah digunakan. Kontraktor dipulihkan dengan No Daftar %2.").arg(r.oldNumber, r.number);
    MessageBox::tell(this, text, kTitle, MessageBox::Information);
}

} // namespace arb
