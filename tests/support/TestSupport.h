#pragma once

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>
#include <memory>

namespace arb::test {

// A fresh SQLite store in a temporary folder, made the store in use.
class TempStore
{
public:
    explicit TempStore(const QString &password = QStringLiteral("rahsia"), bool demo = false);
    ~TempStore();

    const QString &path() const { return m_path; }

    // Rows of table kontraktor; a missing field is null.
    void addContractor(const QVariantMap &fields);
    void addContractors(int count); // ZRVA/KP/0001.. with simple values
    int count(const QString &table = QStringLiteral("kontraktor"));
    QVariant value(int row, const QString &field, const QString &table = QStringLiteral("kontraktor"));
    QList<QVariantMap> rows(const QString &table = QStringLiteral("kontraktor"));
    void exec(const QString &sql, const QVariantList &values = {});

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// Every test program: offscreen fonts, scripted message boxes.
void prepareApplication();

} // namespace arb::test

#define ARB_TEST_MAIN(TestObject)                                                                                      \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        arb::test::prepareApplication();                                                                               \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
