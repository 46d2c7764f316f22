#include "platform/BoundBox.h"

#include "data/Convert.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace arb {

QString toBoxText(const QString &stored)
{
    QString t = stored;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

QString fromBoxText(const QString &boxText)
{
    QString t = boxText;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

QString boxText(const QWidget *box)
{
    if (auto *e = qobject_cast<const QLineEdit *>(box))
        return e->text();
    if (auto *p = qobject_cast<const QPlainTextEdit *>(box))
        return fromBoxText(p->toPlainText());
    if (auto *t = qobject_cast<const QTextEdit *>(box))
        return fromBoxText(t->toPlainText());
    if (auto *c = qobject_cast<const QComboBox *>(box))
        return c->currentText();
    return QString();
}

void setBoxText(QWidget *box, const QString &stored)
{
    if (auto *e = qobject_cast<QLineEdit *>(box)) {
        e->setText(stored);
        e->setCursorPosition(0);
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(box)) {
        p->setPlainText(toBoxText(stored));
    } else if (auto *t = qobject_cast<QTextEdit *>(box)) {
        t->setPlainText(toBoxText(stored));
    } else if (auto *c = qobject_cast<QComboBox *>(box)) {
        c->setCurrentIndex(-1);
        c->setEditText(stored);
    }
}

BoundBox::BoundBox(QWidget *box, const QString &field, Spaces spaces)
    : m_box(box)
    , m_field(field)
    , m_spaces(spaces)
{
}

void BoundBox::showValue(const QString &text)
{
    setBoxText(m_box, text);
    m_shown = boxText(m_box);
}

bool BoundBox::valueChanged() const
{
    return boxText(m_box) != m_shown;
}

QString BoundBox::valueText() const
{
    return m_spaces == Spaces::Trimmed ? trimSpaces(boxText(m_box)) : boxText(m_box);
}

void BoundBox::fillEmpty(const QString &text)
{
    if (!boxText(m_box).isEmpty())
        return;
    const bool changed = valueChanged();
    setBoxText(m_box, text);
    if (!changed)
        m_shown = boxText(m_box);
}

} // namespace arb
