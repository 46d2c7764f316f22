#pragma once

#include <QFileInfo>
#include <QTest>

// A file under tests/fixtures; ARB_FIXTURES names another folder.
inline QString fixturePath(const char *relative)
{
    QString folder = qEnvironmentVariable("ARB_FIXTURES");
    if (folder.isEmpty())
        folder = QString::fromUtf8(ARB_FIXTURES_DIR);
    return folder + QLatin1Char('/') + QLatin1String(relative);
}

// Windows reads the old program's files through Microsoft's Access ODBC
// driver, which Wine lacks; a Windows machine that has it sets
// ARB_TEST_ACCESS_DRIVER=1 to run the reading tests too.
inline bool accessReaderHere()
{
#ifdef Q_OS_WIN
    return qEnvironmentVariableIsSet("ARB_TEST_ACCESS_DRIVER");
#else
    return true;
#endif
}

#define ARB_NEEDS_ACCESS_READER()                                                                                      \
    do {                                                                                                               \
        if (!accessReaderHere())                                                                                       \
            QSKIP("no Microsoft Access ODBC driver here: set ARB_TEST_ACCESS_DRIVER=1 where it is installed");         \
    } while (0)

// Declares var as the fixture's path; a missing file fails the test function
// there, naming the path, before anything reads it.
#define ARB_FIXTURE(var, relative)                                                                                     \
    const QString var = fixturePath(relative);                                                                         \
    QVERIFY2(QFileInfo(var).isFile(), qPrintable(QStringLiteral("missing test fixture: ") + var))
