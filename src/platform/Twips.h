#pragma once

#include <QRect>
#include <QWidget>

namespace arb {

// Windows are laid out in twips: 15 twips a pixel at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

inline void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(twipsRect(left, top, width, height));
}

inline void setClientSize(QWidget *window, int width, int height)
{
    window->setFixedSize(px(width), px(height));
}

} // namespace arb
