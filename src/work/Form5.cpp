#include "work/Form5.h"

#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "platform/AddressBox.h"
#include "data/WorkDates.h"
#include "platform/Artwork.h"
#include "platform/BoundBox.h"
#include "platform/BusyPointer.h"
#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/WriteConflict.h"
#include "register/Search.h"
#include "register/SearchPanel.h"
#include "work/Form6.h"
#include "work/WorkSheet.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QShortcut>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

namespace arb {

namespace {

QFont boldFont()
{
    return uiFont(QStringLiteral("MS Sans Serif"), 8.25, true);
}

QLabel *workLabel(QWidget *parent, const QString &text, int left, int top, int width, int height, bool bold = false)
{
    auto *l = label(parent, text, left, top, width, height, kLightYellow);
    if (bold)
        l->setFont(boldFont());
    return l;
}

// A job column: one line per job, never wrapped, with scroll bars when the
// text is longer or wider than the box.
QTextEdit *jobColumn(QWidget *parent, int left, int top, int width, int height)
{
    auto *t = placed(new QTextEdit(parent), left, top, width, height);
    t->setAcceptRichText(false);
    t->setLineWrapMode(QTextEdit::NoWrap);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    t->setTabChangesFocus(true);
    return t;
}

// How far a column scrolls by its own text.
int ownScroll(QTextEdit *t)
{
    return std::max(0, int(std::ceil(t->document()->size().height())) - t->viewport()->height());
}

void lock(QLineEdit *box)
{
    // Locked: shown and selectable, but no typing.
    box->setReadOnly(true);
}

} // namespace

Form5::Form5(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Majlis Daerah Lembah Serindit"));
    setClientSize(this, 7095, 8190);
    setBackground(this, kTeal);
    setFont(defaultFont());

    buildControls();
    buildSearchPanel();

    connect(Command4, &QPushButton::clicked, this, [this] { guard(this, [this] { step(&Form5::first); }); });
    connect(Command5, &QPushButton::clicked, this, [this] { guard(this, [this] { step(&Form5::previous); }); });
    connect(Command6, &QPushButton::clicked, this, [this] { guard(this, [this] { step(&Form5::next); }); });
    connect(Command7, &QPushButton::clicked, this, [this] { guard(this, [this] { step(&Form5::last); }); });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            [this] { guard(this, [this] { batal(); }); });
    connect(Command2, &QPushButton::clicked, this, [this] { guard(this, [this] { printSheet(); }); });
    connect(Command3, &QPushButton::clicked, this, [this] { close(); });
    connect(Command8, &QPushButton::clicked, this, [this] { guard(this, [this] { search(); }); });

    // Load: the search starts by company name; the data control opens its
    // table and shows the first row in the bound boxes.
    Frame2->loadModes(kSearchByName);

    kontraktor = new DataControl(Locations::kLocalPath, kContractorTable, DataControl::Kind::Dynaset, this);
    kontraktor->open();
    m_conflict = new WriteConflict(this, *kontraktor);
    const std::pair<QWidget *, const char *> bound[] = {
        {Text2a, "NoDaftar"},
        {Text2b, "NamaSyarikat"},
        {Text1, "AlamatPendaftaranSyarikat"},
        {Text2c, "No_I_LO"},
        {Text2, "Tarikh_dapat_kerja"},
        {Text2e, "Butiran_kerja"},
        {Text2f, "Nilai"},
    };
    for (const auto &[box, field] : bound) {
        m_bindings.push_back(std::make_unique<BoundBox>(box, QString::fromLatin1(field)));
        kontraktor->bind(m_bindings.back().get());
    }
}

Form5::~Form5()
{
    // Deleted without a close: still store the edits, but quietly.
    if (!m_unloaded) {
        try {
            kontraktor->close();
        } catch (...) {
        }
    }
    for (const auto &b : m_bindings)
        kontraktor->unbind(b.get());
}

void Form5::buildControls()
{
    Image1 = new QLabel(this);
    place(Image1, 120, 120, 495, 495);
    Image1->setPixmap(emblem(200));
    Image1->setScaledContents(true);

    Label17 = new QLabel(QStringLiteral("MAKLUMAT KERJA KONTRAKTOR BERDAFTAR"), this);
    place(Label17, 600, 120, 6375, 495);
    Label17->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label17->setWordWrap(true);
    Label17->setFont(uiFont(QStringLiteral("MS Sans Serif"), 12, true));
    setForeground(Label17, kYellow);

    // The white rectangle around the identification block.
    Line1 = line(this, 120, 720, 6960, 720, Qt::white);
    Line2 = line(this, 6960, 720, 6960, 2520, Qt::white);
    Line3 = line(this, 120, 2520, 6960, 2520, Qt::white);
    Line4 = line(this, 120, 720, 120, 2520, Qt::white);

    Label2a = workLabel(this, QStringLiteral("No Daftar"), 360, 840, 855, 255);
    Text2a = lineBox(this, 2040, 840, 4815, 435);
    Text2a->setFont(uiFont(QStringLiteral("Arial Black"), 12, true));
    lock(Text2a);

    Label2b = workLabel(this, QStringLiteral("Nama Syarikat/Perniagaan"), 360, 1320, 1575, 495);
    Text2b = lineBox(this, 2040, 1320, 4815, 405);
    lock(Text2b);

    Label1 = workLabel(this, QStringLiteral("Alamat "), 360, 1800, 1335, 255);
    // Locked: whole lines of the address, selectable, no caret.
    Text1 = placed(new AddressBox(this), 2040, 1800, 4815, 615);
    Text1->setReadOnly(true);
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Label2c = workLabel(this, QStringLiteral("No Inden / LO "), 120, 2640, 1575, 255, true);
    Text2c = lineBox(this, 2040, 2640, 4815, 285);

    Label2d = workLabel(this, QStringLiteral("Tarikh : "), 120, 3000, 735, 255, true);
    Label2 = workLabel(this, QStringLiteral("DD.MM.YYYY"), 840, 3000, 1095, 255);
    Label2e = workLabel(this, QStringLiteral("Butiran Kerja : "), 2040, 3000, 1215, 255, true);
    Label2f = workLabel(this, QStringLiteral("Nilai Projek :"), 5280, 3000, 1335, 255, true);

    Text2 = jobColumn(this, 120, 3240, 1815, 3495);
    Text2e = jobColumn(this, 2040, 3240, 3135, 3495);
    Text2f = jobColumn(this, 5280, 3240, 1695, 3495);
    tieColumns();

    Line5 = line(this, 120, 6840, 6960, 6840, Qt::black);

    Command4 = button(this, QStringLiteral("<<"), 120, 6960, 375, 375);
    Command5 = button(this, QStringLiteral("<"), 600, 6960, 375, 375);
    Command6 = button(this, QStringLiteral(">"), 1080, 6960, 375, 375);
    Command7 = button(this, QStringLiteral(">>"), 1560, 6960, 375, 375);
    Command2 = button(this, QStringLiteral("Cetak Maklumat"), 4680, 6960, 1335, 375);
    Command3 = button(this, QStringLiteral("&Keluar"), 6120, 6960, 855, 375);
    for (QPushButton *b : {Command4, Command5, Command6, Command7, Command2, Command3})
        b->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));

    for (QWidget *w : {static_cast<QWidget *>(Text2a), static_cast<QWidget *>(Text2b), static_cast<QWidget *>(Text1)})
        setBackground(w, Qt::white);
}

void Form5::buildSearchPanel()
{
    Frame2 = new SearchPanel(this, kLightYellow, kLightYellow, 0, 7440, 7095);
    Label19 = Frame2->Label19;
    Text16 = Frame2->Text16;
    Combo1 = Frame2->Combo1;
    Command8 = Frame2->Command8;
}

int Form5::searchMode() const
{
    return Frame2->searchMode();
}

void Form5::tarikh()
{
    const QString text = boxText(Text2);
    const QString normal = normalisedDates(text);
    // Writing the same text back would only lose the caret.
    if (normal != text)
        setBoxText(Text2, normal);
}

void Form5::tieColumns()
{
    const QList<QTextEdit *> columns{Text2, Text2e, Text2f};
    for (QTextEdit *column : columns) {
        QScrollBar *bar = column->verticalScrollBar();
        // Each column reaches as far down as the longest, so that line n
        // can stand at the same height in all three.
        connect(bar, &QScrollBar::rangeChanged, this, [columns] {
            int reach = 0;
            for (QTextEdit *c : columns)
                reach = std::max(reach, ownScroll(c));
            for (QTextEdit *c : columns)
                if (c->verticalScrollBar()->maximum() != reach)
                    c->verticalScrollBar()->setRange(0, reach);
        });
        connect(bar, &QScrollBar::valueChanged, this, [columns, column](int value) {
            for (QTextEdit *c : columns)
                if (c != column)
                    c->verticalScrollBar()->setValue(value);
        });
    }
}

void Form5::step(void (Form5::*move)())
{
    BusyPointer busy;
    (this->*move)();
    // Values the clerk registered anew in a conflict: show that contractor.
    if (const qint64 id = m_conflict->takeRegistered(); id >= 0)
        kontraktor->moveToId(id);
}

void Form5::batal()
{
    const bool typed = std::any_of(m_bindings.cbegin(), m_bindings.cend(), [](const auto &b) { return b->valueChanged(); });
    if (!typed || !MessageBox::ask(this, QStringLiteral("Batalkan perubahan?"), QStringLiteral("Batal...")))
        return;
    BusyPointer busy;
    // The row read afresh into the boxes; nothing is written.
    kontraktor->requery();
}

void Form5::first()
{
    tarikh();
    kontraktor->moveFirst();
}

void Form5::previous()
{
    tarikh();
    stepPrevious(*kontraktor);
}

void Form5::next()
{
    tarikh();
    stepNext(*kontraktor);
}

void Form5::last()
{
    tarikh();
    kontraktor->moveLast();
}

void Form5::printSheet()
{
    printAfterAsking(this, [this] {
        // The texts as shown, edits not yet stored included; no tarikh.
        Form6 *sheet = Form6::instance();
        sheet->Text4->setText(Text2a->text());
        sheet->Text5->setText(Text2b->text());
        sheet->Text6->setPlainText(Text1->toPlainText());
        sheet->Text7->setText(Text2c->text());
        sheet->Text1->setPlainText(Text2->toPlainText());
        sheet->Text2->setPlainText(Text2e->toPlainText());
        sheet->Text3->setPlainText(Text2f->toPlainText());
        BusyPointer busy;
        printWorkSheet(sheet, QStringLiteral("Maklumat Kerja Kontraktor"));
    });
}

void Form5::search()
{
    // The contractor search on this window's data control. The bound boxes
    // follow the position by themselves, and the rows it leaves are stored
    // with their edits as typed: no tarikh.
    kontraktor->setRefreshDeferred(true);
    const auto normal = qScopeGuard([this] { kontraktor->setRefreshDeferred(false); });
    searchContractors(this, Text16->text(), searchMode(), *kontraktor, [this] { kontraktor->refreshBound(); });
}

void Form5::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    // The edits of the row shown are stored as typed.
    guard(this, [this] {
        BusyPointer busy;
        kontraktor->close();
    });
}

void Form5::closeEvent(QCloseEvent *event)
{
    unload();
    event->accept();
}

} // namespace arb
