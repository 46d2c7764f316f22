#include "reports/PrintRecorder.h"

#include "reports/Printer.h"

namespace arb {

namespace {

// Keeps what a job draws in the recorder's list, with fixed metrics so that
// positions do not depend on the fonts a machine has.
class RecordingDevice : public PrintDevice
{
public:
    explicit RecordingDevice(QList<RecordedJob> &jobs)
        : m_jobs(jobs)
    {
    }

    void beginJob(const QString &jobName, bool landscape, const std::optional<PrintSetup> &chosen) override
    {
        RecordedJob job;
        job.name = jobName;
        job.landscape = landscape;
        job.setup = chosen;
        job.pages.append(RecordedPage());
        m_jobs.append(job);
        m_index = int(m_jobs.size()) - 1;
    }

    void drawText(double x, double y, const QString &text, const QFont &font, const QRectF &clip) override
    {
        RecordedText t;
        t.x = x;
        t.y = y;
        t.text = text;
        t.fontName = font.family();
        t.fontSize = font.pointSizeF();
        t.bold = font.bold();
        t.clip = clip;
        page().texts.append(t);
    }

    void drawLine(double x1, double y1, double x2, double y2) override
    {
        page().lines.append(RecordedLine{x1, y1, x2, y2});
    }

    void newPage() override { job().pages.append(RecordedPage()); }
    void endJob() override { job().ended = true; }

    double lineHeight(const QFont &font) const override { return 1.2 * font.pointSizeF() * 20; }
    double textWidth(const QFont &font, const QString &text) const override
    {
        return 0.5 * font.pointSizeF() * 20 * double(text.size());
    }

private:
    RecordedJob &job()
    {
        if (m_index < 0 || m_index >= m_jobs.size()) { // cleared while the job was open
            m_jobs.append(RecordedJob());
            m_jobs.last().pages.append(RecordedPage());
            m_index = int(m_jobs.size()) - 1;
        }
        return m_jobs[m_index];
    }
    RecordedPage &page() { return job().pages.last(); }

    QList<RecordedJob> &m_jobs;
    int m_index = -1;
};

} // namespace

PrintRecorder::PrintRecorder()
{
    Printer::setDeviceFactory([this](const QString &) { return std::make_unique<RecordingDevice>(m_jobs); });
}

PrintRecorder::~PrintRecorder()
{
    Printer::resetDeviceFactory();
}

const QList<RecordedJob> &PrintRecorder::jobs() const
{
    return m_jobs;
}

void PrintRecorder::clear()
{
    m_jobs.clear();
}

QList<RecordedText> PrintRecorder::allTexts() const
{
    QList<RecordedText> out;
    if (m_jobs.isEmpty())
        return out;
    for (const RecordedPage &p : m_jobs.last().pages)
        out += p.texts;
    return out;
}

} // namespace arb
