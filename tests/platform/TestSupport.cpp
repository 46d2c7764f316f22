#include "TestSupport.h"

#include <QTimer>

#include "data/Connection.h"
#include "data/DemoData.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "data/Schema.h"
#include "platform/Look.h"
#include "data/Failure.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QWidget>
#include <QProcess>
#include <QUrl>

#include <QSqlQuery>
#include <QSqlRecord>

namespace arb::test {

QStringList shownBoxes()
{
    static const char *const icons[] = {"", "info", "question", "exclamation", "critical"};
    QStringList out;
    for (const MessageBox::Shown &s : MessageBox::takeShown())
        out << s.title + QLatin1Char('|') + s.text + QLatin1Char('|') + QLatin1String(icons[s.icon])
                   + QLatin1String(s.yesNo ? "?" : "")
                   + (s.buttons.isEmpty() ? QString() : QLatin1Char('[') + s.buttons.join(QLatin1Char('/')) + QLatin1Char(']'));
    return out;
}

void prepareApplication()
{
    installUi();
    MessageBox::setScripted(true);
}

Run run(const QString &program, const QStringList &args, const QStringList &environment)
{
    QProcess p;
    p.setEnvironment(QProcess::systemEnvironment() + environment);
    p.start(program, args);
    p.closeWriteChannel(); // a program that waits for typing gets none
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return {-1, {}, program + QStringLiteral(" did not finish: ") + QString::fromUtf8(p.readAllStandardError())};
    }
    const int status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return {status, p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

bool killedAfter(const QString &program, const QStringList &args, int ms)
{
    QProcess p;
    p.start(program, args);
    p.waitForStarted();
    if (p.waitForFinished(ms))
        return false;
    p.kill();
    p.waitForFinished();
    return true;
}

QString failureOf(const std::function<void()> &fn, QString *detail)
{
    try {
        fn();
    } catch (const Failure &f) {
        if (detail)
            *detail = f.detail();
        return f.message();
    }
    return QStringLiteral("<no failure>");
}

void closeAllWindows()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A zero timer fires in the pending events the action lets run at its start.
bool busyDuring(QPushButton *button)
{
    bool busy = false;
    QTimer::singleShot(0, button, [&] {
        busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    button->click();
    QCoreApplication::processEvents();
    return busy && !QApplication::overrideCursor();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(), qPrintable(path));
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool onPostgres()
{
    return qgetenv("ARB_TEST_ENGINE") == "postgres";
}

bool engineAvailable(QString *why)
{
    if (!onPostgres())
        return true;
    const QString server = QString::fromLocal8Bit(qgetenv("ARB_TEST_PG"));
    if (server.isEmpty()) {
        *why = QStringLiteral("no PostgreSQL test server (ARB_TEST_PG is not set); PostgreSQL cases not run");
        return false;
    }
    try {
        Connection c(server);
    } catch (const Failure &f) {
        *why = QStringLiteral("PostgreSQL test server unreachable: %1").arg(f.detail());
        return false;
    }
    return true;
}

void TempStore::makeDatabase()
{
    if (onPostgres()) {
        static int counter = 0;
        const QString server = QString::fromLocal8Bit(qgetenv("ARB_TEST_PG"));
        m_database = QStringLiteral("arb_t_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        Connection admin(server);
        admin.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_database));
        admin.exec(QStringLiteral("CREATE DATABASE %1").arg(m_database));
        QUrl url(server);
        url.setPath(QLatin1Char('/') + m_database);
        m_path = url.toString();
    } else {
        m_path = m_dir.filePath(QStringLiteral("kontraktor.mdb"));
    }
}

TempStore::TempStore(Empty)
{
    makeDatabase();
}

TempStore::TempStore(const QString &password, bool demo)
{
    makeDatabase();
    auto c = Connection::create(m_path);
    Schema::create(*c, password);
    if (demo)
        addDemoData(*c);
    Locations::setStore(m_path);
}

TempStore::~TempStore()
{
    Locations::setStore(QString());
    if (!m_database.isEmpty()) {
        try {
            Connection admin(QString::fromLocal8Bit(qgetenv("ARB_TEST_PG")));
            admin.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_database));
        } catch (...) {
        }
    }
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
    for (int i = 1; i <= count; ++i)
        addContractor(contractor(QStringLiteral("ZRVA/KP/%1").arg(i, 4, 10, QLatin1Char('0')),
                                 QStringLiteral("SYARIKAT %1").arg(i), QString::number(i)));
}

QVariantMap contractor(const QString &noDaftar, const QString &name, const QString &tag)
{
    QVariantMap m;
    for (const QString &f : contractorFields())
        m.insert(f, tag.isEmpty() ? QStringLiteral("-") : f + QLatin1Char(' ') + tag);
    if (tag.isEmpty())
        m.insert(QStringLiteral("Tarikh_dapat_kerja"), QString(""));
    m.insert(QStringLiteral("NoDaftar"), noDaftar);
    m.insert(QStringLiteral("NamaSyarikat"), name);
    return m;
}

void makeRegisterFile(const QString &path, int count)
{
    auto c = Connection::create(path);
    Schema::create(*c, QStringLiteral("abc123"));
    c->write([&] {
        QSqlQuery q = c->prepare(QStringLiteral("INSERT INTO kontraktor (NoDaftar, NamaSyarikat, AlamatPendaftaranSyarikat) "
                                                "VALUES (?, ?, ?)"));
        for (int i = 1; i <= count; ++i)
            c->run(q, {QStringLiteral("ZRVA/KP/%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("SYARIKAT %1").arg(i),
                       QStringLiteral("No. %1, Jalan Merbah, Lembah Serindit ").arg(i).repeated(4)});
    });
}

qint64 contractorsIn(const QString &location)
{
    Connection c(location);
    QSqlQuery q = c.exec(QStringLiteral("SELECT count(*) FROM kontraktor"));
    q.next();
    return q.value(0).toLongLong();
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

void grab(QWidget *window, const QString &name)
{
    if (qEnvironmentVariableIsSet("ARB_GRAB"))
        window->grab().save(qEnvironmentVariable("ARB_GRAB") + u'/' + name + QStringLiteral(".png"));
}

void grab(const QString &file, const QString &name)
{
    if (qEnvironmentVariableIsSet("ARB_GRAB"))
        QFile::copy(file, qEnvironmentVariable("ARB_GRAB") + u'/' + name);
}

} // namespace arb::test
