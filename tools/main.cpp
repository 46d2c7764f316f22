#include "Commands.h"
#include "legacy/ReaderProcess.h"
#include "data/FileSystem.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

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
  import-mdb FAIL_LAMA.mdb [STORE]
      Bawa masuk data program lama (fail Access kontraktor.mdb): jadual
      kontraktor, password dan test, dalam susunan asal. Fail lama dibuka
      baca sahaja. STORE mesti belum wujud; jika bacaan gagal, tiada apa
      yang dicipta.
  export-csv STORE [FAIL.csv]
      Daftar kontraktor sebagai CSV (UTF-8, untuk hamparan). Tanpa FAIL.csv
      ke output standard.
  backup STORE SALINAN
      Salinan lengkap pangkalan data SQLite, boleh dibuat semasa program
      digunakan. Tidak menimpa fail yang sudah wujud.
  restore SALINAN STORE
      Pulihkan pangkalan data SQLite daripada salinan (contohnya salinan
      harian dalam folder sandaran) selepas salinan itu disemak. Program
      mesti ditutup di semua komputer. Pangkalan data yang diganti disimpan
      sebagai kontraktor-replaced-MASA.mdb di sebelahnya.
  check [STORE]
      Semak fail serta jadual dan medan yang diperlukan, pencetus dan kunci
      sejarah perubahan, dan (SQLite) rantaian sejarah. Status keluar 0
      jika baik, 1 jika ada masalah.
  history [--contractor NODAFTAR] [--since TARIKH] [--until TARIKH] [--csv] [STORE]
      Papar sejarah perubahan: bila, siapa, komputer, tindakan, medan,
      nilai lama dan baru, yang lama dahulu. --contractor hanya kontraktor
      yang pernah memegang No Daftar itu; --since dan --until hari
      tempatan (DD.MM.YYYY), termasuk kedua-duanya; --csv sebagai CSV.
  history --verify [STORE]
      Semak rantaian sejarah sahaja. Status keluar 0 jika baik, 1 jika
      ada entri yang diubah atau dibuang.
  help
      Papar teks ini.

STORE ialah laluan fail (lalai: ARB_DATABASE, atau ~/kontraktor/kontraktor.mdb)
atau URL postgresql://PENGGUNA@HOS[:PORT]/NAMA_DB.
)";

} // namespace

int main(int argc, char *argv[])
{
    arb::fs::binaryStandardStreams(); // the CSV, the reader's frames
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("arb-admin (Aplikasi Rekod Bina) %s\n", ARB_VERSION);
        return 0;
    }
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
    if (command == QLatin1String("import-mdb"))
        return arb::admin::importMdb(args, io);
    if (command == QLatin1String("export-csv"))
        return arb::admin::exportCsv(args, io);
    if (command == QLatin1String("backup"))
        return arb::admin::backup(args, io);
    if (command == QLatin1String("restore"))
        return arb::admin::restore(args, io);
    if (command == QLatin1String("check"))
        return arb::admin::check(args, io);
    if (command == QLatin1String("history"))
        return arb::admin::history(args, io);
    if (command == arb::legacy::kReaderCommand)
        return arb::admin::readMdb(args);
    err << "Arahan tidak dikenali: " << command << ". Lihat: arb-admin --help" << Qt::endl;
    return 2;
}
