#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace arb {

// The About window: name and version, the credits, the department it was
// made for. Two diagnostic buttons lie outside the visible area and print
// on the window's own surface.
class Form7 : public QWidget
{
    Q_OBJECT
public:
    explicit Form7(QWidget *parent = nullptr);

    QLabel *Label7;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QPushButton *Command3;
    QPlainTextEdit *Text1;
    QPushButton *Command2;
    QPushButton *Command1;

    // What the diagnostics printed on the window, line by line.
    QStringList printedLines() const;
    double currentX() const { return m_currentX; }
    double currentY() const { return m_currentY; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void command1Click();
    void command2Click();
    // Print on the window: at (CurrentX, CurrentY), then the start of the next line.
    void printLine(const QString &text);

    struct Printed
    {
        double x, y;
        QString text;
    };
    QList<Printed> m_printed;
    double m_currentX = 0;
    double m_currentY = 0;
};

} // namespace arb
