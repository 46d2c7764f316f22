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

// The record window opened the way the main window's "Daftar " opens it.
inline std::unique_ptr<arb::Form4> openForm()
{
    auto f = std::make_unique<arb::Form4>();
    f->satu(false);
    f->gerak(1);
    return f;
}

// The boxes shown since the last call as "title|text|icon", "?" for Yes/No.
inline QStringList shownBoxes()
{
    static const char *const icons[] = {"", "info", "question", "exclamation", "critical"};
    QStringList out;
    for (const arb::MessageBox::Shown &s : arb::MessageBox::takeShown())
        out << s.title + u'|' + s.text + u'|' + QLatin1String(icons[s.icon]) + QLatin1String(s.yesNo ? "?" : "");
    return out;
}
