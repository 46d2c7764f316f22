#include "data/Password.h"

#include "data/Connection.h"
#include "data/StoreError.h"
#include "data/Failure.h"

#include <QSqlQuery>

#include <sodium.h>

namespace arb::Password {

namespace {

void ready()
{
    static const bool ok = sodium_init() >= 0;
    if (!ok)
        throw Failure(QStringLiteral("Kata laluan tidak dapat disemak."), QStringLiteral("sodium_init failed"));
}

// Interactive limits: a login takes a fraction of a second and 64 MB.
constexpr unsigned long long kOps = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr size_t kMemory = crypto_pwhash_MEMLIMIT_INTERACTIVE;

} // namespace

QString hash(const QString &text)
{
    ready();
    const QByteArray utf8 = text.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), quint64(utf8.size()), kOps, kMemory) != 0)
        throw Failure(QStringLiteral("Kata laluan tidak dapat disimpan: memori tidak mencukupi."),
                      QStringLiteral("crypto_pwhash_str failed"));
    return QString::fromLatin1(out);
}

bool isHashed(const QString &stored)
{
    return stored.startsWith(QLatin1String(crypto_pwhash_argon2id_STRPREFIX));
}

bool matches(const QString &stored, const QString &typed)
{
    if (!isHashed(stored))
        return stored == typed;
    ready();
    const QByteArray utf8 = typed.toUtf8();
    const QByteArray h = stored.toLatin1();
    return crypto_pwhash_str_verify(h.constData(), utf8.constData(), quint64(utf8.size())) == 0;
}

bool needsRehash(const QString &stored)
{
    if (!isHashed(stored))
        return true;
    ready();
    const QByteArray h = stored.toLatin1();
    return crypto_pwhash_str_needs_rehash(h.constData(), kOps, kMemory) != 0;
}

int hashPlainPasswords(Connection &c)
{
    QList<std::pair<qint64, QString>> plain;
    {
        QSqlQuery q = c.exec(QStringLiteral("SELECT id, %1 FROM password ORDER BY id").arg(Connection::ident(QStringLiteral("password"))));
        while (q.next())
            if (!isHashed(q.value(1).toString()))
                plain.append({q.value(0).toLongLong(), q.value(1).toString()});
        requireWholeRead(q, c.location());
        q.finish();
    }
    for (const auto &[id, text] : std::as_const(plain))
        c.exec(QStringLiteral("UPDATE password SET %1 = ? WHERE id = ?").arg(Connection::ident(QStringLiteral("password"))),
               {hash(text), id});
    return int(plain.size());
}

int plainPasswords(Connection &c)
{
    QSqlQuery q = c.exec(QStringLiteral("SELECT %1 FROM password").arg(Connection::ident(QStringLiteral("password"))));
    int n = 0;
    while (q.next())
        n += !isHashed(q.value(0).toString());
    requireWholeRead(q, c.location());
    return n;
}

} // namespace arb::Password
