#include "register/Form4.h"

#include "data/Convert.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/History.h"
#include "data/Locations.h"
#include "data/Numbering.h"
#include "platform/AddressBox.h"
#include "platform/Artwork.h"
#include "platform/BoundBox.h"
#include "platform/BusyPointer.h"
#include "platform/Guard.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/WriteConflict.h"
#include "register/DetailSheet.h"
#include "register/HistoryWindow.h"
#include "register/Search.h"
#include "register/SearchPanel.h"
#include "reports/Printer.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <limits>

namespace arb {

namespace {

const QColor kCountText(162, 162, 162);

QLabel *label(QWidget *parent, const QString &caption, int left, int top, bool underline = false)
{
    auto *l = new QLabel(caption, parent);
    QFont f = defaultFont();
    f.setUnderline(underline);
    l->setFont(f);
    setForeground(l, kPaleYellow);
    l->move(px(left), px(top));
    l->adjustSize();
    l->resize(l->width(), px(255));
    return l;
}

QLineEdit *textBox(QWidget *parent, int left, int top, int width, int height)
{
    auto *t = new QLineEdit(parent);
    // Any length the store holds, not the box's default 32,767 characters.
    t->setMaxLength(std::numeric_limits<int>::max());
    t->setFont(defaultFont());
    place(t, left, top, width, height);
    return t;
}

// A several-line box the height of one line, as the window has it: whole
// lines only, no scroll bars, tab moves on to the next field.
QPlainTextEdit *multiLineBox(QWidget *parent, int left, int top, int width, int height)
{
    auto *t = new AddressBox(parent);
    t->setFont(defaultFont());
    place(t, left, top, width, height);
    return t;
}

QPushButton *button(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *b = new QPushButton(caption, parent);
    b->setFont(defaultFont());
    b->setAutoDefault(false);
    place(b, left, top, width, height);
    return b;
}

QFrame *line(QWidget *parent, int x1, int y, int x2)
{
    auto *l = new QFrame(parent);
    place(l, x1, y, x2 - x1, kTwipsPerPixel);
    setBackground(l, Qt::black);
    return l;
}

QGroupBox *frame(QWidget *parent, const QString &caption, const QColor &back, const QColor &captionColour, int left,
                 int top, int width, int height)
{
    auto *g = new QGroupBox(caption, parent);
    g->setFont(uiFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    setBackground(g, back);
    setForeground(g, captionColour);
    place(g, left, top, width, height);
    return g;
}
} // namespace

Form4::Form4(QWidget *parent)
    : QWidget(parent)
{
    build();

    // The data control opens with the window and stands on the first row.
    kontraktor = new DataControl(Locations::kLocalPath, kContractorTable, DataControl::Kind::Table, this);
    kontraktor->open();
    m_conflict = new WriteConflict(this, *kontraktor);

    connectButtons();

    // Load.
    Frame2->loadModes(kSearchByNumber);
    Combo2->addItem(QStringLiteral("Pembinaan"));
    Combo2->addItem(QStringLiteral("Pembekalan/Perkhidmatan"));
    satu(false);
    butang(true);
}

Form4::~Form4() = default;

void Form4::build()
{
    setWindowTitle(QStringLiteral("Majlis Daerah Lembah Serindit"));
    setClientSize(this, 7305, 7245);
    setBackground(this, kTeal);
    setFont(defaultFont());

    Image1 = new QLabel(this);
    place(Image1, 240, 0, 615, 615);
    Image1->setPixmap(emblem(200));
    Image1->setScaledContents(true);

    Label17 = new QLabel(QStringLiteral("MAKLUMAT KONTRAKTOR BERDAFTAR"), this);
    place(Label17, 600, 120, 6615, 495);
    Label17->setFont(uiFont(QStringLiteral("MS Sans Serif"), 12, true));
    Label17->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setForeground(Label17, kYellow);

    Label1 = label(this, QStringLiteral("No Daftar"), 120, 720);
    Text1 = textBox(this, 120, 960, 2415, 375);
    Text1->setFont(uiFont(QStringLiteral("MS Sans Serif"), 12, true));

    // The record count during a registration: borderless, on the window.
    Text18 = multiLineBox(this, 2640, 960, 1935, 405);
    Text18->setFrameShape(QFrame::NoFrame);
    Text18->setFont(uiFont(QStringLiteral("MS Sans Serif"), 8.25, false, true));
    {
        // Black on teal is barely 1.8:1; the nearest grey that reads at 4.5:1.
        QPalette p = Text18->palette();
        p.setColor(QPalette::Base, kTeal);
        p.setColor(QPalette::Text, kCountText);
        Text18->setPalette(p);
    }
    Text18->hide();

    Label18 = label(this, QStringLiteral("Tarikh Daftar"), 4680, 720);
    Text17 = textBox(this, 5760, 720, 1455, 285);
    Label21 = label(this, QStringLiteral("No Resit :"), 4680, 1080);
    Text19 = textBox(this, 5760, 1080, 1455, 285);

    Label2 = label(this, QStringLiteral("Nama Syarikat/Perniagaan"), 120, 1440);
    Text2 = textBox(this, 120, 1680, 3495, 285);
    Label4 = label(this, QStringLiteral("No Pendaftaran Syarikat/Perniagaan"), 3840, 1440);
    Text4 = textBox(this, 3840, 1680, 3375, 285);

    Label3 = label(this, QStringLiteral("Alamat Pendaftaran Syarikat/Perniagaan"), 120, 2040);
    Text3 = multiLineBox(this, 120, 2280, 7095, 285);

    Label12 = label(this, QStringLiteral("Nama Pengarah Urusan"), 120, 2640);
    Text13 = textBox(this, 120, 2880, 3495, 285);
    Label11 = label(this, QStringLiteral("No Kad Pengenalan"), 3840, 2640);
    Text12 = textBox(this, 3840, 2880, 3375, 285);

    Label5 = label(this, QStringLiteral("No Telefon :"), 120, 3240);
    Label15 = label(this, QStringLiteral("H/p"), 1320, 3240, true);
    Text5 = textBox(this, 1680, 3240, 1335, 285);
    Label14 = label(this, QStringLiteral("Pejabat"), 3120, 3240, true);
    Text14 = textBox(this, 3840, 3240, 1335, 285);
    Label16 = label(this, QStringLiteral("Faks"), 5400, 3240, true);
    Text15 = textBox(this, 5880, 3240, 1335, 285);

    Frame1 = frame(this, QStringLiteral("No Pendaftaran PKK, CIDB dan Kem. Kewangan"), kTeal, kLightYellow, 120, 3600,
                   7095, 1575);
    Label6 = label(Frame1, QStringLiteral("No Daftar"), 1560, 240);
    Label7 = label(Frame1, QStringLiteral("Kelas/Tajuk"), 4560, 240);
    Label8 = label(Frame1, QStringLiteral("PKK"), 120, 480);
    Label9 = label(Frame1, QStringLiteral("CIDB"), 120, 840);
    Label10 = label(Frame1, QStringLiteral("K/KEW"), 120, 1200);
    Text6 = textBox(Frame1, 960, 480, 2175, 285);
    Text7 = textBox(Frame1, 960, 840, 2175, 285);
    Text8 = textBox(Frame1, 960, 1200, 2175, 285);
    Text9 = textBox(Frame1, 3240, 480, 3735, 285);
    Text10 = textBox(Frame1, 3240, 840, 3735, 285);
    Text11 = textBox(Frame1, 3240, 1200, 3735, 285);

    Label22 = label(this, QStringLiteral("Bidang : "), 120, 5280);
    Combo2 = new QComboBox(this);
    Combo2->setEditable(true);
    Combo2->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Combo2->setFont(defaultFont());
    place(Combo2, 840, 5280, 2535, 315);
    Label23 = label(this, QStringLiteral("Kelas :"), 3600, 5280);
    Text20 = textBox(this, 4560, 5280, 2655, 285);

    // Below the client area: holds the work date for the copy, never seen.
    Text21 = textBox(this, 2520, 7320, 1335, 375);

    Line1 = line(this, 120, 5760, 7200);
    Command2 = button(this, QStringLiteral("&Baru"), 120, 5880, 735, 375);
    Command3 = button(this, QStringLiteral("&Padam"), 960, 5880, 735, 375);
    Command4 = button(this, QStringLiteral("Ke&maskini"), 1800, 5880, 1095, 375);
    Command9 = button(this, QStringLiteral("<<"), 3000, 5880, 375, 375);
    Command7 = button(this, QStringLiteral("<"), 3480, 5880, 375, 375);
    Command6 = button(this, QStringLiteral(">"), 3960, 5880, 375, 375);
    Command10 = button(this, QStringLiteral(">>"), 4440, 5880, 375, 375);
    Command1 = button(this, QStringLiteral("Cetak Maklumat"), 4920, 5880, 1335, 375);
    Command5 = button(this, QStringLiteral("&Keluar"), 6360, 5880, 855, 375);
    Line2 = line(this, 120, 6360, 7200);
    // In the free band between the title and Text18, right of "No Daftar"
    // and clear of "Tarikh Daftar": no fixed control moves.
    Command11 = button(this, QStringLiteral("Sejarah"), 3720, 645, 855, 285);

    Frame2 = new SearchPanel(this, kYellow, kPaleYellow, 0, 6480, 7215);
    Label19 = Frame2->Label19;
    Text16 = Frame2->Text16;
    Combo1 = Frame2->Combo1;
    Command8 = Frame2->Command8;

    const QList<QWidget *> order{Text21, Text17, Text19, Text2, Text4, Text3, Text13, Text12, Text5, Text14, Text15,
                                 Text6, Text9, Text7, Text10, Text8, Text11, Combo2, Text20, Command2, Command3,
                                 Command4, Command9, Command7, Command6, Command10, Command1, Text16, Combo1,
                                 Command8, Command5, Text18, Text1};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    // Text21 lies below the window: typing into it unseen would change the
    // work dates at the next "Ok", so it keeps its place but takes no focus.
    Text21->setFocusPolicy(Qt::NoFocus);
    setTabOrder(Command1, Command11);
}

void Form4::connectButtons()
{
    auto on = [this](QPushButton *b, void (Form4::*action)()) {
        connect(b, &QPushButton::clicked, this, [this, action] { guard(this, [this, action] { (this->*action)(); }); });
    };
    on(Command9, &Form4::firstRow);
    on(Command10, &Form4::lastRow);
    on(Command6, &Form4::nextRow);
    on(Command7, &Form4::previousRow);
    on(Command2, &Form4::baru);
    on(Command4, &Form4::kemaskini);
    on(Command3, &Form4::padam);
    on(Command8, &Form4::cari);
    on(Command1, &Form4::cetak);
    on(Command11, &Form4::sejarah);
    connect(Command5, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            [this] { guard(this, [this] { batal(); }); });
}

bool Form4::registerEmpty() const
{
    return kontraktor->eof() && kontraktor->bof();
}

QList<std::pair<QString, QWidget *>> Form4::fieldBoxes() const
{
    return {{QStringLiteral("Bidang"), Combo2},
            {QStringLiteral("NoPendaftaranSyarikat"), Text4},
            {QStringLiteral("Tarikh_dapat_kerja"), Text21},
            {QStringLiteral("AlamatPendaftaranSyarikat"), Text3},
            {QStringLiteral("NoDaftar"), Text1},
            {QStringLiteral("NamaSyarikat"), Text2},
            {QStringLiteral("NamaPengarahUrusan"), Text13},
            {QStringLiteral("NoKadPengenalan"), Text12},
            {QStringLiteral("NoTelHp"), Text5},
            {QStringLiteral("NoTelPej"), Text14},
            {QStringLiteral("NoFaks"), Text15},
            {QStringLiteral("NDPKK"), Text6},
            {QStringLiteral("KTPKK"), Text9},
            {QStringLiteral("KTCIDB"), Text10},
            {QStringLiteral("KTKKEW"), Text11},
            {QStringLiteral("NDCIDB"), Text7},
            {QStringLiteral("NDKKEW"), Text8},
            {QStringLiteral("TarikhDaftar"), Text17},
            {QStringLiteral("NoResit"), Text19},
            {QStringLiteral("kelas"), Text20}};
}

void Form4::gerak(int)
{
    // An empty register shows empty fields; a null shows as an empty field.
    const bool empty = registerEmpty();
    for (const auto &[field, box] : fieldBoxes())
        setBoxText(box, empty ? QString() : valueToTextOrEmpty(kontraktor->value(field)));
    rememberShown();
}

void Form4::rememberShown()
{
    m_shown.clear();
    for (const auto &[field, box] : fieldBoxes())
        m_shown.insert(box, boxText(box));
}

void Form4::satu(bool c)
{
    // Read-only rather than disabled: the clerk reads every field at full
    // contrast while browsing.
    const QList<QWidget *> fields{Text1,  Text2,  Text3,  Text4,  Text5,  Text6,  Text7,  Text8,  Text9,  Text10,
                                  Text11, Text12, Text13, Text14, Text15, Combo2, Text17, Text19, Text20};
    for (QWidget *w : fields)
        setReadOnlyBox(w, !c);
    Text18->setEnabled(c);
}

void Form4::butang(bool a)
{
    const QList<QWidget *> browse{Command2, Command4, Command9, Command7, Command6, Command10,
                                  Command5, Command1, Command8, Text16,   Combo1};
    for (QWidget *w : browse)
        w->setEnabled(a);
    Command11->setEnabled(a);
    Command3->setEnabled(!a);
}

bool Form4::editing() const
{
    return Command2->text() == QLatin1String("Ok") || Command4->text() == QLatin1String("Ok");
}

int Form4::searchMode() const
{
    return Frame2->searchMode();
}

void Form4::firstRow()
{
    BusyPointer busy;
    if (kontraktor->recordCount() == 0)
        return;
    kontraktor->moveFirst();
    gerak(1);
}

void Form4::lastRow()
{
    BusyPointer busy;
    if (kontraktor->recordCount() == 0)
        return;
    kontraktor->moveLast();
    gerak(1);
}

void Form4::nextRow()
{
    if (kontraktor->eof())
        return;
    BusyPointer busy;
    kontraktor->moveNext();
    if (kontraktor->eof())
        kontraktor->movePrevious();
    gerak(1);
}

void Form4::previousRow()
{
    if (kontraktor->bof())
        return;
    BusyPointer busy;
    kontraktor->movePrevious();
    if (kontraktor->bof())
        kontraktor->moveNext();
    gerak(1);
}

void Form4::semak(const QString &c)
{
    const QList<QWidget *> fields{Text1,  Text2,  Text3,  Text4,  Text5,  Text6,  Text7,  Text8,  Text9,  Text10,
                                  Text11, Text12, Text13, Text14, Text15, Text17, Text19, Text20, Combo2, Text21};
    for (QWidget *w : fields)
        if (boxText(w).isEmpty())
            setBoxText(w, c);
}

void Form4::salin(int a)
{
    // A proposed number another desktop took before "Ok" gives way to the
    // next free one, decided in the transaction that stores the row.
    QString typed, given;
    if (a == 1)
        kontraktor->addNew([this, &typed, &given](Connection &c) {
            typed = kontraktor->pendingValue(QStringLiteral("NoDaftar")).toString();
            given = freeRegistrationNumber(c, typed);
            if (given != typed)
                kontraktor->setValue(QStringLiteral("NoDaftar"), given);
        });
    else
        kontraktor->edit();
    // A registration stores all 20 fields; an update only those the clerk
    // changed, so an untouched field (the hidden work dates among them) is
    // never written over what another window stored. Spaces only are
    // trimmed: tabs and line breaks are part of the value.
    for (const auto &[field, box] : fieldBoxes())
        if (a == 1 || m_edited.contains(box))
            kontraktor->setValue(field, trimSpaces(boxText(box)));
    kontraktor->update();
    if (a == 1 && given != typed) {
        Text1->setText(given);
        MessageBox::tell(this,
                         QStringLiteral("No Daftar %1 telah digunakan. Rekod disimpan dengan No Daftar %2.").arg(typed, given),
                         QStringLiteral("Mesej"), MessageBox::Information);
    }
}

void Form4::baru()
{
    if (Command2->text() == QLatin1String("Ok")) {
        BusyPointer busy;
        semak(QStringLiteral("-"));
        salin(1);
        satu(false);
        Text18->hide();
        butang(true);
        Command2->setText(QStringLiteral("&Baru"));
        // The new row, not merely the last one (another desktop may have
        // added one since), shown as stored.
        kontraktor->moveToId(kontraktor->lastAddedId());
        gerak(1);
        return;
    }
    Text18->show();
    const int n = kontraktor->recordCount();
    Text18->setPlainText(QStringLiteral("Jumlah Rekod Semasa : ") + QString::number(n));
    butang(false);
    Command2->setText(QStringLiteral("Ok"));
    Command2->setEnabled(true);
    satu(true);
    Text1->setText(proposedRegistrationNumber(kontraktor->connection()));
    for (QWidget *w : QList<QWidget *>{Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11, Text12,
                                       Text13, Text14, Text15, Text17, Text19, Text20, Combo2})
        setBoxText(w, QString());
    Text21->setText(QStringLiteral(" "));
    Command3->setEnabled(false);
    rememberShown();
}

void Form4::kemaskini()
{
    if (Command4->text() == QLatin1String("Ok")) {
        // What the clerk changed, before empty fields are filled with "-".
        m_edited.clear();
        for (const auto &[field, box] : fieldBoxes())
            if (boxText(box) != m_shown.value(box))
                m_edited.insert(box);
        butang(true);
        satu(false);
        semak(QStringLiteral("-"));
        BusyPointer busy;
        try {
            // A row changed or removed elsewhere meanwhile: the clerk
            // chooses what becomes of the typing (WriteConflict).
            salin(0);
        } catch (...) {
            // Nothing stored (the store was busy, say): the edits stay on
            // screen for another "Ok".
            butang(false);
            satu(true);
            Command4->setEnabled(true);
            throw;
        }
        Command4->setText(QStringLiteral("Ke&maskini"));
        // The row as now stored: the clerk's values and other desktops'.
        if (const qint64 id = m_conflict->takeRegistered(); id >= 0)
            kontraktor->moveToId(id);
        showAfterStale();
        return;
    }
    butang(false);
    Command4->setText(QStringLiteral("Ok"));
    satu(true);
    Command4->setEnabled(true);
}

void Form4::padam()
{
    if (!MessageBox::ask(this, QStringLiteral("Anda pasti untuk padam rekod ini?"), QStringLiteral("Padam..."))) {
        MessageBox::tell(this, QStringLiteral("Rekod Tidak Dipadam!"), QStringLiteral("Mesej"), MessageBox::Information);
        return;
    }
    BusyPointer busy;
    try {
        kontraktor->remove();
    } catch (const StaleRow &) {
        satu(false);
        butang(true);
        Command4->setText(QStringLiteral("Ke&maskini"));
        showAfterStale();
        throw;
    }
    kontraktor->moveNext();
    // With the only row gone there is no row before to go back to.
    if (kontraktor->eof() && !kontraktor->bof())
        kontraktor->movePrevious();
    gerak(1);
    MessageBox::tell(this, QStringLiteral("Rekod Dipadam"), QStringLiteral("Mesej"), MessageBox::Exclamation);
    butang(true);
    Command4->setText(QStringLiteral("Ke&maskini"));
}

void Form4::showAfterStale()
{
    // A row another desktop removed: on to the next, as after "Padam".
    if (kontraktor->currentIndex() < 0 && !registerEmpty()) {
        kontraktor->moveNext();
        if (kontraktor->eof() && !kontraktor->bof())
            kontraktor->movePrevious();
    }
    gerak(1);
}

void Form4::batal()
{
    if (!editing())
        return;
    bool typed = false;
    for (const auto &[field, box] : fieldBoxes())
        typed = typed || boxText(box) != m_shown.value(box);
    if (typed && !MessageBox::ask(this, QStringLiteral("Batalkan perubahan?"), QStringLiteral("Batal...")))
        return;
    // Nothing stored, and a proposed number was never taken.
    kontraktor->cancelUpdate();
    Text18->hide();
    Command2->setText(QStringLiteral("&Baru"));
    Command4->setText(QStringLiteral("Ke&maskini"));
    satu(false);
    butang(true);
    reload();
}

void Form4::reload()
{
    // What the store holds now, another desktop's changes included.
    BusyPointer busy;
    kontraktor->requery();
    gerak(1);
}

void Form4::cari()
{
    searchContractors(this, Text16->text(), searchMode(), *kontraktor, [this] { gerak(1); });
}

void Form4::cetak()
{
    if (!MessageBox::ask(this, QStringLiteral("Anda pasti untuk cetak maklumat ini?"), QStringLiteral("Cetak..."))) {
        MessageBox::tell(this, QStringLiteral("Rekod tak dicetak"), QStringLiteral("Mesej"), MessageBox::Exclamation);
        return;
    }
    // What the window shows, unsaved edits included.
    ContractorSheet sheet;
    sheet.noDaftar = boxText(Text1);
    sheet.namaSyarikat = boxText(Text2);
    sheet.alamat = boxText(Text3);
    sheet.namaPengarah = boxText(Text13);
    sheet.noKadPengenalan = boxText(Text12);
    sheet.noTelHp = boxText(Text5);
    sheet.noTelPej = boxText(Text14);
    sheet.noFaks = boxText(Text15);
    sheet.bidang = boxText(Combo2);
    sheet.kelas = boxText(Text20);
    sheet.ndPkk = boxText(Text6);
    sheet.ktPkk = boxText(Text9);
    sheet.ndCidb = boxText(Text7);
    sheet.ktCidb = boxText(Text10);
    sheet.ndKkew = boxText(Text8);
    sheet.ktKkew = boxText(Text11);
    sheet.tarikhDaftar = boxText(Text17);
    sheet.noResit = boxText(Text19);
    sheet.tarikhKerja = boxText(Text21);
    printContractorSheet(sheet);
    MessageBox::tell(this, Printer::closingMessage(QStringLiteral("Data Dicetak")), QStringLiteral("Mesej"),
                     MessageBox::Information);
}

void Form4::sejarah()
{
    QString key;
    if (kontraktor->currentIndex() >= 0)
        key = valueToTextOrEmpty(kontraktor->value(History::kKey));
    auto *window = new HistoryWindow(key, boxText(Text1) + QStringLiteral("  ") + boxText(Text2), this);
    // A restored field or contractor is shown here at once.
    connect(window, &HistoryWindow::restored, this, [this](qint64 id) {
        guard(this, [this, id] {
            kontraktor->moveToId(id);
            gerak(1);
        });
    });
    window->show();
}

void Form4::closeEvent(QCloseEvent *event)
{
    // Nothing of a registration or update in progress is stored.
    guard(this, [this] {
        kontraktor->cancelUpdate();
        kontraktor->close();
    });
    event->accept();
}

} // namespace arb
