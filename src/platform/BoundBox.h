#pragma once

#include "data/BoundValue.h"

#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace arb {

// Stored texts keep Windows line ends ("\r\n"); a text box edits "\n".
QString toBoxText(const QString &stored);
QString fromBoxText(const QString &boxText);

// Plain text of a one-line or several-line text box, with stored line ends.
QString boxText(const QWidget *box);
void setBoxText(QWidget *box, const QString &stored);

// A text box bound to a field of a data control. Changed means: its text was
// changed (by the user or by code) since the data control last showed a row.
class BoundBox : public BoundValue
{
public:
    // Trimmed: the value is the text without leading and trailing spaces
    // (tabs and line breaks are part of it).
    enum class Spaces { Kept, Trimmed };
    BoundBox(QWidget *box, const QString &field, Spaces spaces = Spaces::Kept);

    QWidget *box() const { return m_box; }
    QString boundField() const override { return m_field; }
    void showValue(const QString &text) override;
    bool valueChanged() const override;
    QString valueText() const override;
    // An empty box shows text; a box the clerk had not changed stays unchanged.
    void fillEmpty(const QString &text);

private:
    QWidget *m_box;
    QString m_field;
    Spaces m_spaces;
    QString m_shown;
};

} // namespace arb
