#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QGroupBox;

namespace arb {

class DataControl;

// The main window: title, login box, the six menu buttons and the password
// change. Its data control Data2 holds table password, whose first row keeps
// the password's hash.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    // Opens Data2; throws Failure when the store cannot be opened.
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    void menu(bool a);
    void pw(bool a);

    QLabel *Image4;
    QLabel *Label2;
    QLabel *Image2;
    QLabel *Label17;
    QLabel *Label1;
    QLineEdit *Text1;
    QPushButton *Command1;
    QLabel *Label3;   // "Kata laluan baharu"
    QLineEdit *Text2; // the new password
    QLabel *Label4;   // "Taip sekali lagi"
    QLineEdit *Text3; // the new password again
    QPushButton *Command3;
    QGroupBox *Frame1;
    QPushButton *Command12;
    QPushButton *Command13;
    QPushButton *Command11;
    QPushButton *Command14;
    QPushButton *Command2;
    QPushButton *Command4;
    DataControl *Data2;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void login();
    void startPasswordChange();
    void endPasswordChange();
    void showPasswordChange(bool shown);
    void storePassword(const QString &hash);
    void unload();

    bool m_unloaded = false;
};

} // namespace arb
