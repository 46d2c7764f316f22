#include "register/Search.h"

#include "data/Convert.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "data/Snapshot.h"
#include "platform/BusyPointer.h"
#include "data/Failure.h"
#include "platform/MessageBox.h"

namespace arb {

namespace {
const QString kTitle = QStringLiteral("Mesej");
const QString kGoOn = QStringLiteral("Teruskan?");

void noMoreData(QWidget *window)
{
    MessageBox::tell(window, QStringLiteral("Tiada data"), kTitle, MessageBox::Critical);
}

// False when the user wants to stop at this match.
bool goOn(QWidget *window, const QString &title, const std::function<void()> &shown)
{
    shown();
    return MessageBox::ask(window, kGoOn, title);
}
} // namespace

void searchContractors(QWidget *window, const QString &word, int mode, DataControl &position,
                       const std::function<void()> &refresh)
{
    const BusyPointer busy;
    // Only what is compared: the rows shown are read as any move reads them.
    Snapshot rows(Locations::kSharedPath, kContractorTable,
                  {mode == kSearchByName ? QStringLiteral("NamaSyarikat") : QStringLiteral("NoDaftar")});
    const QString key = trimSpaces(word).toUpper();
    if (key.isEmpty())
        return;
    if (rows.eof() && rows.bof()) {
        noMoreData(window);
        return;
    }
    // Nothing is painted until the search ends or asks something, so the
    // window is refreshed only then, with the record reached.
    bool stale = false;
    auto shown = [&] {
        if (stale && refresh)
            refresh();
        stale = false;
    };
    rows.moveFirst();
    position.moveToId(rows.currentId());
    stale = true;

    // False when a match was answered No or the search word is no number.
    auto compare = [&]() -> bool {
        if (mode == kSearchByNumber) {
            const std::optional<double> wanted = textToNumber(key);
            if (!wanted) {
                shown();
                MessageBox::tell(window, QStringLiteral("Masukkan Nombor ATAU pilih Nama Syarikat"), kTitle,
                                 MessageBox::Question);
                return false;
            }
            // A number that holds no serial (null, "-", letters) is no match;
            // the search goes on.
            const std::optional<qint64> serial = registrationSerial(rows.value(QStringLiteral("NoDaftar")).toString());
            return !(serial && double(*serial) == *wanted) || goOn(window, QStringLiteral("Jumpa..."), shown);
        }
        if (mode == kSearchByName) {
            // A name with no value at all is no match.
            const QString name = valueToTextOrEmpty(rows.value(QStringLiteral("NamaSyarikat"))).toUpper();
            if (name == key && !goOn(window, QStringLiteral("Jumpa..."), shown))
                return false;
            QString rest = name;
            for (;;) {
                const qsizetype space = rest.indexOf(QLatin1Char(' '));
                if ((space < 0 ? rest : rest.left(space)) == key && !goOn(window, QStringLiteral("Jumpa"), shown))
                    return false;
                if (space < 0)
                    return true;
                rest = rest.mid(space);
                while (rest.startsWith(QLatin1Char(' ')))
                    rest.remove(0, 1);
            }
        }
        return true;
    };

    auto walk = [&] {
        while (!rows.eof()) {
            if (!compare())
                return;
            rows.moveNext();
            if (rows.eof()) {
                // The last record stays shown under "Tiada data".
                shown();
                noMoreData(window);
                continue;
            }
            position.moveToId(rows.currentId());
            stale = true;
        }
    };

    // However it ends, the window shows the record reached.
    auto walkShown = [&] {
        try {
            walk();
        } catch (...) {
            try {
                shown();
            } catch (...) {
            }
            throw;
        }
        shown();
    };
    walkShown();
}

} // namespace arb
