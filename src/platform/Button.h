#pragma once

#include <QPushButton>

namespace arb {

// A command button whose caption wraps onto a second line when it is wider
// than the button, as the menu buttons' long captions need.
class Button : public QPushButton
{
    Q_OBJECT
public:
    explicit Button(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace arb
