#include "app/DailyCopy.h"
#include "app/Form1.h"
#include "data/Locations.h"
#include "platform/Failure.h"
#include "platform/Guard.h"
#include "platform/Look.h"

#include <QApplication>
#include <QDate>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Aplikasi Rekod Bina"));
    arb::installFontSubstitutes();
    arb::Locations::setStore(arb::Locations::chooseStore(QApplication::arguments()));

    arb::Form1 *main = nullptr;
    try {
        main = new arb::Form1();
    } catch (const arb::Failure &failure) {
        // Nothing can be done without the store: say which one and how to make it.
        QString detail = failure.detail();
        if (detail.isEmpty())
            detail = QStringLiteral("Cipta pangkalan data dengan: arb-admin init \"%1\"").arg(arb::Locations::store());
        arb::reportFailure(nullptr, arb::Failure(failure.message() + QStringLiteral("\nPangkalan data yang digunakan: ")
                                                     + arb::Locations::store(),
                                                 detail));
        return 1;
    }
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->show();
    // The store opened: the first start of the day keeps a copy of it.
    arb::startDailyCopy(arb::Locations::store(), QDate::currentDate());
    // The benchmark times start-up to the login window shown, then leaves.
    if (qEnvironmentVariableIsSet("ARB_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
