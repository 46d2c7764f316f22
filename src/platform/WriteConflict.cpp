#include "platform/WriteConflict.h"

#include "data/Connection.h"
#include "data/Convert.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/Numbering.h"
#include "platform/BoundBox.h"
#include "platform/MessageBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHash>
#include <QWidget>
#include <algorithm>

namespace arb {

const QString WriteConflict::kKeep = QStringLiteral("Simpan perubahan saya");
const QString WriteConflict::kCopy = QStringLiteral("Salin");
const QString WriteConflict::kDrop = QStringLiteral("Buang perubahan saya");
const QString WriteConflict::kRegister = QStringLiteral("Daftar sebagai kontraktor baru");

namespace {
// Field names as the store spells them may differ in case.
QVariant valueOf(const QVariantMap &row, const QString &field)
{
    for (auto it = row.cbegin(); it != row.cend(); ++it)
        if (it.key().compare(field, Qt::CaseInsensitive) == 0)
            return it.value();
    return {};
}

QString text(const QVariant &v)
{
    return toBoxText(valueToTextOrEmpty(v));
}

// A value inside the box: "(kosong)" for nothing, further lines indented,
// a long list of jobs cut short (the box must fit the screen; "Salin" and
// the stored row keep every line).
QString shown(const QString &t)
{
    if (t.trimmed().isEmpty())
        return QStringLiteral("(kosong)");
    constexpr qsizetype kMost = 5;
    QStringList lines = t.split(QLatin1Char('\n'));
    if (lines.size() > kMost) {
        const qsizetype more = lines.size() - kMost;
        lines.resize(kMost);
        lines << QStringLiteral("... (%1 baris lagi)").arg(more);
    }
    return lines.join(QStringLiteral("\n        "));
}

QString shown(const QVariant &v)
{
    return shown(text(v));
}

// Where stored and typed differ: the whole value, or for values of several
// lines (the jobs) each line that differs, numbered as the clerk counts.
QStringList differences(const QString &label, const QString &now, const QString &mine)
{
    const auto entry = [](const QString &what, const QString &a, const QString &b) {
        return what + QStringLiteral("\n    Tersimpan kini: ") + shown(a) + QStringLiteral("\n    Taipan anda: ") + shown(b);
    };
    if (now == mine)
        return {};
    if (!now.contains(QLatin1Char('\n')) && !mine.contains(QLatin1Char('\n')))
        return {entry(label, now, mine)};
    const QStringList a = now.split(QLatin1Char('\n')), b = mine.split(QLatin1Char('\n'));
    QStringList out;
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i)
        if (a.value(i) != b.value(i))
            out << entry(QStringLiteral("%1, baris %2").arg(label).arg(i + 1), a.value(i), b.value(i));
    return out;
}

QString who(const QVariantMap &row)
{
    return (text(valueOf(row, QStringLiteral("NoDaftar"))) + QLatin1Char(' ')
            + text(valueOf(row, QStringLiteral("NamaSyarikat"))))
        .simplified();
}
} // namespace

QString fieldLabel(const QString &field)
{
    static const QHash<QString, QString> labels{
        {QStringLiteral("nodaftar"), QStringLiteral("No Daftar")},
        {QStringLiteral("tarikhdaftar"), QStringLiteral("Tarikh Daftar")},
        {QStringLiteral("namasyarikat"), QStringLiteral("Nama Syarikat/Perniagaan")},
        {QStringLiteral("alamatpendaftaransyarikat"), QStringLiteral("Alamat Pendaftaran Syarikat/Perniagaan")},
        {QStringLiteral("nopendaftaransyarikat"), QStringLiteral("No Pendaftaran Syarikat/Perniagaan")},
        {QStringLiteral("namapengarahurusan"), QStringLiteral("Nama Pengarah Urusan")},
        {QStringLiteral("nokadpengenalan"), QStringLiteral("No Kad Pengenalan")},
        {QStringLiteral("notelhp"), QStringLiteral("No Telefon H/p")},
        {QStringLiteral("notelpej"), QStringLiteral("No Telefon Pejabat")},
        {QStringLiteral("nofaks"), QStringLiteral("No Faks")},
        {QStringLiteral("ndpkk"), QStringLiteral("No Daftar PKK")},
        {QStringLiteral("ndcidb"), QStringLiteral("No Daftar CIDB")},
        {QStringLiteral("ndkkew"), QStringLiteral("No Daftar K/KEW")},
        {QStringLiteral("ktpkk"), QStringLiteral("Kelas/Tajuk PKK")},
        {QStringLiteral("ktcidb"), QStringLiteral("Kelas/Tajuk CIDB")},
        {QStringLiteral("ktkkew"), QStringLiteral("Kelas/Tajuk K/KEW")},
        {QStringLiteral("noresit"), QStringLiteral("No Resit")},
        {QStringLiteral("bidang"), QStringLiteral("Bidang")},
        {QStringLiteral("kelas"), QStringLiteral("Kelas")},
        {QStringLiteral("no_i_lo"), QStringLiteral("No Inden / LO")},
        {QStringLiteral("tarikh_dapat_kerja"), QStringLiteral("Tarikh")},
        {QStringLiteral("butiran_kerja"), QStringLiteral("Butiran Kerja")},
        {QStringLiteral("nilai"), QStringLiteral("Nilai Projek")},
    };
    return labels.value(field.toLower(), field);
}

WriteConflict::WriteConflict(QWidget *window, DataControl &control)
    : QObject(window)
    , m_window(window)
    , m_control(&control)
{
    m_control->setConflictHandler([this](const StaleRow &stale) { return settle(stale); });
}

WriteConflict::~WriteConflict()
{
    if (m_control)
        m_control->setConflictHandler({});
}

qint64 WriteConflict::takeRegistered()
{
    return std::exchange(m_registered, -1);
}

bool WriteConflict::settle(const StaleRow &stale)
{
    QStringList lines;
    if (stale.gone()) {
        lines << QStringLiteral("Kontraktor %1 telah dipadam dalam tetingkap lain atau di komputer lain.")
                     .arg(who(stale.read()));
        lines << QString() << QStringLiteral("Taipan anda:");
        for (const QString &f : stale.fields())
            lines << QStringLiteral("%1: %2").arg(fieldLabel(f), shown(stale.mine().value(f)));
        lines << QString()
              << QStringLiteral("\"%1\": nilai anda disimpan sebagai kontraktor baru dengan No Daftar baru.").arg(kRegister)
              << QStringLiteral("\"%1\": nilai anda disalin ke papan keratan.").arg(kCopy)
              << QStringLiteral("\"%1\": nilai anda tidak disimpan.").arg(kDrop);
    } else {
        lines << QStringLiteral("Kontraktor %1 telah diubah dalam tetingkap lain atau di komputer lain sejak "
                                "dipaparkan kepada anda.")
                     .arg(who(stale.stored()));
        if (who(stale.read()) != who(stale.stored()))
            lines << QStringLiteral("Tadi dipaparkan sebagai %1.").arg(who(stale.read()));
        QStringList differ;
        for (const QString &f : stale.fields())
            differ << differences(fieldLabel(f), text(valueOf(stale.stored(), f)), text(stale.mine().value(f)));
        constexpr qsizetype kMost = 12;
        for (qsizetype i = 0; i < std::min(differ.size(), kMost); ++i)
            lines << QString() << differ.at(i);
        if (differ.size() > kMost)
            lines << QString() << QStringLiteral("... dan %1 perbezaan lagi.").arg(differ.size() - kMost);
        lines << QString()
              << QStringLiteral("\"%1\": nilai anda ditulis ke atas rekod seperti yang tersimpan kini.").arg(kKeep)
              << QStringLiteral("\"%1\": nilai anda disalin ke papan keratan.").arg(kCopy)
              << QStringLiteral("\"%1\": rekod seperti yang tersimpan dipaparkan.").arg(kDrop);
    }
    const QStringList buttons{stale.gone() ? kRegister : kKeep, kCopy, kDrop};
    const int choice = MessageBox::choose(m_window, lines.join(QLatin1Char('\n')), QStringLiteral("Mesej"),
                                          MessageBox::Exclamation, buttons);
    if (choice == 0 && !stale.gone())
        return true;
    const auto copy = [&stale] {
        QStringList copied;
        for (const QString &f : stale.fields())
            copied << fieldLabel(f) + QStringLiteral(": ") + text(stale.mine().value(f));
        QGuiApplication::clipboard()->setText(copied.join(QLatin1Char('\n')));
    };
    if (choice == 0) {
        // The contractor as the window read it, with the clerk's values, under
        // the next free number (the old one belongs to the removed row).
        QVariantMap values = stale.read();
        for (const QString &f : stale.fields())
            values.insert(f, stale.mine().value(f));
        try {
            m_control->addNew([this](Connection &c) {
                m_control->setValue(QStringLiteral("NoDaftar"), freeRegistrationNumber(c, proposedRegistrationNumber(c)));
            });
            for (const QString &f : contractorFields()) {
                const QVariant v = valueOf(values, f);
                if (f != QLatin1String("NoDaftar") && v.isValid())
                    m_control->setValue(f, v);
            }
            m_control->update();
        } catch (const Failure &f) {
            // Not stored: the typing is kept where the clerk can paste it.
            m_control->cancelUpdate();
            copy();
            throw Failure(f.message() + QStringLiteral(" Nilai anda telah disalin ke papan keratan."), f.detail());
        }
        m_registered = m_control->lastAddedId();
    } else if (choice == 1) {
        copy();
    }
    return false;
}

} // namespace arb
