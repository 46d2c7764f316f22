#pragma once

#include <QString>
#include <stdexcept>

namespace arb {

// The one failure type of the system: a Malay sentence for the clerk and the
// technical detail for whoever has to mend it. Data and printer operations
// throw it; one guard in the windows reports it.
class Failure : public std::runtime_error
{
public:
    Failure(const QString &message, const QString &detail = QString())
        : std::runtime_error((message + QStringLiteral(" | ") + detail).toStdString())
        , m_message(message)
        , m_detail(detail)
    {
    }

    const QString &message() const { return m_message; }
    const QString &detail() const { return m_detail; }

private:
    QString m_message;
    QString m_detail;
};

} // namespace arb
