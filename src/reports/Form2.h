#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace arb {

class DataControl;
class Printer;

// The print window: the contractor list for a range or for all, the work
// list, the printer dialog, and "Pilihan" for the About window.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    explicit Form2(QWidget *parent = nullptr);
    ~Form2() override;

    // The lists' page skeletons (ListPages), under the names the window
    // keeps; c is not read.
    static void table(Printer &printer, short &c);
    static void table1(Printer &printer, short &c);

    QGroupBox *Frame1;
    QRadioButton *Option1;
    QLabel *Label1;
    QLineEdit *Text19;
    QLabel *Label2;
    QLineEdit *Text20;
    QPushButton *Command1;
    QRadioButton *Option2;
    QPushButton *Command2;
    QGroupBox *Frame2;
    QPushButton *Command3;
    QGroupBox *Frame3;
    QPushButton *Command4;
    QPushButton *Command5;
    QPushButton *Command6;
    DataControl *kontraktor;

private:
    void option1Click();
    void option2Click();
    void command1Click();
    void command2Click();
    void command3Click();
    void command4Click();
    void setRangeEnabled(bool on);
};

} // namespace arb
