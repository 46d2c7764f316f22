#include "Commands.h"

#include "data/StoreCopy.h"
#include "data/Failure.h"


namespace arb::admin {

int copy(const QStringList &args, Io io)
{
    if (args.size() != 2) {
        io.err << "Penggunaan: arb-admin copy SUMBER TUJUAN" << Qt::endl;
        return 2;
    }
    try {
        sweepLeftovers(args.at(1), QStringLiteral("copy"), io);
        const QMap<QString, int> counts = copyStore(args.at(0), args.at(1));
        io.out << "Disalin ke " << args.at(1) << ":" << Qt::endl;
        for (auto it = counts.begin(); it != counts.end(); ++it)
            io.out << "  " << it.key() << ": " << it.value() << " rekod" << Qt::endl;
    } catch (const Failure &f) {
        return fail(io, f);
    }
    return 0;
}

} // namespace arb::admin
