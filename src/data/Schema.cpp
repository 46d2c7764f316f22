#include "data/Schema.h"

#include "data/Connection.h"
#include "data/Fields.h"
#include "data/Password.h"
#include "data/History.h"
#include "data/Numbering.h"

namespace arb::Schema {

void createTables(Connection &c, bool triggers)
{
    // On a server "Susun" gives contractors new ids in one statement: the
    // ids need only be unique at its end.
    QStringList cols{c.idColumn()
                     + (c.engine() == Connection::Engine::Postgres ? QStringLiteral(" DEFERRABLE INITIALLY IMMEDIATE")
                                                                    : QString())};
    for (const QString &f : contractorFields())
        cols << Connection::ident(f) + QStringLiteral(" TEXT");
    cols << History::keyColumn(c);
    c.exec(QStringLiteral("CREATE TABLE kontraktor (%1)").arg(cols.join(QStringLiteral(", "))));
    addSerialIndex(c);
    c.exec(QStringLiteral("CREATE TABLE password (%1, %2 TEXT)").arg(c.idColumn(), Connection::ident(QStringLiteral("password"))));
    c.exec(QStringLiteral("CREATE TABLE test (%1, %2 TEXT)").arg(c.idColumn(), Connection::ident(QStringLiteral("Tarikh_dapat_kerja"))));
    History::createTables(c);
    if (triggers)
        History::createTriggers(c);
}

void create(Connection &c, const QString &password)
{
    c.write([&] {
        createTables(c);
        // The writes that follow in this transaction are recorded under its writer.
        History::beginWrite(c);
        c.exec(QStringLiteral("INSERT INTO password (%1) VALUES (?)").arg(Connection::ident(QStringLiteral("password"))),
               {Password::hash(password)});
    });
}

QStringList problems(Connection &c)
{
    QStringList out;
    const auto need = [&](const QString &table, const QStringList &fields) {
        if (!c.hasTable(table)) {
            out << QStringLiteral("Jadual \"%1\" tiada.").arg(table);
            return;
        }
        const QStringList have = c.columns(table);
        QStringList wanted = fields;
        wanted << QStringLiteral("id");
        for (const QString &f : std::as_const(wanted))
            if (!have.contains(f))
                out << QStringLiteral("Medan \"%1\" tiada dalam jadual \"%2\".").arg(f, table);
    };
    need(kContractorTable, contractorFields());
    need(kPasswordTable, {QStringLiteral("password")});
    need(kTestTable, {QStringLiteral("Tarikh_dapat_kerja")});
    return out;
}

} // namespace arb::Schema
