#include "legacy/Frames.h"

#include "data/Failure.h"

#include <QtEndian>

namespace arb::legacy {

namespace {
const QString kBrokenStream = QStringLiteral("Pembaca fail Access berhenti di tengah jalan.");

void putLength(QByteArray &out, quint32 n)
{
    char b[4];
    qToBigEndian(n, b);
    out.append(b, 4);
}

quint32 takeLength(const QByteArray &in, qsizetype at)
{
    return qFromBigEndian<quint32>(in.constData() + at);
}
} // namespace

QByteArray encodeValues(const QVariantList &values)
{
    QByteArray out;
    putLength(out, quint32(values.size()));
    for (const QVariant &v : values) {
        if (v.isNull()) {
            out.append('\0');
            continue;
        }
        const QByteArray text = v.toString().toUtf8();
        out.append('\1');
        putLength(out, quint32(text.size()));
        out.append(text);
    }
    return out;
}

QVariantList decodeValues(const QByteArray &payload)
{
    const auto broken = [] { return Failure(kBrokenStream, QStringLiteral("bingkai rosak")); };
    if (payload.size() < 4)
        throw broken();
    const quint32 count = takeLength(payload, 0);
    qsizetype at = 4;
    QVariantList out;
    for (quint32 i = 0; i < count; ++i) {
        if (at >= payload.size())
            throw broken();
        const char present = payload.at(at++);
        if (present == '\0') {
            out << QVariant();
            continue;
        }
        if (present != '\1' || payload.size() - at < 4)
            throw broken();
        const quint32 n = takeLength(payload, at);
        at += 4;
        if (quint64(payload.size() - at) < n)
            throw broken();
        out << QString::fromUtf8(payload.constData() + at, qsizetype(n));
        at += n;
    }
    if (at != payload.size())
        throw broken();
    return out;
}

void FrameWriter::write(char kind, const QVariantList &values)
{
    const QByteArray payload = encodeValues(values);
    QByteArray frame;
    frame.reserve(payload.size() + 5);
    frame.append(kind);
    putLength(frame, quint32(payload.size()));
    frame.append(payload);
    m_out.write(frame);
}

void FrameWriter::tables(const QStringList &names)
{
    QVariantList v;
    for (const QString &n : names)
        v << n;
    write(Frame::Tables, v);
}

void FrameWriter::beginTable(const QString &name, const QStringList &columns)
{
    QVariantList v{name};
    for (const QString &c : columns)
        v << c;
    write(Frame::Begin, v);
}

void FrameWriter::row(const QVariantList &values)
{
    write(Frame::Row, values);
}

void FrameWriter::endTable(qint64 rowCount)
{
    write(Frame::End, {QString::number(rowCount)});
}

void FrameWriter::altered(int column, const QString &what)
{
    write(Frame::Altered, {QString::number(column), what});
}

void FrameWriter::error(const QString &message, const QString &detail)
{
    write(Frame::Error, {message, detail});
}

void FrameWriter::done()
{
    write(Frame::Done, {});
}

void FrameReader::feed(const QByteArray &bytes)
{
    m_buffer.append(bytes);
    qsizetype at = 0;
    while (m_buffer.size() - at >= 5) {
        const quint32 n = takeLength(m_buffer, at + 1);
        if (quint64(m_buffer.size() - at - 5) < n)
            break;
        const char kind = m_buffer.at(at);
        const QByteArray payload = m_buffer.mid(at + 5, qsizetype(n));
        at += 5 + qsizetype(n);
        if (m_done)
            throw Failure(kBrokenStream, QStringLiteral("data selepas tamat"));
        dispatch(kind, decodeValues(payload));
    }
    m_buffer.remove(0, at);
}

void FrameReader::dispatch(char kind, const QVariantList &values)
{
    QStringList texts;
    for (const QVariant &v : values)
        texts << v.toString();
    switch (kind) {
    case Frame::Tables:
        m_sink.tables(texts);
        return;
    case Frame::Begin:
        if (texts.isEmpty() || m_inTable)
            break;
        m_inTable = true;
        m_sink.beginTable(texts.first(), texts.mid(1));
        return;
    case Frame::Row:
        if (!m_inTable)
            break;
        m_sink.row(values);
        return;
    case Frame::End:
        if (!m_inTable || texts.size() != 1)
            break;
        m_inTable = false;
        m_sink.endTable(texts.first().toLongLong());
        return;
    case Frame::Altered:
        if (!m_inTable || texts.size() != 2)
            break;
        m_sink.altered(texts.first().toInt(), texts.at(1));
        return;
    case Frame::Error:
        throw Failure(texts.value(0, kBrokenStream), texts.value(1));
    case Frame::Done:
        if (m_inTable)
            break;
        m_done = true;
        return;
    default:
        break;
    }
    throw Failure(kBrokenStream, QStringLiteral("bingkai tidak dijangka: %1").arg(QLatin1Char(kind)));
}

} // namespace arb::legacy
