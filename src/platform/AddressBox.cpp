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
}

int AddressBox::visibleLines() const
{
    return std::max(1, viewport()->height() - 2 * qRound(document()->documentMargin())) / fontMetrics().height();
}

void AddressBox::fitWholeLines()
{
    const int line = fontMetrics().height();
    const int room = contentsRect().height() - 2 * qRound(document()->documentMargin());
    const int spare = room > line ? room % line : 0;
    setViewportMargins(0, spare / 2, 0, spare - spare / 2);
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
