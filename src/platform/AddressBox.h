#pragma once

#include <QPlainTextEdit>

namespace arb {

// A several-line box that shows whole lines only: what room is left under
// the last whole line stays empty rather than showing the top half of the
// next one. Without scroll bars; Tab moves on to the next field.
class AddressBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit AddressBox(QWidget *parent = nullptr);

    // Whole lines the box shows.
    int visibleLines() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitWholeLines();
};

} // namespace arb
