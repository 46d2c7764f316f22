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

// Declares var as the fixture's path; a missing file fails the test function
// there, naming the path, before anything reads it.
#define ARB_FIXTURE(var, relative)                                                                                     \
    const QString var = fixturePath(relative);                                                                         \
    QVERIFY2(QFileInfo(var).isFile(), qPrintable(QStringLiteral("missing test fixture: ") + var))
