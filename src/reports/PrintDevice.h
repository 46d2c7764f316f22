#pragma once

#include <QFont>
#include <QList>
#include <QPageSize>
#include <QPrinter>
#include <QRectF>
#include <QString>

#include <optional>

namespace arb {

// What the clerk chose in the printer dialog. Once chosen it holds for every
// later job of the session; until then each printer keeps its own settings.
struct PrintSetup
{
    QString printerName; // empty: the default printer
    QString outputFile;  // "print to file": the PDF file named; empty: a printer
    QPageSize pageSize;  // invalid: the printer's own paper
    bool landscape = false; // for jobs that set no orientation of their own
    int copies = 1;
    bool collate = true; // whole copies one after the other (a file is always so)
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    QPrinter::ColorMode colorMode = QPrinter::Color;

    // What a print dialog left on its printer.
    static PrintSetup of(const QPrinter &printer);
    // Paper, orientation, copies, duplex and colour onto a printer; the
    // printer or file itself is chosen where the device is made.
    void applyTo(QPrinter &printer) const;
    bool operator==(const PrintSetup &) const = default;
};

// Where printed pages go. Everything is in twips from the top-left corner of
// the printable area. The Printer drives it; reports never see a device.
class PrintDevice
{
public:
    virtual ~PrintDevice() = default;
    // The first output of a job opens it; chosen is the printer dialog's
    // choice, none when the clerk has not used it.
    virtual void beginJob(const QString &jobName, bool landscape, const std::optional<PrintSetup> &chosen) = 0;
    // One line of text with its top-left corner at (x, y); clipped to clip
    // when clip is not empty.
    virtual void drawText(double x, double y, const QString &text, const QFont &font, const QRectF &clip) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void newPage() = 0;
    virtual void endJob() = 0;
    // Measures, in twips, in the device's own font metrics.
    virtual double lineHeight(const QFont &font) const = 0;
    virtual double textWidth(const QFont &font, const QString &text) const = 0;
};

// What the recorder keeps: every text and line with its position and font.
struct RecordedText
{
    double x = 0;
    double y = 0;
    QString text;
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    QRectF clip; // empty: not clipped
};

struct RecordedLine
{
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct RecordedPage
{
    QList<RecordedText> texts;
    QList<RecordedLine> lines;
};

struct RecordedJob
{
    QString name;
    bool landscape = false;
    bool ended = false; // EndDoc reached
    std::optional<PrintSetup> setup; // the printer dialog's choice the job was given
    QList<RecordedPage> pages;
};

} // namespace arb
