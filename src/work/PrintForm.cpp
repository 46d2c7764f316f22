#include "work/PrintForm.h"

#include "platform/Twips.h"
#include "reports/Printer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace arb {

namespace {
QRectF twipsOf(const QRect &pixels)
{
    return QRectF(pixels.x() * kTwipsPerPixel, pixels.y() * kTwipsPerPixel, pixels.width() * kTwipsPerPixel,
                  pixels.height() * kTwipsPerPixel);
}
} // namespace

void printForm(QWidget *window, const QString &jobName)
{
    const QRectF client = twipsOf(window->rect());
    Printer printer(jobName);
    for (QObject *child : window->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isHidden())
            continue;
        // What lies past the window's edges is not part of its image.
        const QRectF box = twipsOf(w->geometry()).intersected(client);
        if (box.isEmpty())
            continue;
        if (auto *l = qobject_cast<QLabel *>(w))
            printer.printInBox(box, l->text(), l->font(), l->wordWrap());
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            printer.printInBox(box, e->text(), e->font(), false);
        else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
            printer.printInBox(box, p->toPlainText(), p->font(), p->lineWrapMode() != QPlainTextEdit::NoWrap);
    }
    printer.endDoc();
}

} // namespace arb
