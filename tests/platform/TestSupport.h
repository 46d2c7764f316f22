#pragma once

#include "platform/MessageBox.h"

#include <QApplication>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>
#include <functional>
#include <memory>

namespace arb::test {

// The engine the tests run on: ARB_TEST_ENGINE=postgres runs them on the
// server named by ARB_TEST_PG (each store a database of its own).
bool onPostgres();
// False (with the reason) when the chosen engine cannot be reached.
bool engineAvailable(QString *why);

// A fresh store, made the store in use: a SQLite file in a temporary folder,
// or a new database on the test server.
class TempStore
{
public:
    explicit TempStore(const QString &password = QStringLiteral("rahsia"), bool demo = false);
    // A place for a store that does not exist yet: a file name in a temporary
    // folder, or an empty database on the server.
    struct Empty {};
    explicit TempStore(Empty);
    ~TempStore();

    // File path or postgresql:// URL.
    const QString &path() const { return m_path; }

    // Rows of table kontraktor; a missing field is null.
    void addContractor(const QVariantMap &fields);
    void addContractors(int count); // ZRVA/KP/0001.. with simple values
    int count(const QString &table = QStringLiteral("kontraktor"));
    QVariant value(int row, const QString &field, const QString &table = QStringLiteral("kontraktor"));
    QList<QVariantMap> rows(const QString &table = QStringLiteral("kontraktor"));
    void exec(const QString &sql, const QVariantList &values = {});

private:
    void makeDatabase();
    QTemporaryDir m_dir;
    QString m_path;
    QString m_database; // on the server
};

// A row of table kontraktor: every field "FIELD tag", or without a tag "-"
// in every field (as the record window stores a blank) and no work dates;
// then the number and the company name.
QVariantMap contractor(const QString &noDaftar, const QString &name, const QString &tag = {});

// A register file at path, as arb-admin init makes it, with count
// contractors whose long addresses make it span many pages; and the number
// of contractors in the store at location.
void makeRegisterFile(const QString &path, int count);
qint64 contractorsIn(const QString &location);

// With ARB_GRAB naming a folder, a window (as NAME.png) or a printed file is
// kept there for a person to look at.
void grab(QWidget *window, const QString &name);
void grab(const QString &file, const QString &name);

// The message boxes shown since the last call, as "title|text|icon", with
// "?" after a Yes/No question and "[a/b/c]" after a choice's buttons.
QStringList shownBoxes();

// Every test program: offscreen fonts, scripted message boxes.
void prepareApplication();

// A finished command: its exit code (-1 when it crashed or hung) and output.
struct Run
{
    int status = -1;
    QByteArray out;
    QString err;
};
Run run(const QString &program, const QStringList &args, const QStringList &environment = {});
// Starts a command and kills it after ms; false when it had finished by then.
bool killedAfter(const QString &program, const QStringList &args, int ms);

// The message of the arb::Failure fn throws (its detail in *detail), or
// "<no failure>" when fn returns.
QString failureOf(const std::function<void()> &fn, QString *detail = nullptr);

// Closes every window, and deletes those that delete on close.
void closeAllWindows();

// Whether the busy pointer showed while the button's action ran.
bool busyDuring(QPushButton *button);

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);
// Every name in a folder, hidden ones too, sorted.
QStringList entries(const QString &folder);

#ifdef ARB_ADMIN
inline Run admin(const QStringList &args, const QStringList &environment = {})
{
    return run(QStringLiteral(ARB_ADMIN), args, environment);
}
#endif

// The boxes one search from a window's search panel shows, as shownBoxes
// gives them; mode -1 leaves the mode list as it is.
template <class Window>
QStringList search(Window &w, const QString &word, int mode, const QList<MessageBox::Button> &answers = {})
{
    w.Text16->setText(word);
    if (mode >= 0)
        w.Combo1->setCurrentIndex(mode);
    MessageBox::queueAnswers(answers);
    w.Command8->click();
    return shownBoxes();
}

} // namespace arb::test

#define ARB_TEST_MAIN(TestObject)                                                                                      \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        arb::test::prepareApplication();                                                                               \
        QString why;                                                                                                   \
        if (!arb::test::engineAvailable(&why)) {                                                                       \
            if (qgetenv("CI") == "true") {                                                                             \
                qCritical("FAIL: %s", qPrintable(why));                                                                \
                return 1;                                                                                              \
            }                                                                                                          \
            qWarning("SKIP: %s", qPrintable(why));                                                                     \
            return 0;                                                                                                  \
        }                                                                                                              \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
