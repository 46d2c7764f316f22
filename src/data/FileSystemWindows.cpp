#include "data/FileSystem.h"

#include <QDir>
#include <QFileDevice>

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace arb::fs {

namespace {
// MinGW frees a thread's thread_local storage before it runs their
// destructors, and QRegularExpression keeps its JIT stack in one: a thread
// that had matched a pattern (the daily copy, the PostgreSQL driver's
// version check) crashed as it ended. Without the JIT there is no such
// stack. Set before main, ahead of the first pattern.
[[maybe_unused]] const bool regexJitOff = qputenv("QT_ENABLE_REGEXP_JIT", "0");

QString lastError(DWORD code = GetLastError())
{
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    const QString s = text ? QString::fromWCharArray(text).trimmed() : QStringLiteral("ralat %1").arg(code);
    LocalFree(text);
    return s;
}

// Long paths (past 260 characters) and UNC shares need the \\?\ form.
std::wstring native(const QString &path)
{
    QString p = QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
    if (p.startsWith(QLatin1String("\\\\?\\")))
        return p.toStdWString();
    if (p.startsWith(QLatin1String("\\\\")))
        p = QLatin1String("\\\\?\\UNC\\") + p.mid(2);
    else
        p = QLatin1String("\\\\?\\") + p;
    return p.toStdWString();
}
} // namespace

bool syncFile(QFileDevice &file, QString *error)
{
    const HANDLE h = HANDLE(_get_osfhandle(file.handle()));
    if (h != INVALID_HANDLE_VALUE && FlushFileBuffers(h))
        return true;
    if (error)
        *error = lastError();
    return false;
}

void syncFolder(const QString &)
{
    // NTFS records the new name with the rename itself (MOVEFILE_WRITE_THROUGH).
}

bool occupied(const QString &path)
{
    return GetFileAttributesW(native(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool replaceFile(const QString &from, const QString &to, QString *error)
{
    if (MoveFileExW(native(from).c_str(), native(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (error)
        *error = lastError();
    return false;
}

bool linkFile(const QString &existing, const QString &name, QString *error)
{
    if (CreateHardLinkW(native(name).c_str(), native(existing).c_str(), nullptr))
        return true;
    if (error)
        *error = lastError();
    return false;
}

bool openElsewhere(const QString &path)
{
    // A program that has the file open denies us sole access to it.
    const HANDLE h = CreateFileW(native(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION || GetLastError() == ERROR_LOCK_VIOLATION;
    CloseHandle(h);
    return false;
}

bool processAlive(qint64 pid)
{
    if (pid <= 0)
        return false;
    const HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!h)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
    CloseHandle(h);
    return running;
}

QString pathProblem(const QString &path)
{
    const QString full = QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
    if (full.size() > 2 && full.at(1) == QLatin1Char(':')) {
        const std::wstring root = full.left(3).toStdWString();
        if (GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR)
            return QStringLiteral("Pemacu %1 tiada pada komputer ini: %2").arg(full.left(2), QStringLiteral("%1"));
    }
    // After the drive's colon or the share's two backslashes.
    for (const QChar c : full.mid(2))
        if (c.unicode() < 32 || QStringLiteral("<>:\"|?*").contains(c))
            return QStringLiteral("Nama fail atau folder mengandungi aksara yang tidak dibenarkan oleh Windows "
                                  "(< > : \" | ? *): %1");
    if (full.size() > 259)
        return QStringLiteral("Laluan terlalu panjang untuk Windows (lebih daripada 259 aksara): %1\n"
                              "Pilih folder dengan laluan yang lebih pendek.");
    return {};
}

void binaryStandardStreams()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

QString defaultStoreFolder()
{
    if (GetDriveTypeW(L"D:\\") != DRIVE_NO_ROOT_DIR)
        return QStringLiteral("D:/kontraktor");
    return QDir::homePath() + QStringLiteral("/kontraktor"); // %USERPROFILE%
}

} // namespace arb::fs
