#include "work/Form6.h"

#include "platform/Controls.h"
#include "platform/Look.h"
#include "platform/Twips.h"
#include "platform/Windows.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace arb {

namespace {
// Borderless and white, so that on paper only the text shows.
QLineEdit *sheetLine(QWidget *parent, int left, int top, int width, int height)
{
    auto *t = lineBox(parent, left, top, width, height); // the stored text whole, as the record window has it
    t->setFrame(false);
    setBackground(t, Qt::white);
    return t;
}

QPlainTextEdit *sheetColumn(QWidget *parent, int left, int top, int width, int height)
{
    auto *t = columnBox(parent, left, top, width, height);
    t->setFrameShape(QFrame::NoFrame);
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
    Label1 = label(this, QStringLiteral("No Daftar : "), 1200, 600, 975, 375, Qt::black);
    Text4 = sheetLine(this, 2400, 600, 5775, 285);
    Label2 = label(this, QStringLiteral("Nama : "), 1200, 960, 975, 375, Qt::black);
    Text5 = sheetLine(this, 2400, 960, 5775, 285);
    Label4 = label(this, QStringLiteral("Alamat:"), 1200, 1320, 1215, 375, Qt::black);
    Text6 = sheetColumn(this, 2400, 1320, 5775, 435);
    Label3 = label(this, QStringLiteral("No Inden/LO:"), 1200, 1920, 1095, 255, Qt::black);
    Text7 = sheetLine(this, 2400, 1920, 5655, 285);
    // The columns reach below the window's bottom edge; that part is never seen.
    Text1 = sheetColumn(this, 1200, 2400, 1695, 7095);
    Text2 = sheetColumn(this, 3120, 2400, 3255, 8055);
    Text3 = sheetColumn(this, 6600, 2400, 1695, 8655);
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
