#include "app/Form1.h"

#include "about/Form7.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "data/Password.h"
#include "platform/Artwork.h"
#include "platform/Button.h"
#include "data/Failure.h"
#include "platform/BusyPointer.h"
#include "platform/Guard.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/Windows.h"
#include "register/Form4.h"
#include "reports/Form2.h"
#include "reports/Form3.h"
#include "work/Form5.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>

namespace arb {

namespace {

QPushButton *menuButton(QWidget *parent, const QString &caption, int left)
{
    auto *b = new Button(caption, parent);
    place(b, left, 360, 975, 615);
    b->setFont(defaultFont());
    return b;
}

// A label of the password change, right-aligned against its box.
QLabel *passwordLabel(QWidget *parent, const QString &caption, int top)
{
    auto *l = new QLabel(caption, parent);
    place(l, 240, top, 2520, 285);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFont(uiFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    setForeground(l, kPink);
    return l;
}

// Password boxes show "*" for every character, whatever the desktop style's
// own mask is, and show no character in clear while it is typed.
class StarPasswordStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget, QStyleHintReturn *ret) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};
} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Aplikasi Rekod Bina ZRVA 1.0 "));
    setClientSize(this, 7080, 5430);
    setBackground(this, kDarkBlue);
    setFont(defaultFont());

    Image4 = new QLabel(this);
    place(Image4, 2640, 0, 1440, 1440);
    Image4->setPixmap(emblem(190));
    Image4->setScaledContents(true);

    Label2 = new QLabel(this);
    place(Label2, 5040, 1320, 1215, 255);
    Label2->setFont(uiFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    setForeground(Label2, kPink);

    Image2 = new QLabel(this);
    place(Image2, 480, 1560, 5760, 660);
    Image2->setPixmap(banner());
    Image2->setScaledContents(true);

    Label17 = new QLabel(QStringLiteral("Aplikasi Rekod Bina"), this);
    place(Label17, 1440, 2400, 3855, 375);
    Label17->setFont(uiFont(QStringLiteral("Palisade"), 12, true));
    setForeground(Label17, kLightYellow);

    Label1 = new QLabel(QStringLiteral("KATA LALUAN"), this);
    place(Label1, 1440, 3000, 1455, 255);
    Label1->setFont(uiFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    setForeground(Label1, kPink);

    Text1 = new QLineEdit(this);
    place(Text1, 2880, 2880, 1935, 285);
    Text1->setEchoMode(QLineEdit::Password);
    auto *stars = new StarPasswordStyle;
    stars->setParent(this);
    Text1->setStyle(stars);

    Command1 = new QPushButton(QStringLiteral("Ok"), this);
    place(Command1, 4920, 2880, 735, 375);

    // The password change asks for the new password twice, in empty boxes.
    Label3 = passwordLabel(this, QStringLiteral("Kata laluan baharu"), 2880);
    Text2 = new QLineEdit(this);
    place(Text2, 2880, 2880, 1935, 285);
    Label4 = passwordLabel(this, QStringLiteral("Taip sekali lagi"), 3240);
    Text3 = new QLineEdit(this);
    place(Text3, 2880, 3240, 1935, 285);
    for (QLineEdit *box : {Text2, Text3}) {
        box->setEchoMode(QLineEdit::Password);
        box->setStyle(stars);
    }

    Command3 = new QPushButton(QStringLiteral("Ok"), this);
    place(Command3, 4920, 3000, 735, 375);

    Frame1 = new QGroupBox(this);
    place(Frame1, 240, 3600, 6615, 1215);
    setBackground(Frame1, kDarkBlue);

    Command12 = menuButton(Frame1, QStringLiteral("Daftar "), 120);
    Command13 = menuButton(Frame1, QStringLiteral("Kerja"), 1200);
    Command11 = menuButton(Frame1, QStringLiteral("Senarai Kontraktor"), 2280);
    Command14 = menuButton(Frame1, QStringLiteral("&Cetak..."), 3360);
    Command2 = menuButton(Frame1, QStringLiteral("Tukar katalaluan"), 4440);
    Command4 = menuButton(Frame1, QStringLiteral("&Keluar"), 5520);

    // The menu in reading order: left to right.
    const QList<QWidget *> order{Text2,     Text3,     Command3,  Text1,    Command1, Command12,
                                 Command13, Command11, Command14, Command2, Command4};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    // The data control opens with the window, before it first shows.
    Data2 = new DataControl(Locations::kLocalPath, kPasswordTable, DataControl::Kind::Dynaset, this);
    Data2->open();

    connect(Command1, &QPushButton::clicked, this, [this] { guard(this, [this] { login(); }); });
    connect(Text1, &QLineEdit::returnPressed, Command1, &QPushButton::click);
    connect(Text2, &QLineEdit::returnPressed, this, [this] { Text3->setFocus(); });
    connect(Text3, &QLineEdit::returnPressed, Command3, &QPushButton::click);
    connect(Command2, &QPushButton::clicked, this, [this] { guard(this, [this] { startPasswordChange(); }); });
    connect(Command3, &QPushButton::clicked, this, [this] { guard(this, [this] { endPasswordChange(); }); });
    connect(Command4, &QPushButton::clicked, this, [this] { close(); });
    connect(Command12, &QPushButton::clicked, this, [this] {
        guard(this, [] {
            Form4 *f = showWindow<Form4>();
            // A registration or update in progress keeps its typed fields.
            if (f->editing())
                return;
            f->satu(false);
            f->reload();
        });
    });
    connect(Command13, &QPushButton::clicked, this, [this] { guard(this, [] { showWindow<Form5>(); }); });
    connect(Command11, &QPushButton::clicked, this, [this] { guard(this, [] { showWindow<Form3>(); }); });
    connect(Command14, &QPushButton::clicked, this, [this] { guard(this, [] { showWindow<Form2>(); }); });

    // Load: menu locked, password change hidden.
    menu(false);
    showPasswordChange(false);
    Text1->setFocus();
}

Form1::~Form1() = default;

void Form1::menu(bool a)
{
    Command11->setEnabled(a);
    Command12->setEnabled(a);
    Command13->setEnabled(a);
    Command14->setEnabled(a);
    Command2->setEnabled(a);
    Command4->setEnabled(a);
}

void Form1::pw(bool a)
{
    Command1->setVisible(a);
    Label1->setVisible(a);
    Label2->setVisible(a);
    Text1->setVisible(a);
}

void Form1::login()
{
    // The first row's password; none (no row) is the empty text.
    const bool hasRow = Data2->currentIndex() >= 0;
    const QString stored = hasRow ? Data2->value(QStringLiteral("password")).toString() : QString();
    bool right = false;
    {
        BusyPointer busy;
        // Exact text: case, spaces and length all count.
        right = Password::matches(stored, Text1->text());
    }
    if (!right) {
        Label2->setText(QStringLiteral("salah"));
        return;
    }
    if (hasRow && Password::needsRehash(stored)) {
        // A password kept as text (or under an older hash) is replaced by
        // its hash now. Should that write fail, the clerk still logs in and
        // the next login tries again.
        try {
            BusyPointer busy;
            storePassword(Password::hash(Text1->text()));
        } catch (const Failure &) {
        }
    }
    Text1->clear();
    menu(true);
    pw(false);
    // Reading order: the first menu button, never "Keluar".
    Command12->setFocus();
}

void Form1::showPasswordChange(bool shown)
{
    Text2->clear();
    Text3->clear();
    for (QWidget *w : std::initializer_list<QWidget *>{Label3, Text2, Label4, Text3, Command3})
        w->setVisible(shown);
}

void Form1::startPasswordChange()
{
    showPasswordChange(true);
    Text2->setFocus();
}

void Form1::endPasswordChange()
{
    if (Text2->text() != Text3->text()) {
        Text2->clear();
        Text3->clear();
        Text2->setFocus();
        MessageBox::tell(this, QStringLiteral("Kata laluan yang ditaip tidak sama. Sila taip semula kedua-duanya."),
                         QStringLiteral("Mesej"), MessageBox::Exclamation);
        return;
    }
    {
        BusyPointer busy;
        storePassword(Password::hash(Text2->text()));
    }
    showPasswordChange(false);
    Command2->setFocus();
    MessageBox::tell(this, QStringLiteral("Kata laluan telah ditukar"), QStringLiteral("Mesej"), MessageBox::Information);
}

// One write: the hash into the first row, or a first row when there is none.
void Form1::storePassword(const QString &hash)
{
    if (Data2->currentIndex() >= 0)
        Data2->edit();
    else
        Data2->addNew();
    Data2->setValue(QStringLiteral("password"), hash);
    try {
        Data2->update();
    } catch (...) {
        Data2->cancelUpdate();
        throw;
    }
    if (Data2->currentIndex() < 0)
        Data2->moveToId(Data2->lastAddedId());
}

void Form1::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    guard(this, [this] { Data2->close(); });
}

void Form1::closeEvent(QCloseEvent *event)
{
    unload();
    event->accept();
}

} // namespace arb
