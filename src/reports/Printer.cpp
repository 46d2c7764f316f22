#include "reports/Printer.h"

#include "data/Failure.h"
#include "reports/PainterDevice.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <cmath>

namespace arb {

namespace {

Printer::DeviceFactory &installedFactory()
{
    static Printer::DeviceFactory factory;
    return factory;
}

std::optional<PrintSetup> &chosen()
{
    static std::optional<PrintSetup> setup;
    return setup;
}

// Jobs sent to the chosen file so far: the first writes the file named, each
// later one a new file beside it ("name (2).pdf") rather than over it.
int &jobsToChosenFile()
{
    static int n = 0;
    return n;
}

QString nextChosenFile()
{
    const QString named = chosen()->outputFile;
    if (jobsToChosenFile()++ == 0)
        return named;
    const QFileInfo info(named);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QString stem = info.suffix().isEmpty() ? named : named.left(named.size() - suffix.size());
    QString path;
    for (int n = 2; path.isEmpty() || QFileInfo::exists(path); ++n)
        path = QStringLiteral("%1 (%2)%3").arg(stem).arg(n).arg(suffix);
    return path;
}

QString &lastFile()
{
    static QString file;
    return file;
}

QStringList splitLines(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return text.split(breaks);
}

// A number the way Print writes it: a blank for the plus sign, one after.
QString numberText(double number)
{
    QString s;
    if (std::isfinite(number) && number == std::trunc(number) && std::fabs(number) < 1e15)
        s = QString::number(qint64(number));
    else
        s = QString::number(number, 'g', 15).toUpper();
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    if (!s.startsWith(QLatin1Char('-')))
        s.prepend(QLatin1Char(' '));
    return s + QLatin1Char(' ');
}

} // namespace

struct Printer::State
{
    QString jobName;
    int orientation = 1;
    double x = 0;
    double y = 0;
    QString fontName = QStringLiteral("Arial");
    double fontSize = 10;
    bool bold = false;
    std::unique_ptr<PrintDevice> device;

    // Made again only when the name, size or weight changed: the lists
    // measure many texts in one font.
    const QFont &font() const
    {
        if (!cachedFont || cachedFont->family() != fontName || cachedFont->pointSizeF() != fontSize
            || cachedFont->bold() != bold) {
            QFont f(fontName);
            f.setPointSizeF(fontSize);
            f.setBold(bold);
            cachedFont = f;
        }
        return *cachedFont;
    }
    mutable std::optional<QFont> cachedFont;
};

Printer::Printer(const QString &jobName)
    : d(std::make_unique<State>())
{
    d->jobName = jobName;
    if (chosen())
        d->orientation = chosen()->landscape ? 2 : 1;
}

Printer::~Printer()
{
    try {
        endDoc();
    } catch (...) {
        // The failure of the unfinished job was already reported where it happened.
    }
}

void Printer::setOrientation(int orientation) { d->orientation = orientation; }
void Printer::setCurrentX(double twips) { d->x = twips; }
void Printer::setCurrentY(double twips) { d->y = twips; }
double Printer::currentX() const { return d->x; }
double Printer::currentY() const { return d->y; }
void Printer::setFontName(const QString &name) { d->fontName = name; }
void Printer::setFontSize(double points) { d->fontSize = points; }
void Printer::setFontBold(bool bold) { d->bold = bold; }

// The first output of a job opens it on the device of the moment.
PrintDevice &Printer::openJob()
{
    State &s = *d;
    if (!s.device) {
        lastFile().clear();
        const DeviceFactory &factory = installedFactory();
        std::unique_ptr<PrintDevice> device = factory ? factory(s.jobName) : Printer::defaultDevice(s.jobName);
        if (!device)
            throw Failure(QStringLiteral("Tiada pencetak untuk mencetak."), s.jobName);
        device->beginJob(s.jobName, s.orientation == 2, chosen());
        s.device = std::move(device);
    }
    return *s.device;
}

void Printer::print(const QString &text)
{
    PrintDevice &device = openJob();
    const QFont font = d->font();
    const double step = device.lineHeight(font);
    const QStringList lines = splitLines(text);
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            d->x = 0;
            d->y += step;
        }
        const QStringList pieces = lines.at(i).split(QLatin1Char('\t'));
        for (int j = 0; j < pieces.size(); ++j) {
            if (j > 0)
                d->x = (std::floor(d->x / kTabStop) + 1) * kTabStop;
            const QString &piece = pieces.at(j);
            if (piece.isEmpty())
                continue;
            device.drawText(d->x, d->y, piece, font, QRectF());
            d->x += device.textWidth(font, piece);
        }
    }
    d->x = 0;
    d->y += step;
}

void Printer::print(double number)
{
    print(numberText(number));
}

double Printer::textWidth(const QString &text)
{
    return openJob().textWidth(d->font(), text);
}

void Printer::line(double x1, double y1, double dx, double dy)
{
    openJob().drawLine(x1, y1, x1 + dx, y1 + dy);
    d->x = x1 + dx;
    d->y = y1 + dy;
}

void Printer::newPage()
{
    openJob().newPage();
    d->x = 0;
    d->y = 0;
}

void Printer::endDoc()
{
    if (!d->device)
        return;
    std::unique_ptr<PrintDevice> device = std::move(d->device);
    d->x = 0;
    d->y = 0;
    device->endJob();
}

QStringList Printer::boxLines(const QString &text, const QFont &font, double width, bool wrap)
{
    PrintDevice &device = openJob();
    QStringList lines;
    for (const QString &paragraph : splitLines(text)) {
        if (!wrap || device.textWidth(font, paragraph) <= width) {
            lines << paragraph;
            continue;
        }
        // Word wrap; a word wider than the box is broken where it meets the edge.
        QString current;
        const QStringList words = paragraph.split(QLatin1Char(' '));
        for (int i = 0; i < words.size(); ++i) {
            QString word = words.at(i);
            const QString tried = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (i == 0 || device.textWidth(font, tried) <= width) {
                current = i == 0 ? word : tried;
            } else {
                lines << current;
                current = word;
            }
            while (current.size() > 1 && device.textWidth(font, current) > width) {
                int n = int(current.size()) - 1;
                while (n > 1 && device.textWidth(font, current.left(n)) > width)
                    --n;
                lines << current.left(n);
                current = current.mid(n);
            }
        }
        lines << current;
    }
    return lines;
}

double Printer::lineHeight(const QFont &font)
{
    return openJob().lineHeight(font);
}

void Printer::printInBox(const QRectF &box, const QString &text, const QFont &font, bool wrap)
{
    const QStringList lines = boxLines(text, font, box.width(), wrap);
    PrintDevice &device = openJob();
    const double step = device.lineHeight(font);
    double y = box.top();
    for (const QString &l : lines) {
        if (y + step > box.bottom() + 0.5)
            break;
        if (!l.isEmpty())
            device.drawText(box.left(), y, l, font, box);
        y += step;
    }
}

void Printer::setDeviceFactory(DeviceFactory factory)
{
    installedFactory() = std::move(factory);
}

void Printer::resetDeviceFactory()
{
    installedFactory() = nullptr;
}

void Printer::setChoice(const PrintSetup &setup)
{
    chosen() = setup;
    jobsToChosenFile() = 0;
}

std::optional<PrintSetup> Printer::choice()
{
    return chosen();
}

void Printer::clearChoice()
{
    chosen().reset();
    jobsToChosenFile() = 0;
}

QString Printer::lastOutputFile()
{
    return lastFile();
}

QString Printer::closingMessage(const QString &text)
{
    if (lastFile().isEmpty())
        return text;
    return text + QStringLiteral("\nDisimpan dalam fail: ") + QDir::toNativeSeparators(lastFile());
}

std::unique_ptr<PrintDevice> Printer::defaultDevice(const QString &jobName)
{
    std::unique_ptr<PainterDevice> device;
    if (chosen() && !chosen()->outputFile.isEmpty()) {
        device = PainterDevice::forPdf(nextChosenFile());
    } else if (QPrinterInfo::availablePrinters().isEmpty()) {
        device = PainterDevice::forPdf(PainterDevice::pdfPathFor(jobName));
    } else {
        QPrinterInfo info;
        if (chosen() && !chosen()->printerName.isEmpty())
            info = QPrinterInfo::printerInfo(chosen()->printerName);
        if (info.isNull())
            info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            info = QPrinterInfo::availablePrinters().constFirst();
        return PainterDevice::forPrinter(info);
    }
    lastFile() = device->outputFile();
    return device;
}

} // namespace arb
