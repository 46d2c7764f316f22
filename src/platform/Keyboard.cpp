#include "platform/Keyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>

namespace arb {

namespace {

bool g_altHeld = false;

void setAltHeld(bool held)
{
    if (held == g_altHeld)
        return;
    g_altHeld = held;
    for (QWidget *w : QApplication::allWidgets())
        if (w->isVisible())
            w->update();
}

// Underlines accelerators only while Alt is held, whatever the base style does.
class AltUnderlineStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_UnderlineShortcut)
            return g_altHeld ? 1 : 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

class KeyboardFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Alt)
                setAltHeld(true);
            else if (!(key->modifiers() & Qt::AltModifier))
                setAltHeld(false);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                && !(key->modifiers() & ~Qt::KeypadModifier))
                return pressFocusedButton(watched);
            break;
        }
        case QEvent::KeyRelease:
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Alt)
                setAltHeld(false);
            break;
        case QEvent::ApplicationStateChange:
        case QEvent::WindowDeactivate:
            setAltHeld(false);
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Key presses reach a button only while it has the focus. Dialogs keep
    // their own rule (Enter presses the default button).
    static bool pressFocusedButton(QObject *watched)
    {
        auto *button = qobject_cast<QPushButton *>(watched);
        if (!button || !button->isEnabled() || qobject_cast<QDialog *>(button->window()))
            return false;
        button->click();
        return true;
    }
};

} // namespace

void installKeyboard()
{
    static KeyboardFilter *filter = nullptr;
    if (filter)
        return;
    filter = new KeyboardFilter(qApp);
    qApp->installEventFilter(filter);
    QApplication::setStyle(new AltUnderlineStyle(QStyleFactory::create(QApplication::style()->name())));
}

bool altHeld()
{
    return g_altHeld;
}

QString caption(const QAbstractButton *button)
{
    QString text = button->text();
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text.at(i) == QLatin1Char('&'))
            text.remove(i, 1); // "&&" leaves one "&"
    return text;
}

} // namespace arb
