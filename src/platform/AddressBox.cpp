#include "platform/AddressBox.h"

#include <QTextDocument>

namespace arb {

AddressBox::AddressBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    // The room left under the lines is the box's own, not the window's.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    // Room at the sides only; above and below, the lines take all there is.
    document()->setDocumentMargin(0);
}

namespace {
constexpr int kSideRoom = 3; // pixels left and right of the text
} // namespace

int AddressBox::visibleLines() const
{
    return std::max(1, viewport()->height() / fontMetrics().height());
}

void AddressBox::fitWholeLines()
{
    const int line = fontMetrics().height();
    const int room = contentsRect().height();
    const int spare = room > line ? room % line : 0;
    setViewportMargins(kSideRoom, spare / 2, kSideRoom, spare - spare / 2);
}

void AddressBox::resizeEvent(QResizeEvent *event)
{
    fitWholeLines();
    QPlainTextEdit::resizeEvent(event);
}

void AddressBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        fitWholeLines();
    QPlainTextEdit::changeEvent(event);
}

} // namespace arb
