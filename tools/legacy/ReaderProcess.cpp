#include "legacy/ReaderProcess.h"

#include "data/Connection.h"
#include "legacy/Frames.h"
#include "legacy/MdbReader.h"
#include "data/Failure.h"

#include <QFileInfo>
#include <QProcess>

namespace arb::legacy {

namespace {
const QString kDamaged = QStringLiteral("Fail Access ini rosak dan tidak dapat dibaca: %1");
// A reader that says nothing for this long is stuck in a damaged file.
constexpr int kSilenceMs = 120000;
} // namespace

int runReader(const QString &path, const QStringList &tables, QIODevice &out)
{
    FrameWriter writer(out);
    try {
        MdbReader reader(path);
        const QStringList all = reader.tables();
        writer.tables(all);
        for (const QString &t : tables.isEmpty() ? all : tables)
            reader.read(t, writer);
        writer.done();
        return 0;
    } catch (const Failure &f) {
        writer.error(f.message(), f.detail());
        return 1;
    }
}

void readInChild(const QString &program, const QString &path, const QStringList &tables, LegacySink &sink)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw Failure(QStringLiteral("Fail tidak dijumpai: %1").arg(path));
    if (!info.isReadable())
        throw Failure(QStringLiteral("Fail tidak dapat dibaca: %1").arg(path));
    if (info.size() == 0)
        throw Failure(QStringLiteral("Fail ini kosong, bukan pangkalan data Access: %1").arg(path));
    if (!Connection::looksLikeAccessFile(path))
        throw Failure(QStringLiteral("Fail ini bukan pangkalan data Access: %1").arg(path));

    QProcess child;
    child.setProgram(program);
    child.setArguments(QStringList{kReaderCommand, path} + tables);
    // libmdb can print a warning per row of a damaged file: never keep it.
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(QIODevice::ReadOnly);
    if (!child.waitForStarted())
        throw Failure(QStringLiteral("Pembaca fail Access tidak dapat dimulakan."), child.errorString());
    const auto stop = [&child] {
        child.kill();
        child.waitForFinished();
    };

    FrameReader frames(sink);
    try {
        while (true) {
            const QByteArray chunk = child.readAllStandardOutput();
            if (!chunk.isEmpty()) {
                frames.feed(chunk);
                continue;
            }
            if (child.state() == QProcess::NotRunning)
                break;
            if (!child.waitForReadyRead(kSilenceMs) && child.state() == QProcess::Running
                && child.bytesAvailable() == 0) {
                stop();
                throw Failure(kDamaged.arg(path), QStringLiteral("pembaca tidak menjawab"));
            }
        }
        frames.feed(child.readAllStandardOutput());
    } catch (...) {
        if (child.state() != QProcess::NotRunning)
            stop();
        throw;
    }
    child.waitForFinished();
    if (child.exitStatus() != QProcess::NormalExit)
        throw Failure(kDamaged.arg(path), QStringLiteral("pembaca terhenti: %1").arg(child.errorString()));
    if (!frames.done() || frames.pending() != 0 || child.exitCode() != 0)
        throw Failure(kDamaged.arg(path), QStringLiteral("bacaan tidak lengkap, kod %1").arg(child.exitCode()));
}

} // namespace arb::legacy
