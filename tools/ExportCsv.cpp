#include "Commands.h"

#include "data/Connection.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "platform/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlQuery>

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
    const QString file = args.value(1);
    if (!file.isEmpty() && QFileInfo::exists(file)) {
        io.err << "Fail sudah wujud dan tidak akan ditimpa: " << file << Qt::endl;
        return 1;
    }
    // A file appears whole or not at all.
    QSaveFile save(file);
    QFile console;
    QIODevice *out = &save;
    if (file.isEmpty()) {
        console.open(stdout, QIODevice::WriteOnly);
        out = &console;
    } else if (!save.open(QIODevice::WriteOnly)) {
        io.err << "Fail tidak dapat ditulis: " << file << Qt::endl;
        return 1;
    }
    qint64 rows = 0;
    try {
        Connection c(args.first());
        QStringList cols, header;
        for (const QString &f : contractorFields()) {
            cols << Connection::ident(f);
            header << csvField(f);
        }
        out->write("\xEF\xBB\xBF");
        out->write((header.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8());
        QSqlQuery q = c.exec(QStringLiteral("SELECT %1 FROM kontraktor ORDER BY id").arg(cols.join(QLatin1Char(','))));
        while (q.next()) {
            QStringList line;
            for (int i = 0; i < cols.size(); ++i)
                line << csvField(q.value(i));
            if (out->write((line.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8()) < 0)
                throw Failure(QStringLiteral("Fail tidak dapat ditulis: %1").arg(file), out->errorString());
            ++rows;
        }
    } catch (const Failure &f) {
        if (!file.isEmpty())
            save.cancelWriting();
        io.err << f.message() << (f.detail().isEmpty() ? QString() : QStringLiteral(" (") + f.detail() + QLatin1Char(')'))
               << Qt::endl;
        return 1;
    }
    if (file.isEmpty()) {
        console.flush();
        return 0;
    }
    if (!save.commit()) {
        io.err << "Fail tidak dapat ditulis: " << file << Qt::endl;
        return 1;
    }
    io.out << rows << " kontraktor dieksport ke " << file << Qt::endl;
    return 0;
}

} // namespace arb::admin
