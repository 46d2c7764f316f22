#pragma once

#include "register/SearchPanel.h"

#include <QWidget>
#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace arb {

class BoundBox;
class DataControl;
class WriteConflict;


// The work record window: one contractor's work (indent/LO number and the
// three job columns) in boxes bound to its data control kontraktor, four
// arrow buttons, the work sheet and the search panel. Edits reach the store
// through the bound write-back when the row is left and when it unloads.
class Form5 : public QWidget
{
    Q_OBJECT
public:
    // Opens the data control; throws Failure when the store cannot be opened.
    explicit Form5(QWidget *parent = nullptr);
    ~Form5() override;

    // Normalises the date column Text2 in place.
    void tarikh();

    QLabel *Image1;
    QLabel *Label17;
    QWidget *Line1;
    QWidget *Line2;
    QWidget *Line3;
    QWidget *Line4;
    QLabel *Label2a;
    QLineEdit *Text2a;
    QLabel *Label2b;
    QLineEdit *Text2b;
    QLabel *Label1;
    QPlainTextEdit *Text1;
    QLabel *Label2c;
    QLineEdit *Text2c;
    QLabel *Label2d;
    QLabel *Label2;
    QLabel *Label2e;
    QLabel *Label2f;
    // The job columns: line n of each is job n.
    QTextEdit *Text2;
    QTextEdit *Text2e;
    QTextEdit *Text2f;
    QWidget *Line5;
    QPushButton *Command4;
    QPushButton *Command5;
    QPushButton *Command6;
    QPushButton *Command7;
    QPushButton *Command2;
    QPushButton *Command3;
    SearchPanel *Frame2;
    QLabel *Label19;
    QLineEdit *Text16;
    QComboBox *Combo1;
    QPushButton *Command8;
    DataControl *kontraktor;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildSearchPanel();
    void first();
    void previous();
    void next();
    void last();
    void printSheet();
    void search();
    // The selected entry of Combo1, or -1 when text was typed into it.
    int searchMode() const;
    void unload();
    // The three job columns never wrap and scroll as one.
    void tieColumns();
    // A step that may store the row left: the busy pointer, and the
    // contractor the clerk re-registered in a conflict shown after it.
    void step(void (Form5::*move)());
    // Escape: the typing on the row dropped, once the clerk agrees.
    void batal();

    std::vector<std::unique_ptr<BoundBox>> m_bindings;
    bool m_unloaded = false;
    WriteConflict *m_conflict = nullptr;
};

} // namespace arb
