#pragma once

#include "reports/PrintDevice.h"

namespace arb {

// For tests: while an instance lives, every Printer job goes to it instead of
// a printer. Measures with fixed metrics (a line is 1.2 × the font size in
// points × 20 twips; a character is 0.5 × that size × 20 twips wide).
class PrintRecorder
{
public:
    PrintRecorder();
    ~PrintRecorder();
    PrintRecorder(const PrintRecorder &) = delete;
    PrintRecorder &operator=(const PrintRecorder &) = delete;

    const QList<RecordedJob> &jobs() const;
    void clear();
    // All texts of all pages of the last job, in order.
    QList<RecordedText> allTexts() const;

private:
    QList<RecordedJob> m_jobs;
};

} // namespace arb
