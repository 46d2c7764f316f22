#pragma once

#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

namespace arb {

// Where printed pages go. Everything is in twips from the top-left corner of
// the printable area. The Printer drives it; reports never see a device.
class PrintDevice
{
public:
    virtual ~PrintDevice() = default;
    // The first output of a job opens it.
    virtual void beginJob(const QString &jobName, bool landscape) = 0;
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
    QList<RecordedPage> pages;
};

} // namespace arb
