#include "platform/Controls.h"

#include "data/Cursor.h"
#include "platform/MessageBox.h"
#include "reports/Printer.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>

namespace arb {

QLabel *label(QWidget *parent, const QString &text, int left, int top, int width, int height, const QColor &colour)
{
    auto *l = placed(new QLabel(text, parent), left, top, width, height);
    setForeground(l, colour);
    if (width == 0) {
        l->adjustSize();
        l->resize(l->width(), px(height));
    } else {
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setWordWrap(true);
    }
    return l;
}

QLineEdit *lineBox(QWidget *parent, int left, int top, int width, int height)
{
    auto *t = placed(new QLineEdit(parent), left, top, width, height);
    t->setMaxLength(std::numeric_limits<int>::max());
    return t;
}

QComboBox *comboBox(QWidget *parent, int left, int top, int width, int height)
{
    auto *c = placed(new QComboBox(parent), left, top, width, height);
    c->setEditable(true);
    c->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QPlainTextEdit *columnBox(QWidget *parent, int left, int top, int width, int height)
{
    auto *t = placed(new QPlainTextEdit(parent), left, top, width, height);
    t->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return t;
}

QPushButton *button(QWidget *parent, const QString &text, int left, int top, int width, int height)
{
    auto *b = placed(new QPushButton(text, parent), left, top, width, height);
    b->setAutoDefault(false);
    return b;
}

QGroupBox *frame(QWidget *parent, const QString &text, const QColor &back, const QColor &captionColour, int left,
                 int top, int width, int height)
{
    auto *g = new QGroupBox(text, parent);
    place(g, left, top, width, height);
    g->setFont(uiFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    setBackground(g, back);
    setForeground(g, captionColour);
    return g;
}

QWidget *line(QWidget *parent, int x1, int y1, int x2, int y2, const QColor &colour)
{
    auto *w = new QWidget(parent);
    w->setGeometry(px(x1), px(y1), px(x2) - px(x1) + 1, px(y2) - px(y1) + 1);
    setBackground(w, colour);
    return w;
}

bool stepNext(Cursor &rows)
{
    if (rows.eof())
        return false;
    rows.moveNext();
    if (rows.eof())
        rows.movePrevious();
    return true;
}

bool stepPrevious(Cursor &rows)
{
    if (rows.bof())
        return false;
    rows.movePrevious();
    if (rows.bof())
        rows.moveNext();
    return true;
}

void printAfterAsking(QWidget *parent, const std::function<void()> &print)
{
    if (!MessageBox::ask(parent, QStringLiteral("Anda pasti untuk cetak maklumat ini?"), QStringLiteral("Cetak..."))) {
        MessageBox::tell(parent, QStringLiteral("Rekod tak dicetak"), QStringLiteral("Mesej"), MessageBox::Exclamation);
        return;
    }
    print();
    MessageBox::tell(parent, Printer::closingMessage(QStringLiteral("Data Dicetak")), QStringLiteral("Mesej"),
                     MessageBox::Information);
}

} // namespace arb
