#include "reports/Form3.h"

#include "data/Locations.h"
#include "platform/BusyPointer.h"
#include "platform/Guard.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/Windows.h"
#include "reports/ContractorGrid.h"
#include "data/ContractorSort.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableView>

namespace arb {

namespace {
const QString kTitle = QStringLiteral("Mesej");
} // namespace

Form3::Form3(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Majlis Daerah Lembah Serindit"));
    setClientSize(this, 11910, 7065);
    setBackground(this, kTeal);
    setFont(defaultFont());

    // Read once, now; the grid shows later changes only when loaded again.
    Adodc1 = new ContractorGrid(Locations::kLocalPath, this);

    DataGrid1 = new QTableView(this);
    place(DataGrid1, 0, 0, 11895, 6495);
    DataGrid1->setFont(uiFont(QStringLiteral("Verdana"), 8.25));
    DataGrid1->setModel(Adodc1);
    DataGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DataGrid1->setWordWrap(false);

    QHeaderView *headings = DataGrid1->horizontalHeader();
    const QFont headingFont = uiFont(QStringLiteral("Arial"), 9.75, true);
    headings->setFont(headingFont);
    headings->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    headings->setSectionResizeMode(QHeaderView::Interactive);
    headings->setFixedHeight(QFontMetrics(headingFont).height() + 6);
    const auto &columns = ContractorGrid::columns();
    for (int i = 0; i < columns.size(); ++i)
        DataGrid1->setColumnWidth(i, px(columns.at(i).widthTwips));

    // Narrow record selectors on the left, rows of one line each; fixed
    // heights keep a register of thousands quick to show.
    QHeaderView *selectors = DataGrid1->verticalHeader();
    selectors->setSectionResizeMode(QHeaderView::Fixed);
    selectors->setDefaultSectionSize(QFontMetrics(DataGrid1->font()).height() + 4);
    selectors->setFixedWidth(px(225));

    Command1 = new QPushButton(QStringLiteral("Susun"), this);
    place(Command1, 9600, 6600, 975, 375);
    Command2 = new QPushButton(QStringLiteral("&Keluar"), this);
    place(Command2, 10680, 6600, 1095, 375);

    connect(Command1, &QPushButton::clicked, this, [this] { guard(this, [this] { Command1_Click(); }); });
    connect(Command2, &QPushButton::clicked, this, [this] { close(); });
}

void Form3::Command1_Click()
{
    // The hourglass lets a second click through; one sort at a time.
    if (m_sorting)
        return;
    QScopedValueRollback<bool> sorting(m_sorting, true);
    int rewritten = 0;
    QHash<qint64, qint64> moves;
    const qint64 shown = Adodc1->idAt(DataGrid1->currentIndex().row());
    {
        BusyPointer busy;
        rewritten = sortContractors(Locations::kLocalPath, &moves);
    }
    if (rewritten == 0) {
        MessageBox::tell(this, QStringLiteral("Tiada rekod kontraktor untuk disusun."), kTitle, MessageBox::Information);
        return;
    }
    MessageBox::tell(this, QStringLiteral("Selesai Disusun"), kTitle, MessageBox::Information);
    reload(moves.value(shown, shown));
}

void Form3::reload(qint64 current)
{
    const QPoint where = pos();
    const int column = std::max(0, DataGrid1->currentIndex().column());
    QPointer<Form3> &loaded = loadedWindow<Form3>();
    if (loaded == this)
        loaded = nullptr;
    close();
    Form3 *again = showWindow<Form3>();
    again->move(where);
    // The contractor that was current, at its new place.
    const int row = again->Adodc1->rowOf(current);
    if (row >= 0) {
        again->DataGrid1->setCurrentIndex(again->Adodc1->index(row, column));
        again->DataGrid1->scrollTo(again->Adodc1->index(row, column));
    }
}

} // namespace arb
