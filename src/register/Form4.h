#pragma once

#include "platform/BoundBox.h"
#include "register/DetailSheet.h"
#include "register/SearchPanel.h"

#include <QWidget>
#include <vector>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace arb {

class BoundValue;
class DataControl;
class WriteConflict;


// The contractor record window: one row of table kontraktor at a time in 20
// fields, the arrow buttons, registration, update and deletion, the search
// panel and the detail sheet. The fields are not bound: gerak copies the
// current row in, salin copies the fields back, through the one table of
// the window's fields.
class Form4 : public QWidget
{
    Q_OBJECT
public:
    // Opens the data control; throws Failure when the store cannot be opened.
    explicit Form4(QWidget *parent = nullptr);
    ~Form4() override;

    // Copies the data control's current row into the fields (a null shows as
    // empty; an empty register shows empty fields). a is not read.
    void gerak(int a);
    // Enabled state of the input fields.
    void satu(bool c);
    // Enabled state of the browse buttons and the search; "Padam" the opposite.
    void butang(bool a);
    // Every empty field gets c.
    void semak(const QString &c);
    // 1: a new row, 0: the current row; then the 20 fields and update.
    void salin(int a);

    // A registration or an update waits for its "Ok".
    bool editing() const;
    // Selected entry of Combo1; -1 when the user typed into it.
    int searchMode() const;
    // "Daftar " on the open window: the current row read afresh and shown.
    void reload();

    QLabel *Image1;
    QLabel *Label17;
    QLabel *Label1;
    QLineEdit *Text1;
    QPlainTextEdit *Text18;
    QLabel *Label18;
    QLineEdit *Text17;
    QLabel *Label21;
    QLineEdit *Text19;
    QLabel *Label2;
    QLineEdit *Text2;
    QLabel *Label4;
    QLineEdit *Text4;
    QLabel *Label3;
    QPlainTextEdit *Text3;
    QLabel *Label12;
    QLineEdit *Text13;
    QLabel *Label11;
    QLineEdit *Text12;
    QLabel *Label5;
    QLabel *Label15;
    QLineEdit *Text5;
    QLabel *Label14;
    QLineEdit *Text14;
    QLabel *Label16;
    QLineEdit *Text15;
    QGroupBox *Frame1;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Label8;
    QLabel *Label9;
    QLabel *Label10;
    QLineEdit *Text6;
    QLineEdit *Text7;
    QLineEdit *Text8;
    QLineEdit *Text9;
    QLineEdit *Text10;
    QLineEdit *Text11;
    QLabel *Label22;
    QComboBox *Combo2;
    QLabel *Label23;
    QLineEdit *Text20;
    QLineEdit *Text21;
    QWidget *Line1;
    QPushButton *Command2;
    QPushButton *Command3;
    QPushButton *Command4;
    QPushButton *Command9;
    QPushButton *Command7;
    QPushButton *Command6;
    QPushButton *Command10;
    QPushButton *Command1;
    QPushButton *Command5;
    QPushButton *Command11; // "Sejarah": the contractor's change history
    QWidget *Line2;
    SearchPanel *Frame2;
    QLabel *Label19;
    QLineEdit *Text16;
    QComboBox *Combo1;
    QPushButton *Command8;
    DataControl *kontraktor;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void connectButtons();
    bool registerEmpty() const;
    void makeFields();
    void showAfterStale();
    // Escape during "Baru" or "Kemaskini": back to the row as stored.
    void batal();

    void firstRow();
    void lastRow();
    void nextRow();
    void previousRow();
    void baru();
    void kemaskini();
    void padam();
    void cari();
    void cetak();
    void sejarah();

    // The 20 fields: the box of each (which knows what it showed), where the
    // detail sheet prints it (none: not printed), and whether it is the
    // hidden work date, which the clerk never types into.
    struct Field
    {
        BoundBox value;
        QString ContractorSheet::*sheet;
        bool hidden = false;
    };
    std::vector<Field> m_fields;
    QList<BoundValue *> m_values; // the same boxes, for the data control
    WriteConflict *m_conflict = nullptr;
};

} // namespace arb
