#include "data/Convert.h"

#include "data/Failure.h"

#include <QRegularExpression>
#include <cmath>

namespace arb {

std::optional<double> textToNumber(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^[ \t]*([+-]?(?:[0-9]+(?:\.[0-9]*)?|\.[0-9]+)(?:[eE][+-]?[0-9]+)?)[ \t]*$)"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = m.captured(1).toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString valueToText(const QVariant &value, const QString &field)
{
    if (value.isNull())
        throw Failure(QStringLiteral("Medan \"%1\" tidak mempunyai nilai.").arg(field),
                      QStringLiteral("null value in field %1").arg(field));
    return value.toString();
}

QString valueToTextOrEmpty(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

std::optional<qint64> registrationSerial(const QString &noDaftar)
{
    const QString serial = noDaftar.mid(noDaftar.lastIndexOf(QLatin1Char('/')) + 1).trimmed();
    // Eighteen digits always fit, one more than the highest included.
    if (serial.isEmpty() || serial.size() > 18)
        return std::nullopt;
    for (const QChar ch : serial)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return std::nullopt;
    return serial.toLongLong();
}

QString trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

int findNul(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &v = values.at(i);
        if (v.metaType().id() == QMetaType::QString && v.toString().contains(QChar(0)))
            return i;
        if (v.metaType().id() == QMetaType::QByteArray && v.toByteArray().contains('\0'))
            return i;
    }
    return -1;
}

QString describeRow(const QString &table, const QStringList &fields, const QVariantList &values)
{
    const auto text = [&](int i) { return valueToTextOrEmpty(values.value(i)).replace(QChar(0), QStringLiteral("\\0")); };
    const int number = fields.indexOf(QStringLiteral("NoDaftar"));
    const int name = fields.indexOf(QStringLiteral("NamaSyarikat"));
    if (table != QLatin1String("kontraktor") || number < 0)
        return QStringLiteral("rekod jadual %1").arg(table);
    if (name < 0)
        return QStringLiteral("kontraktor %1").arg(text(number));
    return QStringLiteral("kontraktor %1 (%2)").arg(text(number), text(name));
}

Failure nulFailure(const QString &row, const QString &field)
{
    return Failure(QStringLiteral("Medan %1 bagi %2 mengandungi aksara NUL yang tidak diterima oleh pelayan pangkalan data. "
                                  "Buang aksara itu dan cuba sekali lagi.")
                       .arg(field, row),
                   QStringLiteral("NUL in %1 of %2").arg(field, row));
}

} // namespace arb
