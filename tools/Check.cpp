#include "Commands.h"

#include "data/Connection.h"
#include "data/History.h"
#include "data/Locations.h"
#include "data/Password.h"
#include "data/SafetyCopy.h"
#include "data/WorkDates.h"
#include "data/Failure.h"

#include <QSqlQuery>

namespace arb::admin {

int check(const QStringList &args, Io io)
{
    if (args.size() > 1 || (!args.isEmpty() && args.first().startsWith(QLatin1String("--")))) {
        io.err << "Penggunaan: arb-admin check [STORE]" << Qt::endl;
        return 2;
    }
    const QString store = args.isEmpty() ? Locations::chooseStore({}) : args.first();
    try {
        Connection c(store);
        QStringList problems = storeProblems(c);
        if (c.engine() != Connection::Engine::Sqlite)
            io.out << "Semakan fail hanya untuk SQLite; jadual, medan dan sejarah perubahan sahaja disemak." << Qt::endl;
        History::Chain chain;
        if (problems.isEmpty())
            problems << History::problems(c, &chain);
        // A warning, not a fault: the first login replaces the text by its hash.
        if (problems.isEmpty() && Password::plainPasswords(c) > 0)
            io.out << "Amaran: kata laluan disimpan sebagai teks biasa; ia ditukar kepada cincang pada log masuk "
                      "berikutnya yang berjaya."
                   << Qt::endl;
        if (problems.isEmpty()) {
            if (!History::installed(c))
                io.out << "Sejarah perubahan belum dimulakan; ia dimulakan apabila program membuka pangkalan data ini."
                       << Qt::endl;
            if (chain.unsealed > 0) {
                c.write([] {}); // seals them
                io.out << chain.unsealed << " entri sejarah ditulis di luar program (contohnya dengan sqlite3) dan kini "
                                            "dimeterai."
                       << Qt::endl;
            }
            io.out << "Pangkalan data baik: " << c.location() << Qt::endl;
            // Not damage: lines the month count cannot read, for someone to mend.
            const QStringList dates = unreadableWorkDates(c);
            if (!dates.isEmpty()) {
                io.out << "Tarikh kerja yang bukan tarikh (tidak dikira dalam senarai kerja):" << Qt::endl;
                for (const QString &d : dates)
                    io.out << "  " << d << Qt::endl;
            }
            return 0;
        }
        io.out << "Pangkalan data bermasalah: " << c.location() << Qt::endl;
        for (const QString &p : problems)
            io.out << "  " << p << Qt::endl;
        return 1;
    } catch (const Failure &f) {
        return fail(io, f);
    }
}

} // namespace arb::admin
