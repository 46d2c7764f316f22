#include "platform/Button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace arb {

Button::Button(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
}

void Button::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(1, 0, -1, 0);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    // The accelerator's underline as the style shows it (only while Alt is held).
    int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextHideMnemonic;
    p.drawText(area, flags, caption);
}

} // namespace arb
