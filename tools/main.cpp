#include "Commands.h"

#include <QCoreApplication>

namespace {

const char *kHelp = R"(arb-admin: alat pentadbir Aplikasi Rekod Bina

Penggunaan: arb-admin ARAHAN [HUJAH...]

Arahan:
  init [--password TEKS] [--demo] [STORE]
      Cipta pangkalan data baru (SQLite, atau URL postgresql://). Tidak
      menimpa fail yang sudah wujud. Kata laluan asal: abc123. --demo
      menambah 25 kontraktor contoh.
  copy SUMBER TUJUAN
      Salin seluruh pangkalan data ke yang baru, dari SQLite ke PostgreSQL
      atau sebaliknya, semua atau tiada langsung. Tujuan tidak boleh wujud
      (fail) atau sudah berjadual (pangkalan data pelayan).
  help
      Papar teks ini.

STORE ialah laluan fail (lalai: ARB_DATABASE, atau ~/kontraktor/kontraktor.mdb)
atau URL postgresql://PENGGUNA@HOS[:PORT]/NAMA_DB.
)";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    arb::admin::Io io{out, err};
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("help") || args.first() == QLatin1String("--help")
        || args.first() == QLatin1String("-h")) {
        out << kHelp;
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("init"))
        return arb::admin::init(args, io);
    if (command == QLatin1String("copy"))
        return arb::admin::copy(args, io);
    err << "Arahan tidak dikenali: " << command << ". Lihat: arb-admin --help" << Qt::endl;
    return 2;
}
