#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include <functional>

class QMessageBox;

class QWidget;

namespace arb {

// Every message box of the system goes through here, so that tests can answer
// them and read back what was shown. No window uses QMessageBox directly.
class MessageBox
{
public:
    enum Icon { NoIcon, Information, Question, Exclamation, Critical };
    enum Button { Ok, Yes, No };

    struct Shown
    {
        QString text;
        QString title;
        Icon icon;
        bool yesNo; // Yes/No buttons, else a single OK
        QStringList buttons = {}; // a choice's own buttons, in order
    };

    // Yes/No question; true when the answer is Yes.
    static bool ask(QWidget *parent, const QString &text, const QString &title, Icon icon = NoIcon);
    // Message with an OK button.
    static void tell(QWidget *parent, const QString &text, const QString &title, Icon icon = NoIcon);
    // A question with buttons of its own, left only through one of them (no
    // Escape, no close button): the index of the button pressed.
    static int choose(QWidget *parent, const QString &text, const QString &title, Icon icon,
                      const QStringList &buttons);

    // --- for tests ---
    // Once scripted, boxes are not shown: questions take the queued answers in
    // order (No when the queue is empty) and every box is recorded.
    static void setScripted(bool on);
    static bool scripted();
    static void queueAnswers(const QList<Button> &answers);
    // The button, by its caption, that the next choice is answered with.
    static void queueChoice(const QString &caption);
    // Runs as each box is shown, before it is answered: what changes
    // meanwhile (another desktop's write while the clerk reads the box).
    static void setWhileShown(std::function<void(const Shown &)> hook);
    static QList<Shown> shown();
    static QList<Shown> takeShown();
    static int pendingAnswers();
    static void clear();
    // While scripted, each box is still made as it would be shown, and handed
    // to the inspector before it is answered; none: no box is made.
    static void setInspector(std::function<void(QMessageBox &)> inspector);

private:
    static void record(const Shown &shown);
};

} // namespace arb
