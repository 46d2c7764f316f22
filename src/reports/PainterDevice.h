#pragma once

#include "reports/PrintDevice.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <memory>

class QPrinterInfo;

namespace arb {

// Pages painted with QPainter on a QPrinter: a real printer, or a PDF file
// when the machine has none. Twips are mapped to device units from the
// top-left corner of the printable area.
class PainterDevice : public PrintDevice
{
public:
    // The named printer as the print dialog left it.
    static std::unique_ptr<PainterDevice> forPrinter(const QPrinterInfo &info);
    // A PDF file at the given path (its folder is created when missing).
    static std::unique_ptr<PainterDevice> forPdf(const QString &filePath);

    // <documents>/ARB/<job name> <time>.pdf: where a job goes without a printer.
    static QString pdfPathFor(const QString &jobName, const QDateTime &when = QDateTime::currentDateTime());

    ~PainterDevice() override;

    void beginJob(const QString &jobName, bool landscape, const std::optional<PrintSetup> &chosen) override;
    void drawText(double x, double y, const QString &text, const QFont &font, const QRectF &clip) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void newPage() override;
    void endJob() override;
    double lineHeight(const QFont &font) const override;
    double textWidth(const QFont &font, const QString &text) const override;

    QString outputFile() const { return m_printer->outputFileName(); }
    // The printer the pages are painted on, for what it was set to.
    const QPrinter &printer() const { return *m_printer; }

private:
    void checkPdfOnDisk(const QString &path);
    bool m_pdfOpen = false; // a PDF job begun and not yet ended whole
    // One drawing step, kept to paint the further copies a device cannot make.
    struct Step
    {
        enum Kind { Text, Line, Page } kind;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        QString text;
        QFont font;
        QRectF clip;
    };

    explicit PainterDevice(std::unique_ptr<QPrinter> printer);
    void paint(const Step &step);
    double toDevice(double twips) const;
    double toTwips(double device) const;
    QString where() const;

    // The metrics of the font measured last, kept for the next measure.
    const QFontMetricsF &metrics(const QFont &font) const;

    std::unique_ptr<QPrinter> m_printer;
    mutable std::optional<std::pair<QFont, QFontMetricsF>> m_metrics;
    QPainter m_painter;
    double m_dpi = 1200;
    int m_copies = 1; // painted here: a PDF file makes no copies of its own
    QList<Step> m_steps;
};

} // namespace arb
