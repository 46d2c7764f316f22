#include "Harness.h"

#include "platform/MessageBox.h"

#include <QApplication>
#include <QWidget>

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>
#include <algorithm>
#include <malloc.h>
#include <vector>

namespace arb::bench {

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    MessageBox::takeShown();
}

void closeAll()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->close();
    settle();
}

double peakMemoryMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void resetPeakMemory()
{
    // What was freed goes back first, so that it does not count on.
    malloc_trim(0);
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

bool wantsGroup(const QStringList &only, const QString &group)
{
    if (only.isEmpty())
        return true;
    for (const QString &o : only)
        if (group.contains(o))
            return true;
    return false;
}

Timing measure(int reps, const std::function<void()> &setup, const std::function<void()> &op)
{
    std::vector<double> t;
    for (int i = 0; i < reps; ++i) {
        if (setup)
            setup();
        QElapsedTimer timer;
        timer.start();
        op();
        t.push_back(timer.nsecsElapsed() / 1e9);
    }
    return summary(t);
}

Timing summary(std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    Timing r;
    if (t.empty())
        return r;
    r.min = t.front();
    r.median = t.size() % 2 ? t[t.size() / 2] : (t[t.size() / 2 - 1] + t[t.size() / 2]) / 2;
    return r;
}

void Table::add(const Row &row)
{
    m_rows.append(row);
}

bool Table::allHold() const
{
    return std::all_of(m_rows.begin(), m_rows.end(), [](const Row &r) { return r.holds; });
}

QString Table::text() const
{
    QString out = QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                      .arg(QStringLiteral("operation"), -44)
                      .arg(QStringLiteral("median"), 9)
                      .arg(QStringLiteral("min"), 9)
                      .arg(QStringLiteral("floor/reference"), -34)
                      .arg(QStringLiteral("ratio"), 7)
                      .arg(QStringLiteral("budget"), -16)
                      .arg(QStringLiteral("holds"));
    for (const Row &r : m_rows) {
        const bool mem = r.operation.startsWith(QLatin1String("peak"));
        const QString median = mem ? QStringLiteral("%1 MB").arg(r.time.median, 0, 'f', 0) : QStringLiteral("%1 s").arg(r.time.median, 0, 'f', 3);
        const QString min = mem ? QString() : QStringLiteral("%1 s").arg(r.time.min, 0, 'f', 3);
        const QString against = r.against.isEmpty() ? QStringLiteral("-")
            : r.against_s > 0                       ? QStringLiteral("%1 %2 s").arg(r.against).arg(r.against_s, 0, 'f', 3)
                                                    : r.against;
        const QString ratio = r.against_s > 0 ? QStringLiteral("%1x").arg(r.time.median / r.against_s, 0, 'f', 2) : QStringLiteral("-");
        out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                   .arg(r.operation, -44)
                   .arg(median, 9)
                   .arg(min, 9)
                   .arg(against, -34)
                   .arg(ratio, 7)
                   .arg(r.hasBudget ? r.budget : QStringLiteral("-"), -16)
                   .arg(r.hasBudget ? (r.holds ? QStringLiteral("yes") : QStringLiteral("NO")) : QStringLiteral("-"));
    }
    return out;
}

QString Table::json(int count) const
{
    QJsonArray rows;
    for (const Row &r : m_rows) {
        QJsonObject o;
        o[QStringLiteral("operation")] = r.operation;
        o[QStringLiteral("median")] = r.time.median;
        o[QStringLiteral("min")] = r.time.min;
        if (!r.against.isEmpty()) {
            o[QStringLiteral("against")] = r.against;
            o[QStringLiteral("against_median")] = r.against_s;
            o[QStringLiteral("ratio")] = r.against_s > 0 ? r.time.median / r.against_s : 0;
        }
        if (r.hasBudget) {
            o[QStringLiteral("budget")] = r.budget;
            o[QStringLiteral("holds")] = r.holds;
        }
        rows.append(o);
    }
    QJsonObject doc;
    doc[QStringLiteral("count")] = count;
    doc[QStringLiteral("machine")] = QSysInfo::prettyProductName() + QStringLiteral(" ") + QSysInfo::currentCpuArchitecture();
    doc[QStringLiteral("rows")] = rows;
    return QString::fromUtf8(QJsonDocument(doc).toJson());
}

} // namespace arb::bench
