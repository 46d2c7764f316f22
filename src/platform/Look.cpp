#include "platform/Look.h"

#include "platform/Keyboard.h"
#include "platform/Language.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QWidget>

#include <cmath>

namespace arb {

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("ARIAL"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Black"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Palisade"), {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

QFont uiFont(const QString &family, double points, bool bold, bool italic)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold || family == QLatin1String("Arial Black"));
    f.setItalic(italic);
    return f;
}

QFont defaultFont()
{
    return uiFont(QStringLiteral("MS Sans Serif"), 8.25);
}

void setBackground(QWidget *w, const QColor &color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setForeground(QWidget *w, const QColor &color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    w->setPalette(p);
}

void installUi()
{
    installFontSubstitutes();
    installMalay();
    installKeyboard();
}

namespace {

// A list that takes typing, while read-only: its list neither opens nor
// steps, by mouse, wheel or keys.
class ComboLock : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent *>(event)->key();
            return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown
                || key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_F4 || key == Qt::Key_Space;
        }
        default:
            return false;
        }
    }
};

const char *const kReadOnly = "arbReadOnly";
const char *const kComboLock = "arbComboLock";
const char *const kFocusPolicy = "arbFocusPolicy";

} // namespace

void setReadOnlyBox(QWidget *box, bool readOnly)
{
    box->setProperty(kReadOnly, readOnly);
    QWidget *editor = box;
    if (auto *e = qobject_cast<QLineEdit *>(box)) {
        e->setReadOnly(readOnly);
    } else if (auto *t = qobject_cast<QPlainTextEdit *>(box)) {
        t->setReadOnly(readOnly);
        t->setTextInteractionFlags(readOnly ? Qt::TextSelectableByMouse : Qt::TextEditorInteraction);
    } else if (auto *c = qobject_cast<QComboBox *>(box)) {
        if (c->lineEdit())
            c->lineEdit()->setReadOnly(readOnly);
        QObject *lock = c->findChild<QObject *>(QLatin1String(kComboLock), Qt::FindDirectChildrenOnly);
        if (readOnly && !lock) {
            lock = new ComboLock(c);
            lock->setObjectName(QLatin1String(kComboLock));
            c->installEventFilter(lock);
        } else if (!readOnly && lock) {
            c->removeEventFilter(lock);
            delete lock;
        }
        editor = c->lineEdit() ? static_cast<QWidget *>(c->lineEdit()) : c;
    }
    // The desktop's read-only face behind the text, as its own read-only
    // boxes have it; the text keeps its colour.
    const QPalette app = QApplication::palette();
    for (QWidget *w : {box, editor}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, app.color(readOnly ? QPalette::Window : QPalette::Base));
        w->setPalette(p);
    }
    // Out of the Tab order while read-only; its own focus rule back after.
    if (!box->property(kFocusPolicy).isValid())
        box->setProperty(kFocusPolicy, int(box->focusPolicy()));
    box->setFocusPolicy(readOnly ? Qt::ClickFocus : Qt::FocusPolicy(box->property(kFocusPolicy).toInt()));
}

bool isReadOnlyBox(const QWidget *box)
{
    return box->property(kReadOnly).toBool();
}

namespace {
double luminance(const QColor &c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
} // namespace

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace arb
