#pragma once

#include "legacy/LegacySink.h"

#include <QByteArray>
#include <QIODevice>

namespace arb::legacy {

// The stream between the reader process and arb-admin: frames of one kind
// byte, a 32-bit big-endian payload length and the payload. A payload is a
// list of values, each a presence byte (0 null, 1 text), a 32-bit length
// and UTF-8 bytes. The last frame is Done or Error; a stream that stops
// before it means the reader died.
namespace Frame {
constexpr char Tables = 'L';
constexpr char Begin = 'T';
constexpr char Row = 'R';
constexpr char End = 'N';
constexpr char Altered = 'A';
constexpr char Error = 'E';
constexpr char Done = 'D';
} // namespace Frame

// Writes what the reader finds as frames.
class FrameWriter : public LegacySink
{
public:
    explicit FrameWriter(QIODevice &out) : m_out(out) {}

    void tables(const QStringList &names) override;
    void beginTable(const QString &name, const QStringList &columns) override;
    void row(const QVariantList &values) override;
    void endTable(qint64 rowCount) override;
    void altered(int column, const QString &what) override;
    void error(const QString &message, const QString &detail);
    void done();

private:
    void write(char kind, const QVariantList &values);
    QIODevice &m_out;
};

// Turns bytes back into calls on a sink. Throws Failure on a malformed
// frame and on an Error frame.
class FrameReader
{
public:
    explicit FrameReader(LegacySink &sink) : m_sink(sink) {}

    void feed(const QByteArray &bytes);
    bool done() const { return m_done; }
    // Bytes held that do not yet make a whole frame.
    qsizetype pending() const { return m_buffer.size(); }

private:
    void dispatch(char kind, const QVariantList &values);

    LegacySink &m_sink;
    QByteArray m_buffer;
    bool m_done = false;
    bool m_inTable = false;
};

QByteArray encodeValues(const QVariantList &values);
// Throws Failure when the payload is not a whole list.
QVariantList decodeValues(const QByteArray &payload);

} // namespace arb::legacy
