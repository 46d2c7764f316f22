#include "platform/Language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace arb {

void installMalay()
{
    static QTranslator *translator = nullptr;
    if (translator)
        return;
    translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/i18n/arb_ms.qm")))
        QCoreApplication::installTranslator(translator);
    // Names of file types, dates and numbers that Qt's dialogs show.
    QLocale::setDefault(QLocale(QLocale::Malay, QLocale::Malaysia));
}

} // namespace arb
