#include "reports/PainterDevice.h"

#include "data/FileSystem.h"

#include "data/StoreError.h"
#include "data/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPen>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>

#include <algorithm>
#include <utility>

namespace arb {

namespace {
constexpr double kTwipsPerInch = 1440.0;
} // namespace

PainterDevice::PainterDevice(std::unique_ptr<QPrinter> printer)
    : m_printer(std::move(printer))
{
    m_dpi = m_printer->resolution();
}

PainterDevice::~PainterDevice()
{
    if (m_painter.isActive())
        m_painter.end();
    // A PDF whose job did not end whole is not left behind.
    if (m_pdfOpen)
        QFile::remove(m_printer->outputFileName());
}

std::unique_ptr<PainterDevice> PainterDevice::forPrinter(const QPrinterInfo &info)
{
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    return std::unique_ptr<PainterDevice>(new PainterDevice(std::move(printer)));
}

std::unique_ptr<PainterDevice> PainterDevice::forPdf(const QString &filePath)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(filePath);
    // Paper as the council's printers take it: A4 with the quarter-inch margin
    // a laser printer cannot reach, so the file prints the same on any of them.
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
    return std::unique_ptr<PainterDevice>(new PainterDevice(std::move(printer)));
}

QString PainterDevice::pdfPathFor(const QString &jobName, const QDateTime &when)
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    QString name = jobName.trimmed();
    static const QRegularExpression unsafe(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    name.replace(unsafe, QStringLiteral("_"));
    if (name.isEmpty())
        name = QStringLiteral("Cetakan");
    const QString stem = QDir(documents).filePath(
        QStringLiteral("ARB/%1 %2").arg(name, when.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"))));
    // Two jobs in one second must not overwrite each other.
    QString path = stem + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral(" (%1).pdf").arg(n);
    return path;
}

PrintSetup PrintSetup::of(const QPrinter &printer)
{
    PrintSetup s;
    if (printer.outputFormat() == QPrinter::NativeFormat)
        s.printerName = printer.printerName();
    else if (const QString file = printer.outputFileName(); !file.isEmpty() && !file.endsWith(QLatin1Char('/')) && !QFileInfo(file).isDir())
        s.outputFile = file;
    // else "print to file" with only a folder: the file is not named, so the
    // pages go where they would without a choice.
    s.pageSize = printer.pageLayout().pageSize();
    s.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    s.copies = std::max(1, printer.copyCount());
    s.collate = printer.collateCopies();
    s.duplex = printer.duplex();
    s.colorMode = printer.colorMode();
    return s;
}

void PrintSetup::applyTo(QPrinter &printer) const
{
    if (pageSize.isValid())
        printer.setPageSize(pageSize);
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setCopyCount(copies);
    printer.setCollateCopies(collate);
    printer.setDuplex(duplex);
    printer.setColorMode(colorMode);
}

QString PainterDevice::where() const
{
    if (m_printer->outputFormat() == QPrinter::PdfFormat)
        return m_printer->outputFileName();
    return m_printer->printerName();
}

double PainterDevice::toDevice(double twips) const
{
    return twips * m_dpi / kTwipsPerInch;
}

double PainterDevice::toTwips(double device) const
{
    return device * kTwipsPerInch / m_dpi;
}

void PainterDevice::beginJob(const QString &jobName, bool landscape, const std::optional<PrintSetup> &chosen)
{
    m_printer->setDocName(jobName);
    if (chosen) {
        chosen->applyTo(*m_printer);
        // A printer makes its copies itself; for a file they are painted here.
        if (!m_printer->supportsMultipleCopies())
            m_copies = std::max(1, chosen->copies);
    }
    m_printer->setFullPage(false); // origin at the printable area's corner
    m_printer->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        const QString folder = QFileInfo(m_printer->outputFileName()).absolutePath();
        if (!QDir().mkpath(folder))
            throw Failure(QStringLiteral("Folder untuk fail cetakan tidak dapat dibuat."), folder);
    }
    if (!m_painter.begin(m_printer.get()))
        throw Failure(QStringLiteral("Pencetak tidak dapat digunakan."), QStringLiteral("cannot start printing on %1").arg(where()));
    m_pdfOpen = m_printer->outputFormat() == QPrinter::PdfFormat;
    m_dpi = m_printer->resolution();
    m_metrics.reset(); // measured again on the printer as it now stands
    QPen pen(Qt::black);
    pen.setWidthF(m_dpi / 150.0);
    m_painter.setPen(pen);
}

void PainterDevice::paint(const Step &step)
{
    switch (step.kind) {
    case Step::Text: {
        m_painter.setFont(step.font);
        const QRectF &clip = step.clip;
        if (clip.isEmpty())
            m_painter.setClipping(false);
        else
            m_painter.setClipRect(QRectF(toDevice(clip.left()), toDevice(clip.top()), toDevice(clip.width()), toDevice(clip.height())));
        const QFontMetricsF fm(step.font, m_printer.get());
        m_painter.drawText(QPointF(toDevice(step.x1), toDevice(step.y1) + fm.ascent()), step.text);
        m_painter.setClipping(false);
        break;
    }
    case Step::Line:
        m_painter.drawLine(QPointF(toDevice(step.x1), toDevice(step.y1)), QPointF(toDevice(step.x2), toDevice(step.y2)));
        break;
    case Step::Page:
        if (!m_printer->newPage()) {
            // A full disk shows first as a page the PDF writer cannot begin.
            if (m_pdfOpen) {
                m_painter.end();
                checkPdfOnDisk(m_printer->outputFileName());
            }
            throw Failure(QStringLiteral("Halaman baru tidak dapat dimulakan pada pencetak."), where());
        }
        break;
    }
    if (m_copies > 1)
        m_steps.append(step);
}

void PainterDevice::drawText(double x, double y, const QString &text, const QFont &font, const QRectF &clip)
{
    paint(Step{Step::Text, x, y, 0, 0, text, font, clip});
}

void PainterDevice::drawLine(double x1, double y1, double x2, double y2)
{
    paint(Step{Step::Line, x1, y1, x2, y2, {}, {}, {}});
}

void PainterDevice::newPage()
{
    paint(Step{Step::Page});
}

void PainterDevice::endJob()
{
    // Further copies, collated: each one the whole job again from its first page.
    const QList<Step> steps = std::exchange(m_steps, {});
    const int copies = std::exchange(m_copies, 1);
    for (int c = 1; c < copies && m_painter.isActive(); ++c) {
        paint(Step{Step::Page});
        for (const Step &step : steps)
            paint(step);
    }
    if (m_painter.isActive() && !m_painter.end())
        throw Failure(QStringLiteral("Cetakan tidak dapat dihantar ke pencetak."), where());
    if (m_printer->printerState() == QPrinter::Error)
        throw Failure(QStringLiteral("Cetakan tidak dapat dihantar ke pencetak."), where());
    if (m_pdfOpen) {
        checkPdfOnDisk(m_printer->outputFileName());
        m_pdfOpen = false;
    }
}

void PainterDevice::checkPdfOnDisk(const QString &path)
{
    // The PDF writer does not report a short write: the file is read back
    // to its last line and synced, and a cut file is removed.
    QFile file(path);
    bool whole = false;
    if (file.open(QIODevice::ReadWrite) && file.size() > 16) {
        file.seek(file.size() - 16);
        whole = file.read(16).contains("%%EOF") && fs::syncFile(file);
    }
    file.close();
    if (whole)
        return;
    m_pdfOpen = false;
    QFile::remove(path);
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    const QString reason = disk.bytesAvailable() < (1 << 20) ? QString::fromLocal8Bit(std::strerror(ENOSPC))
                                                             : QStringLiteral("fail PDF tidak lengkap");
    throw outputFailure(path, reason);
}

const QFontMetricsF &PainterDevice::metrics(const QFont &font) const
{
    if (!m_metrics || m_metrics->first != font)
        m_metrics.emplace(font, QFontMetricsF(font, m_printer.get()));
    return m_metrics->second;
}

double PainterDevice::lineHeight(const QFont &font) const
{
    return toTwips(metrics(font).height());
}

double PainterDevice::textWidth(const QFont &font, const QString &text) const
{
    return toTwips(metrics(font).horizontalAdvance(text));
}

} // namespace arb
