#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace arb::bench {

struct Timing
{
    double median = 0; // seconds
    double min = 0;
};

// Deleted windows go, pending events run, message boxes are forgotten.
void settle();
// Closes every window shown, then settles.
void closeAll();

// Whether a group runs: every group when only is empty, else those whose
// name holds one of its entries (--only, given once or more, or as a list
// with commas).
bool wantsGroup(const QStringList &only, const QString &group);

// The process's peak resident memory in MB since it started, or since the
// last resetPeakMemory(), which first gives freed memory back to the system
// (Linux: /proc/self/clear_refs).
double peakMemoryMB();
void resetPeakMemory();

// Median and least of some times, in seconds.
Timing summary(std::vector<double> seconds);

// Runs op `reps` times, setup (untimed) before each run.
Timing measure(int reps, const std::function<void()> &setup, const std::function<void()> &op);

struct Row
{
    QString operation;
    Timing time;
    QString against;     // floor or reference named
    double against_s = 0; // its median, seconds; 0 when none
    QString budget;      // as written in the table
    bool holds = true;
    bool hasBudget = true;
};

class Table
{
public:
    void add(const Row &row);
    QString text() const;
    QString json(int count) const;
    bool allHold() const;
    const QList<Row> &rows() const { return m_rows; }

private:
    QList<Row> m_rows;
};

} // namespace arb::bench
