#include "Commands.h"

#include "data/Connection.h"
#include "data/FileSystem.h"
#include "data/Fields.h"
#include "data/History.h"
#include "data/Locations.h"
#include "data/StoreError.h"
#include "data/Temporary.h"
#include "data/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <cerrno>
#include <cstring>
#include <memory>

namespace arb::admin {

QString csvField(const QVariant &value)
{
    if (value.isNull())
        return QString();
    QString text = value.toString();
    if (!text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

int exportCsv(const QStringList &args, Io io)
{
    if (args.isEmpty() || args.size() > 2 || args.first().startsWith(QLatin1String("--"))) {
        io.err << "Penggunaan: arb-admin export-csv STORE [FAIL.csv]" << Qt::endl;
        return 2;
    }
    const QString file = args.size() > 1 ? QFileInfo(args.at(1)).absoluteFilePath() : QString();
    const QString shownName = file.isEmpty() ? QStringLiteral("output standard") : file;
    // A file of ours is removed when cut short; standard output is not ours.
    const PartialOutput partial = file.isEmpty() ? PartialOutput::Incomplete : PartialOutput::Removed;
    qint64 rows = 0;
    try {
        // A file appears whole or not at all: written beside it, put in place at the end.
        std::unique_ptr<Temporary> temporary;
        QFile out;
        if (file.isEmpty()) {
            if (!out.open(stdout, QIODevice::WriteOnly))
                throw outputFailure(shownName, out.errorString(), partial);
        } else {
            if (Temporary::occupied(file))
                throw fileExists(file);
            sweepLeftovers(file, QStringLiteral("export"), io);
            temporary = std::make_unique<Temporary>(file, QStringLiteral("export"));
            out.setFileName(temporary->path());
            if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
                throw outputFailure(file, out.errorString());
        }
        // The system's reason, as the call that failed left it.
        const auto failed = [&] {
            return outputFailure(shownName, errno ? QString::fromLocal8Bit(std::strerror(errno)) : out.errorString(), partial);
        };
        const auto put = [&](const QByteArray &bytes) {
            errno = 0;
            if (out.write(bytes) != bytes.size())
                throw failed();
        };
        // The whole register is read and checked before the first byte goes
        // out: standard output cannot take back a shorter one.
        Connection c(args.first());
        QStringList cols, header;
        for (const QString &f : contractorFields()) {
            cols << Connection::ident(f);
            header << csvField(f);
        }
        // The hidden key last, so that a row can be matched with its history
        // (empty for a store that has no history yet).
        cols << (History::installed(c) ? History::kKey : QStringLiteral("NULL"));
        header << History::kKey;
        QByteArray csv("\xEF\xBB\xBF");
        csv += (header.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8();
        QSqlQuery q = c.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY id").arg(cols.join(QLatin1Char(',')), kContractorTable));
        while (q.next()) {
            QStringList line;
            for (int i = 0; i < cols.size(); ++i)
                line << csvField(q.value(i));
            csv += (line.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8();
            ++rows;
        }
        requireWholeRead(q, c.location());
        put(csv);
        // The last byte must reach the disk (or the pipe) before success is said.
        errno = 0;
        if (!out.flush() || (temporary && !fs::syncFile(out)))
            throw failed();
        out.close();
        if (out.error() != QFileDevice::NoError)
            throw failed();
        if (temporary)
            temporary->putInPlace();
    } catch (const Failure &f) {
        return fail(io, f);
    }
    if (!file.isEmpty())
        io.out << rows << " kontraktor dieksport ke " << file << Qt::endl;
    return 0;
}

} // namespace arb::admin
