#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace arb {

namespace {
struct Script
{
    bool on = false;
    QList<MessageBox::Button> answers;
    QList<MessageBox::Shown> shown;
    std::function<void(QMessageBox &)> inspector;
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
}

bool MessageBox::ask(QWidget *parent, const QString &text, const QString &title, Icon icon)
{
    record({text, title, icon, true});
    if (script().on) {
        inspect(toQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
        return !script().answers.isEmpty() && script().answers.takeFirst() == Yes;
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
        if (!script().answers.isEmpty() && script().answers.first() == Ok)
            script().answers.removeFirst();
        return;
    }
    NormalPointer normal;
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
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
    script().answers.append(answers);
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
}

} // namespace arb
