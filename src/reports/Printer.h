#pragma once

#include "reports/PrintDevice.h"

#include <functional>
#include <memory>

namespace arb {

// The printer surface every report prints through, in twips: CurrentX and
// CurrentY, font name, size and bold, Print, Line from a point with an
// offset, NewPage, EndDoc, Orientation. The first output opens the job on
// the device the factory gives. Failures throw arb::Failure.
class Printer
{
public:
    explicit Printer(const QString &jobName);
    ~Printer(); // a job not ended by endDoc() is ended here

    void setOrientation(int orientation); // 1 portrait, 2 landscape
    void setCurrentX(double twips);
    void setCurrentY(double twips);
    double currentX() const;
    double currentY() const;
    void setFontName(const QString &name);
    void setFontSize(double points);
    void setFontBold(bool bold);

    // Writes the text at (CurrentX, CurrentY), then CurrentX = 0 and
    // CurrentY one line lower. A line break inside the text starts the next
    // line at the left edge, one line lower; a tab advances to the next tab
    // stop (every kTabStop twips from the left edge).
    void print(const QString &text);
    // A number: a blank in place of a plus sign before it, a blank after it.
    void print(double number);
    // Width of the text in the current font, in twips, as the device sets it.
    double textWidth(const QString &text);
    // A line from (x1, y1) to (x1 + dx, y1 + dy); the position is left at
    // its end point.
    void line(double x1, double y1, double dx, double dy);
    // The position goes back to (0, 0) on the new page.
    void newPage();
    // Hands the job over; does nothing when nothing was output.
    void endDoc();

    // A text box of a print template: its lines from the top of box, wrapped
    // at its width when wrap is set; only whole lines that fit the box are
    // printed, each clipped to the box.
    void printInBox(const QRectF &box, const QString &text, const QFont &font, bool wrap);
    // The lines printInBox would print the text in, at that width; and the
    // height of a line, both in the job's device metrics.
    QStringList boxLines(const QString &text, const QFont &font, double width, bool wrap);
    double lineHeight(const QFont &font);

    static constexpr double kTabStop = 720;

    // Tests install a recorder; the default is the chosen printer or a PDF.
    using DeviceFactory = std::function<std::unique_ptr<PrintDevice>(const QString &jobName)>;
    static void setDeviceFactory(DeviceFactory factory);
    static void resetDeviceFactory();

    // What the clerk chose in the printer dialog, for every later job of
    // the session; none until then.
    static void setChoice(const PrintSetup &setup);
    static std::optional<PrintSetup> choice();
    static void clearChoice();

    // The PDF file the last job went to (no printer, or "print to file");
    // empty when it went to a printer.
    static QString lastOutputFile();
    // A job's closing message: the text, and on a line of its own the file
    // the pages went to when they went to a file.
    static QString closingMessage(const QString &text);
    // The device a job gets when no factory is installed: the file or
    // printer chosen, else the default printer, else (no printer at all) a
    // PDF file in the user's documents folder.
    static std::unique_ptr<PrintDevice> defaultDevice(const QString &jobName);

private:
    PrintDevice &openJob();

    struct State;
    std::unique_ptr<State> d;
};

} // namespace arb
