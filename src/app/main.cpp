#include "app/DailyCopy.h"
#include "app/Form1.h"
#include "data/Locations.h"
#include "data/Failure.h"
#include "platform/Guard.h"
#include "platform/Look.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

const char *kHelp = R"(arb: Aplikasi Rekod Bina, daftar kontraktor Majlis Daerah Lembah Serindit

Penggunaan: arb [--database STORE]

Pilihan:
  --database STORE  Buka pangkalan data ini: laluan fail SQLite atau URL
                    postgresql://PENGGUNA@HOS[:PORT]/NAMA_DB.
  --help            Papar teks ini.
  --version         Papar versi.

Pangkalan data dipilih mengikut urutan: --database, pembolehubah
persekitaran ARB_DATABASE, %1.
Cipta pangkalan data baru dengan: arb-admin init STORE
Lihat juga: man arb, arb-admin --help
)";

} // namespace

int main(int argc, char *argv[])
{
    // Answered on the terminal, before anything needs a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(qUtf8Printable(QString::fromUtf8(kHelp).arg(QDir::toNativeSeparators(arb::Locations::defaultStore()))), stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("arb (Aplikasi Rekod Bina) %s\n", ARB_VERSION);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Aplikasi Rekod Bina"));
    QApplication::setDesktopFileName(QStringLiteral("my.gov.mdlembahserindit.RekodBina"));
    arb::installUi();
    arb::Locations::setStore(arb::Locations::chooseStore(QApplication::arguments()));

    arb::Form1 *main = nullptr;
    try {
        main = new arb::Form1();
    } catch (const arb::Failure &failure) {
        // Nothing can be done without the store: say which one and how to make it.
        QString detail = failure.detail();
        if (detail.isEmpty())
            detail = QStringLiteral("Cipta pangkalan data dengan: arb-admin init \"%1\"").arg(arb::Locations::store());
        const arb::Failure shown(failure.message() + QStringLiteral("\nPangkalan data yang digunakan: ")
                                     + arb::Locations::store(),
                                 detail);
        // Said on the terminal too; a start without anyone at the screen
        // (ARB_EXIT_WHEN_SHOWN) shows no box that nobody would close.
        std::fprintf(stderr, "%s\n%s\n", qUtf8Printable(shown.message()), qUtf8Printable(shown.detail()));
        if (!qEnvironmentVariableIsSet("ARB_EXIT_WHEN_SHOWN"))
            arb::reportFailure(nullptr, shown);
        return 1;
    }
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->show();
    // The store opened: the first start of the day keeps a copy of it.
    arb::startDailyCopy(arb::Locations::store(), QDate::currentDate());
    // The benchmark times start-up to the login window shown (the line
    // "shown" on standard output), then leaves once the daily copy is done.
    if (qEnvironmentVariableIsSet("ARB_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, [] {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    return app.exec();
}
