#pragma once

#include "TestSupport.h"
#include "platform/BoundBox.h"
#include "platform/MessageBox.h"
#include "register/Form4.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

using arb::test::shownBoxes;

// The record window opened the way the main window's "Daftar " opens it.
inline std::unique_ptr<arb::Form4> openForm()
{
    auto f = std::make_unique<arb::Form4>();
    f->satu(false);
    f->gerak(1);
    return f;
}


// Fields of a stored row as text, a null as "<null>".
inline QStringList values(const QVariantMap &row, const QStringList &fields)
{
    QStringList out;
    for (const QString &f : fields)
        out << (row.value(f).isNull() ? QStringLiteral("<null>") : row.value(f).toString());
    return out;
}
