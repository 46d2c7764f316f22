#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

namespace arb {

namespace {
struct Answer
{
    MessageBox::Button button = MessageBox::Ok;
    QString choice; // a caption: the answer to a choice
};

struct Script
{
    bool on = false;
    QList<Answer> answers;
    QList<MessageBox::Shown> shown;
    std::function<void(QMessageBox &)> inspector;
    std::function<void(const MessageBox::Shown &)> whileShown;
};

Script &script()
{
    static Script s;
    return s;
}

QMessageBox::Icon toQt(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Information: return QMessageBox::Information;
    case MessageBox::Question: return QMessageBox::Question;
    case MessageBox::Exclamation: return QMessageBox::Warning;
    case MessageBox::Critical: return QMessageBox::Critical;
    case MessageBox::NoIcon: break;
    }
    return QMessageBox::NoIcon;
}

void inspect(QMessageBox::Icon icon, const QString &title, const QString &text, QMessageBox::StandardButtons buttons,
             QWidget *parent)
{
    if (!script().inspector)
        return;
    QMessageBox box(icon, title, text, buttons, parent);
    script().inspector(box);
}

// A busy pointer set by a long action must not hide the box's buttons.
struct NormalPointer
{
    int depth = 0;
    NormalPointer()
    {
        while (QApplication::overrideCursor()) {
            QApplication::restoreOverrideCursor();
            ++depth;
        }
    }
    ~NormalPointer()
    {
        for (int i = 0; i < depth; ++i)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
};
} // namespace

void MessageBox::record(const Shown &shown)
{
    script().shown.append(shown);
    if (script().on && script().whileShown)
        script().whileShown(shown);
}

bool MessageBox::ask(QWidget *parent, const QString &text, const QString &title, Icon icon)
{
    record({text, title, icon, true});
    if (script().on) {
        inspect(toQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
        if (script().answers.isEmpty())
            return false;
        const Answer a = script().answers.takeFirst();
        return a.choice.isEmpty() && a.button == Yes;
    }
    NormalPointer normal;
    QMessageBox box(toQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void MessageBox::tell(QWidget *parent, const QString &text, const QString &title, Icon icon)
{
    record({text, title, icon, false});
    if (script().on) {
        inspect(toQt(icon), title, text, QMessageBox::Ok, parent);
        if (!script().answers.isEmpty() && script().answers.first().button == Ok
            && script().answers.first().choice.isEmpty())
            script().answers.removeFirst();
        return;
    }
    NormalPointer normal;
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

int MessageBox::choose(QWidget *parent, const QString &text, const QString &title, Icon icon,
                       const QStringList &buttons)
{
    record({text, title, icon, false, buttons});
    if (script().on) {
        // Unanswered, or answered with a caption it does not have: the first.
        if (script().answers.isEmpty() || script().answers.first().choice.isEmpty())
            return 0;
        return std::max(0, int(buttons.indexOf(script().answers.takeFirst().choice)));
    }
    NormalPointer normal;
    QMessageBox box(toQt(icon), title, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton *> made;
    for (const QString &caption : buttons)
        made << box.addButton(caption, QMessageBox::AcceptRole);
    // No escape button: the box is left only by a choice.
    box.setEscapeButton(static_cast<QAbstractButton *>(nullptr));
    if (!made.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton *>(made.first()));
    box.exec();
    return std::max(0, int(made.indexOf(box.clickedButton())));
}

void MessageBox::setScripted(bool on)
{
    script().on = on;
}

bool MessageBox::scripted()
{
    return script().on;
}

void MessageBox::setInspector(std::function<void(QMessageBox &)> inspector)
{
    script().inspector = std::move(inspector);
}

void MessageBox::queueAnswers(const QList<Button> &answers)
{
    for (Button b : answers)
        script().answers.append({b, QString()});
}

void MessageBox::setWhileShown(std::function<void(const Shown &)> hook)
{
    script().whileShown = std::move(hook);
}

void MessageBox::queueChoice(const QString &caption)
{
    script().answers.append({Ok, caption});
}

QList<MessageBox::Shown> MessageBox::shown()
{
    return script().shown;
}

QList<MessageBox::Shown> MessageBox::takeShown()
{
    QList<Shown> all = script().shown;
    script().shown.clear();
    return all;
}

int MessageBox::pendingAnswers()
{
    return int(script().answers.size());
}

void MessageBox::clear()
{
    script().answers.clear();
    script().shown.clear();
    script().whileShown = nullptr;
}

} // namespace arb
