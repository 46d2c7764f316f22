#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace arb {

// The print template of the work sheet, laid out as the page. Never shown:
// the work window fills its boxes and prints the sheet from them.
class Form6 : public QWidget
{
    Q_OBJECT
public:
    explicit Form6(QWidget *parent = nullptr);

    // The one template, created hidden on first use and kept for the next sheet.
    static Form6 *instance();

    QLabel *Label1;
    QLineEdit *Text4;
    QLabel *Label2;
    QLineEdit *Text5;
    QLabel *Label4;
    QPlainTextEdit *Text6;
    QLabel *Label3;
    QLineEdit *Text7;
    QPlainTextEdit *Text1;
    QPlainTextEdit *Text2;
    QPlainTextEdit *Text3;
};

} // namespace arb
