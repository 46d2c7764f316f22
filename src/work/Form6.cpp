#include "work/Form6.h"

#include "platform/Look.h"
#include "platform/Twips.h"
#include "platform/Windows.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <limits>

namespace arb {

namespace {
QLabel *caption(QWidget *parent, const QString &text, int left, int top, int width, int height)
{
    auto *l = new QLabel(text, parent);
    place(l, left, top, width, height);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    setForeground(l, Qt::black);
    return l;
}

// Borderless and white, so that on paper only the text shows.
QLineEdit *line(QWidget *parent, int left, int top, int width, int height)
{
    auto *t = new QLineEdit(parent);
    t->setMaxLength(std::numeric_limits<int>::max()); // the stored text whole, as the record window has it
    place(t, left, top, width, height);
    t->setFrame(false);
    setBackground(t, Qt::white);
    return t;
}

QPlainTextEdit *column(QWidget *parent, int left, int top, int width, int height)
{
    auto *t = new QPlainTextEdit(parent);
    place(t, left, top, width, height);
    t->setFrameShape(QFrame::NoFrame);
    t->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackground(t->viewport(), Qt::white);
    return t;
}
} // namespace

Form6::Form6(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Form6"));
    setClientSize(this, 11880, 8595);
    setBackground(this, Qt::white);
    setFont(defaultFont());

    // Creation order is the order the sheet is printed in.
    Label1 = caption(this, QStringLiteral("No Daftar : "), 1200, 600, 975, 375);
    Text4 = line(this, 2400, 600, 5775, 285);
    Label2 = caption(this, QStringLiteral("Nama : "), 1200, 960, 975, 375);
    Text5 = line(this, 2400, 960, 5775, 285);
    Label4 = caption(this, QStringLiteral("Alamat:"), 1200, 1320, 1215, 375);
    Text6 = column(this, 2400, 1320, 5775, 435);
    Label3 = caption(this, QStringLiteral("No Inden/LO:"), 1200, 1920, 1095, 255);
    Text7 = line(this, 2400, 1920, 5655, 285);
    // The columns reach below the window's bottom edge; that part is never seen.
    Text1 = column(this, 1200, 2400, 1695, 7095);
    Text2 = column(this, 3120, 2400, 3255, 8055);
    Text3 = column(this, 6600, 2400, 1695, 8655);
}

Form6 *Form6::instance()
{
    QPointer<Form6> &form = loadedWindow<Form6>();
    if (!form) {
        form = new Form6();
        // Hidden windows do not keep the program running; free it at the end.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { delete loadedWindow<Form6>().data(); });
    }
    return form;
}

} // namespace arb
