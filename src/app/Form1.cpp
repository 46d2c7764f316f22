#include "app/Form1.h"

#include "about/Form7.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "platform/Artwork.h"
#include "platform/BoundBox.h"
#include "platform/Button.h"
#include "platform/Guard.h"
#include "platform/Look.h"
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

    Text2 = new QLineEdit(this);
    place(Text2, 2880, 3000, 1935, 285);
    Text2->setEchoMode(QLineEdit::Password);
    Text2->setStyle(stars);

    Command3 = new QPushButton(QStringLiteral("Ok"), this);
    place(Command3, 4920, 3000, 735, 375);

    Frame1 = new QGroupBox(this);
    place(Frame1, 240, 3600, 6615, 1215);
    setBackground(Frame1, kDarkBlue);

    Command12 = menuButton(Frame1, QStringLiteral("Daftar "), 120);
    Command13 = menuButton(Frame1, QStringLiteral("Kerja"), 1200);
    Command11 = menuButton(Frame1, QStringLiteral("Senarai Kontraktor"), 2280);
    Command14 = menuButton(Frame1, QStringLiteral("Cetak..."), 3360);
    Command2 = menuButton(Frame1, QStringLiteral("Tukar katalaluan"), 4440);
    Command4 = menuButton(Frame1, QStringLiteral("Keluar"), 5520);

    setTabOrder(Text2, Command3);
    setTabOrder(Command3, Text1);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command4);
    setTabOrder(Command4, Command2);
    setTabOrder(Command2, Command14);
    setTabOrder(Command14, Command13);
    setTabOrder(Command13, Command12);
    setTabOrder(Command12, Command11);

    // The data control opens with the window, before it first shows.
    Data2 = new DataControl(Locations::kLocalPath, kPasswordTable, DataControl::Kind::Dynaset, this);
    Data2->open();
    m_text2Binding = std::make_unique<BoundBox>(Text2, QStringLiteral("password"));
    Data2->bind(m_text2Binding.get());

    connect(Command1, &QPushButton::clicked, this, [this] { guard(this, [this] { login(); }); });
    connect(Text1, &QLineEdit::returnPressed, Command1, &QPushButton::click);
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
    Text2->hide();
    Command3->hide();
    Text1->setFocus();
}

Form1::~Form1()
{
    if (Data2)
        Data2->unbind(m_text2Binding.get());
}

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
    // Exact text: case, spaces and length all count.
    if (Text1->text() == Text2->text()) {
        menu(true);
        pw(false);
    } else {
        Label2->setText(QStringLiteral("salah"));
    }
}

void Form1::startPasswordChange()
{
    Text2->show();
    Command3->show();
    Text2->setFocus();
}

void Form1::endPasswordChange()
{
    if (Data2->currentIndex() >= 0)
        Data2->edit();
    Text2->hide();
    Command3->hide();
}

void Form1::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    guard(this, [this] {
        // A store without a password row gets one rather than losing the change.
        if (Data2->currentIndex() < 0 && m_text2Binding->valueChanged()) {
            Data2->addNew();
            Data2->setValue(QStringLiteral("password"), m_text2Binding->valueText());
            Data2->update();
        }
        Data2->close();
    });
}

void Form1::closeEvent(QCloseEvent *event)
{
    unload();
    event->accept();
}

} // namespace arb
