#include "TestSupport.h"

#include "data/Connection.h"
#include "data/DemoData.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "data/Schema.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace arb::test {

void prepareApplication()
{
    installFontSubstitutes();
    MessageBox::setScripted(true);
}

TempStore::TempStore(const QString &password, bool demo)
{
    m_path = m_dir.filePath(QStringLiteral("kontraktor.mdb"));
    auto c = Connection::create(m_path);
    Schema::create(*c, password);
    if (demo)
        addDemoData(*c);
    Locations::setStore(m_path);
}

TempStore::~TempStore()
{
    Locations::setStore(QString());
}

void TempStore::exec(const QString &sql, const QVariantList &values)
{
    Connection c(m_path);
    c.exec(sql, values);
}

void TempStore::addContractor(const QVariantMap &fields)
{
    QStringList names, marks;
    QVariantList values;
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        names << Connection::ident(it.key());
        marks << QStringLiteral("?");
        values << it.value();
    }
    exec(QStringLiteral("INSERT INTO kontraktor (%1) VALUES (%2)").arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
         values);
}

void TempStore::addContractors(int count)
{
    for (int i = 1; i <= count; ++i) {
        QVariantMap m;
        for (const QString &f : contractorFields())
            m.insert(f, QStringLiteral("%1 %2").arg(f).arg(i));
        m.insert(QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/%1").arg(i, 4, 10, QLatin1Char('0')));
        m.insert(QStringLiteral("NamaSyarikat"), QStringLiteral("SYARIKAT %1").arg(i));
        addContractor(m);
    }
}

int TempStore::count(const QString &table)
{
    Connection c(m_path);
    QSqlQuery q = c.exec(QStringLiteral("SELECT count(*) FROM %1").arg(Connection::ident(table)));
    q.next();
    return q.value(0).toInt();
}

QList<QVariantMap> TempStore::rows(const QString &table)
{
    Connection c(m_path);
    QSqlQuery q = c.exec(QStringLiteral("SELECT * FROM %1 ORDER BY id").arg(Connection::ident(table)));
    QList<QVariantMap> out;
    while (q.next()) {
        QVariantMap m;
        const QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i)
            m.insert(r.fieldName(i), r.value(i));
        out << m;
    }
    return out;
}

QVariant TempStore::value(int row, const QString &field, const QString &table)
{
    return rows(table).value(row).value(field);
}

} // namespace arb::test
