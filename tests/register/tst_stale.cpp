// Windows that stay open while the register changes under them: "Susun" in
// the list window, another desktop's writes, the hidden work dates. Nothing
// may be written where the window did not read it.
#include "OpenForm4.h"
#include "platform/Keyboard.h"
#include "platform/Look.h"

#include "data/Fields.h"
#include "platform/Windows.h"
#include "platform/WriteConflict.h"
#include "reports/ContractorGrid.h"
#include "reports/Form3.h"
#include "work/Form5.h"

#include <QClipboard>
#include <QRegularExpression>
#include <QTableView>

using namespace arb;
using namespace Qt::StringLiterals;
using test::contractor;
using test::TempStore;

namespace {
const QString kChanged = u"Kontraktor ini telah diubah dalam tetingkap lain atau di komputer lain. Perubahan "
                         "tidak disimpan; rekod seperti yang tersimpan kini dipaparkan."_s;
const QString kGone = u"Rekod ini telah dipadam oleh pengguna lain."_s;

// The failure reports shown since the last call, their first line only.
QStringList reports()
{
    QStringList out;
    for (const MessageBox::Shown &b : MessageBox::takeShown())
        if (b.icon == MessageBox::Critical)
            out << b.text.section(u'\n', 0, 0);
    return out;
}

// Each choice box since the last call, after checking what they all share
// (title, icon, buttons, Malay throughout), in short as "WHO[ (dipaparkan
// sebagai WAS)][ dipadam]|LABEL: STORED <- TYPED|..."; any other box as "title|text".
QStringList choices()
{
    QStringList out;
    for (const MessageBox::Shown &b : MessageBox::takeShown()) {
        QString t = b.text;
        const bool gone = t.contains(u" telah dipadam dalam"_s);
        if (b.buttons.isEmpty())
            t = b.title + u'|' + t;
        else if (b.title != u"Mesej"_s || b.icon != MessageBox::Exclamation || t.contains(u"desktop"_s) || t.contains(u" id "_s)
                 || b.buttons != QStringList{gone ? WriteConflict::kRegister : WriteConflict::kKeep, WriteConflict::kCopy,
                                             WriteConflict::kDrop})
            t.prepend(u'?');
        else
            t = t.left(t.indexOf(u"\n\n\""_s))
                    .replace(u"Kontraktor "_s, QString())
                    .replace(u" telah diubah dalam tetingkap lain atau di komputer lain sejak dipaparkan kepada anda."_s, QString())
                    .replace(u" telah dipadam dalam tetingkap lain atau di komputer lain.\n\nTaipan anda:"_s, u" dipadam"_s)
                    .replace(QRegularExpression(u"\nTadi dipaparkan sebagai (.*)\\."_s), u" (dipaparkan sebagai \\1)"_s)
                    .replace(u"\n    Tersimpan kini: "_s, u": "_s)
                    .replace(u"\n    Taipan anda: "_s, u" <- "_s)
                    .replace(u"\n        "_s, u"/"_s)
                    .replace(u"\n\n"_s, u"|"_s)
                    .replace(u'\n', u'|');
        out << t;
    }
    return out;
}

// "Kemaskini" in the record window, the boxes typed, "Ok" with the choice
// queued for a conflict; the boxes it showed, as choices() gives them.
QStringList update(Form4 &f4, const QList<std::pair<QLineEdit *, QString>> &typed, const QString &choice = {})
{
    f4.Command4->click();
    for (const auto &[box, text] : typed)
        box->setText(text);
    if (!choice.isEmpty())
        MessageBox::queueChoice(choice);
    f4.Command4->click();
    return choices();
}

// name -> field for every stored row; a name stored twice fails the test.
QMap<QString, QString> byName(TempStore &store, const QString &field)
{
    QMap<QString, QString> out;
    for (const QVariantMap &row : store.rows()) {
        const QString name = row.value(u"NamaSyarikat"_s).toString();
        if (out.contains(name)) {
            // QFAIL's own call: this helper returns a value.
            QTest::qFail(qPrintable(name + u" stored twice"_s), __FILE__, __LINE__);
            return {};
        }
        out.insert(name, row.value(field).toString());
    }
    return out;
}

} // namespace

class StaleTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { MessageBox::clear(); }
    void cleanup() { test::closeAllWindows(); }

    // One clerk: the record, work and list windows open on ALPHA while
    // "Susun" moves BETA into ALPHA's row. Every later write lands on ALPHA.
    void windowsFollowTheirContractorThroughSusun()
    {
        TempStore store;
        store.addContractor(contractor(u"ZRVA/KP/0003"_s, u"ALPHA"_s));
        store.addContractor(contractor(u"ZRVA/KP/0001"_s, u"BETA"_s));
        store.addContractor(contractor(u"ZRVA/KP/0002"_s, u"GAMMA"_s));
        auto f4 = openForm();
        Form5 *f5 = showWindow<Form5>();
        Form3 *f3 = showWindow<Form3>();
        f3->DataGrid1->setCurrentIndex(f3->Adodc1->index(0, 2));
        // A work line typed, not yet stored: "Susun" stores it first.
        f5->Text2e->setPlainText(u"Turap jalan"_s);
        f3->Command1->click();
        QCOMPARE(shownBoxes(), QStringList{u"Mesej|Selesai Disusun|info"_s});
        QCOMPARE(byName(store, u"NoDaftar"_s).value(u"ALPHA"_s), u"ZRVA/KP/0003"_s);
        QCOMPARE(store.value(2, u"NamaSyarikat"_s).toString(), u"ALPHA"_s);
        QCOMPARE(store.value(2, u"Butiran_kerja"_s).toString(), u"Turap jalan"_s);
        // The list window, loaded again, stands on ALPHA at its new row.
        Form3 *again = loadedWindow<Form3>();
        QCOMPARE(again->DataGrid1->currentIndex().row(), 2);

        // Each window still shows ALPHA, and moves on from its new place.
        QCOMPARE(f4->Text2->text(), u"ALPHA"_s);
        QCOMPARE(f5->Text2b->text(), u"ALPHA"_s);
        QCOMPARE(update(*f4, {{f4->Text5, u"019-1234567"_s}}), QStringList());
        f5->Text2->setPlainText(u"1/2/2024"_s);
        f5->Command5->click(); // "<": tarikh, then the write-back
        QCOMPARE(f5->Text2b->text(), u"GAMMA"_s);
        QCOMPARE(byName(store, u"NoTelHp"_s), (QMap<QString, QString>{{u"ALPHA"_s, u"019-1234567"_s},
                                                                     {u"BETA"_s, u"-"_s}, {u"GAMMA"_s, u"-"_s}}));
        QCOMPARE(byName(store, u"Tarikh_dapat_kerja"_s),
                 (QMap<QString, QString>{{u"ALPHA"_s, u"1.2.2024"_s}, {u"BETA"_s, u""_s}, {u"GAMMA"_s, u""_s}}));
        // "Padam" removes ALPHA, not the contractor now in ALPHA's old row;
        // the record window first shows the work the other window stored.
        MessageBox::clear();
        for (int i = 0; i < 2; ++i) {
            f4->Command4->click(); // "Padam" is offered while updating
            MessageBox::queueAnswers({MessageBox::Yes});
            f4->Command3->click();
            QCOMPARE(reports(), i == 0 ? QStringList{kChanged} : QStringList());
        }
        QCOMPARE(byName(store, u"NoDaftar"_s), (QMap<QString, QString>{{u"BETA"_s, u"ZRVA/KP/0001"_s},
                                                                      {u"GAMMA"_s, u"ZRVA/KP/0002"_s}}));
    }

    // The record window writes only the boxes the clerk changed, and only
    // while the row still holds what it showed.
    void recordWindowWritesOnlyWhatChangedOverWhatItRead()
    {
        TempStore store;
        QVariantMap alpha = contractor(u"ZRVA/KP/0001"_s, u"ALPHA"_s);
        alpha.insert(u"AlamatPendaftaranSyarikat"_s, u"NO 1\nJALAN PASAR"_s); // a lone line feed
        alpha.insert(u"NamaPengarahUrusan"_s, QString(40000, u'x'));           // past a line box's default limit
        alpha.insert(u"Tarikh_dapat_kerja"_s, u"1.1.2020"_s);
        store.addContractor(alpha);
        store.addContractor(contractor(u"ZRVA/KP/0002"_s, u"BETA"_s));
        auto f4 = openForm();
        Form5 *f5 = showWindow<Form5>();
        // Work dates stored from the work window while the record window holds the old ones.
        f5->Text2->setPlainText(u"2.2.2021"_s);
        f5->Command6->click();
        // Another desktop changes the fax meanwhile.
        store.exec(u"UPDATE kontraktor SET \"NoFaks\" = '03-111' WHERE \"NamaSyarikat\" = 'ALPHA'"_s);
        QCOMPARE(update(*f4, {{f4->Text5, u"  012  "_s}}), QStringList());
        const QVariantMap row = store.rows().at(0);
        QCOMPARE(row.value(u"NoTelHp"_s).toString(), u"012"_s);
        QCOMPARE(row.value(u"NoFaks"_s).toString(), u"03-111"_s);
        QCOMPARE(row.value(u"Tarikh_dapat_kerja"_s).toString(), u"2.2.2021"_s);
        QCOMPARE(row.value(u"AlamatPendaftaranSyarikat"_s).toString(), u"NO 1\nJALAN PASAR"_s);
        QCOMPARE(row.value(u"NamaPengarahUrusan"_s).toString().size(), 40000);
        // A long text edited keeps its whole length.
        QCOMPARE(update(*f4, {{f4->Text13, QString(50000, u'y')}}), QStringList());
        QCOMPARE(store.value(0, u"NamaPengarahUrusan"_s).toString().size(), 50000);

        // The same field changed by another desktop: the clerk is asked, and
        // dropping the typing keeps theirs and shows it.
        store.exec(u"UPDATE kontraktor SET \"NoTelHp\" = 'DARI LAIN' WHERE \"NamaSyarikat\" = 'ALPHA'"_s);
        QCOMPARE(update(*f4, {{f4->Text5, u"MILIK SAYA"_s}}, WriteConflict::kDrop),
                 QStringList{u"ZRVA/KP/0001 ALPHA|No Telefon H/p: DARI LAIN <- MILIK SAYA"_s});
        QCOMPARE(store.value(0, u"NoTelHp"_s).toString(), u"DARI LAIN"_s);
        QVERIFY(f4->Text5->text() == u"DARI LAIN"_s && caption(f4->Command4) == u"Kemaskini"_s);
        // Another desktop's "Susun" put BETA here: even a field that agrees is
        // not written unless the clerk, told whose row it now is, says so.
        store.exec(u"UPDATE kontraktor SET \"NamaSyarikat\" = 'BETA', \"NoDaftar\" = 'ZRVA/KP/0002', "
                   "\"NoTelHp\" = '-' WHERE \"NamaSyarikat\" = 'ALPHA'"_s);
        store.exec(u"UPDATE kontraktor SET \"NamaSyarikat\" = 'ALPHA', \"NoDaftar\" = 'ZRVA/KP/0001' "
                   "WHERE id = (SELECT max(id) FROM kontraktor)"_s);
        QCOMPARE(update(*f4, {{f4->Text17, u"1.1.2025"_s}}, WriteConflict::kDrop),
                 QStringList{u"ZRVA/KP/0002 BETA (dipaparkan sebagai ZRVA/KP/0001 ALPHA)|Tarikh Daftar: - <- 1.1.2025"_s});
        QCOMPARE(f4->Text2->text(), u"BETA"_s);
        QCOMPARE(byName(store, u"TarikhDaftar"_s), (QMap<QString, QString>{{u"ALPHA"_s, u"-"_s}, {u"BETA"_s, u"-"_s}}));
        // Changed elsewhere, then "Padam": not deleted.
        store.exec(u"UPDATE kontraktor SET \"kelas\" = 'A' WHERE \"NamaSyarikat\" = 'BETA'"_s);
        f4->Command4->click();
        MessageBox::queueAnswers({MessageBox::Yes});
        f4->Command3->click();
        QCOMPARE(MessageBox::shown().last().text, kChanged + u"\n\nButiran: kontraktor ZRVA/KP/0002 (BETA)"_s);
        QCOMPARE(reports(), QStringList{kChanged});
        QCOMPARE(caption(f4->Command4), u"Kemaskini"_s);
        QCOMPARE(store.count(), 2);
        // Deleted elsewhere, the typing dropped: the window moves on.
        store.exec(u"DELETE FROM kontraktor WHERE \"NamaSyarikat\" = 'BETA'"_s);
        QCOMPARE(update(*f4, {{f4->Text5, u"1"_s}}, WriteConflict::kDrop),
                 QStringList{u"ZRVA/KP/0002 BETA dipadam|No Telefon H/p: 1"_s});
        QCOMPARE(f4->Text2->text(), u"ALPHA"_s);
        QCOMPARE(store.count(), 1);
    }

    // A save that meets the same field changed elsewhere is the clerk's
    // choice: store over it (asked again when it changes once more in
    // between), copy the typing, or drop it; a contractor removed elsewhere
    // can be registered anew. Another field's change merges and shows.
    void recordWindowConflictChoices()
    {
        TempStore store;
        store.addContractor(contractor(u"ZRVA/KP/0001"_s, u"ALPHA"_s));
        store.addContractor(contractor(u"ZRVA/KP/0002"_s, u"BETA"_s));
        auto f4 = openForm();
        const auto alpha = [&](const QString &set) {
            store.exec(u"UPDATE kontraktor SET %1 WHERE \"NamaSyarikat\" = 'ALPHA'"_s.arg(set));
        };
        alpha(u"\"NoFaks\" = '03-111'"_s);
        QCOMPARE(update(*f4, {{f4->Text5, u"012"_s}}), QStringList());
        QCOMPARE(f4->Text15->text(), u"03-111"_s);

        alpha(u"\"NoTelHp\" = 'B1'"_s);
        f4->Command4->click();
        f4->Text5->setText(u"MILIK SAYA"_s);
        f4->Text20->setText(u"G7"_s);
        int asked = 0;
        MessageBox::setWhileShown([&](const MessageBox::Shown &) {
            if (asked++ == 0)
                alpha(u"\"NoTelHp\" = 'B2'"_s);
        });
        MessageBox::queueChoice(WriteConflict::kKeep);
        MessageBox::queueChoice(WriteConflict::kKeep);
        f4->Command4->click();
        MessageBox::setWhileShown({});
        // The whole text once; the choice boxes below in short.
        QCOMPARE(MessageBox::shown().first().text.section(u"\n\n"_s, 3),
                 u"\"Simpan perubahan saya\": nilai anda ditulis ke atas rekod seperti yang tersimpan kini.\n"
                 "\"Salin\": nilai anda disalin ke papan keratan.\n"
                 "\"Buang perubahan saya\": rekod seperti yang tersimpan dipaparkan."_s);
        QCOMPARE(choices(), (QStringList{u"ZRVA/KP/0001 ALPHA|No Telefon H/p: B1 <- MILIK SAYA|Kelas: - <- G7"_s,
                                         u"ZRVA/KP/0001 ALPHA|No Telefon H/p: B2 <- MILIK SAYA|Kelas: - <- G7"_s}));
        QCOMPARE(values(store.rows().first(), {u"NoTelHp"_s, u"kelas"_s, u"NoFaks"_s}),
                 (QStringList{u"MILIK SAYA"_s, u"G7"_s, u"03-111"_s}));
        QVERIFY(f4->Text5->text() == u"MILIK SAYA"_s && caption(f4->Command4) == u"Kemaskini"_s && isReadOnlyBox(f4->Text5));

        alpha(u"\"NamaPengarahUrusan\" = 'LAIN'"_s);
        QCOMPARE(update(*f4, {{f4->Text13, u"SAYA"_s}, {f4->Text12, u"KP 1"_s}}, WriteConflict::kCopy),
                 QStringList{u"ZRVA/KP/0001 ALPHA|Nama Pengarah Urusan: LAIN <- SAYA|No Kad Pengenalan: - <- KP 1"_s});
        QCOMPARE(QGuiApplication::clipboard()->text(), u"Nama Pengarah Urusan: SAYA\nNo Kad Pengenalan: KP 1"_s);
        QCOMPARE(values(store.rows().first(), {u"NamaPengarahUrusan"_s, u"NoKadPengenalan"_s}), (QStringList{u"LAIN"_s, u"-"_s}));
        QCOMPARE(f4->Text13->text() + u'|' + f4->Text12->text(), u"LAIN|-"_s);

        store.exec(u"DELETE FROM kontraktor WHERE \"NamaSyarikat\" = 'ALPHA'"_s);
        QCOMPARE(update(*f4, {{f4->Text20, u"G9"_s}}, WriteConflict::kRegister),
                 QStringList{u"ZRVA/KP/0001 ALPHA dipadam|Kelas: G9"_s});
        QCOMPARE(store.count(), 2);
        QCOMPARE(values(store.rows().last(), {u"NoDaftar"_s, u"NamaSyarikat"_s, u"kelas"_s, u"NoTelHp"_s, u"NoFaks"_s,
                                              u"NamaPengarahUrusan"_s}),
                 (QStringList{u"ZRVA/KP/0003"_s, u"ALPHA"_s, u"G9"_s, u"MILIK SAYA"_s, u"03-111"_s, u"LAIN"_s}));
        QCOMPARE(f4->Text1->text() + u' ' + f4->Text20->text(), u"ZRVA/KP/0003 G9"_s);
    }

    // The work window: a job typed is never dropped without the same choice,
    // whether the row is left by an arrow or by "Keluar".
    void workWindowConflictChoices()
    {
        TempStore store;
        QVariantMap alpha = contractor(u"ZRVA/KP/0001"_s, u"ALPHA"_s);
        alpha.insert(u"Tarikh_dapat_kerja"_s, u"1.1.2024"_s);
        alpha.insert(u"Butiran_kerja"_s, u"Baiki longkang"_s);
        store.addContractor(alpha);
        store.addContractor(contractor(u"ZRVA/KP/0002"_s, u"BETA"_s));
        auto f4 = openForm();
        QPointer<Form5> f5 = showWindow<Form5>();
        // A new job typed; the company renamed in the record window; then ">".
        f5->Text2->setPlainText(u"1.1.2024\n2/2/2024"_s);
        f5->Text2e->setPlainText(u"Baiki longkang\nPagar sekolah"_s);
        f4->Command4->click();
        f4->Text2->setText(u"ALPHA BARU"_s);
        f4->Command4->click();
        MessageBox::queueChoice(WriteConflict::kKeep);
        QString onScreen; // while the clerk decides
        MessageBox::setWhileShown([&](const MessageBox::Shown &) { onScreen = f5->Text2e->toPlainText(); });
        f5->Command6->click();
        MessageBox::setWhileShown({});
        QCOMPARE(onScreen, u"Baiki longkang\nPagar sekolah"_s);
        QCOMPARE(choices(), QStringList{u"ZRVA/KP/0001 ALPHA BARU (dipaparkan sebagai ZRVA/KP/0001 ALPHA)|"
                                        "Tarikh, baris 2: (kosong) <- 2.2.2024|"
                                        "Butiran Kerja, baris 2: (kosong) <- Pagar sekolah"_s});
        QCOMPARE(values(store.rows().first(), {u"NamaSyarikat"_s, u"Tarikh_dapat_kerja"_s, u"Butiran_kerja"_s}),
                 (QStringList{u"ALPHA BARU"_s, u"1.1.2024\r\n2.2.2024"_s, u"Baiki longkang\r\nPagar sekolah"_s}));
        QCOMPARE(f5->Text2b->text(), u"BETA"_s);

        // The same field changed elsewhere, then "Keluar": copied, theirs kept.
        f5->Command5->click();
        f5->Text2f->setPlainText(u"RM 5"_s);
        store.exec(u"UPDATE kontraktor SET \"Nilai\" = 'RM 9' WHERE \"NamaSyarikat\" = 'ALPHA BARU'"_s);
        MessageBox::queueChoice(WriteConflict::kCopy);
        f5->Command3->click();
        QCOMPARE(choices(), QStringList{u"ZRVA/KP/0001 ALPHA BARU|Nilai Projek: RM 9 <- RM 5"_s});
        QCOMPARE(QGuiApplication::clipboard()->text(), u"Nilai Projek: RM 5"_s);
        QCOMPARE(store.value(0, u"Nilai"_s).toString(), u"RM 9"_s);

        // Removed elsewhere: registered anew under the next number, and shown.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f5 = showWindow<Form5>();
        f5->Text2e->setPlainText(u"Baiki longkang\nPagar sekolah\nCat dewan"_s);
        store.exec(u"DELETE FROM kontraktor WHERE \"NamaSyarikat\" = 'ALPHA BARU'"_s);
        MessageBox::queueChoice(WriteConflict::kRegister);
        f5->Command6->click();
        QCOMPARE(choices(), QStringList{u"ZRVA/KP/0001 ALPHA BARU dipadam|Butiran Kerja: Baiki longkang/Pagar sekolah/Cat dewan"_s});
        QCOMPARE(values(store.rows().last(), {u"NoDaftar"_s, u"NamaSyarikat"_s, u"Tarikh_dapat_kerja"_s, u"Butiran_kerja"_s,
                                              u"Nilai"_s}),
                 (QStringList{u"ZRVA/KP/0003"_s, u"ALPHA BARU"_s, u"1.1.2024\r\n2.2.2024"_s,
                              u"Baiki longkang\r\nPagar sekolah\r\nCat dewan"_s, u"RM 9"_s}));
        QCOMPARE(store.count(), 2);
        QCOMPARE(f5->Text2a->text() + u' ' + f5->Text2b->text(), u"ZRVA/KP/0003 ALPHA BARU"_s);
    }
    // Another desktop removes the next contractor: ">" says so, never shows
    // it as an empty record, and what is typed next lands on the one shown.
    void movingOntoAContractorRemovedElsewhere()
    {
        TempStore store;
        store.addContractors(3);
        auto f4 = openForm();
        store.exec(u"DELETE FROM kontraktor WHERE id = 2"_s);
        f4->Command6->click();
        QCOMPARE(reports(), QStringList{kGone});
        QCOMPARE(f4->Text1->text() + u' ' + f4->Text2->text(), u"ZRVA/KP/0001 SYARIKAT 1"_s);
        QCOMPARE(update(*f4, {{f4->Text5, u"019-1"_s}}), QStringList());
        QCOMPARE(byName(store, u"NoTelHp"_s), (QMap<QString, QString>{{u"SYARIKAT 1"_s, u"019-1"_s},
                                                                     {u"SYARIKAT 3"_s, u"NoTelHp 3"_s}}));
        f4->Command6->click();
        QCOMPARE(reports(), QStringList());
        QCOMPARE(f4->Text1->text() + u' ' + f4->Text2->text(), u"ZRVA/KP/0003 SYARIKAT 3"_s);

        // The work window: its work typed after the report is written back
        // to the contractor it shows.
        Form5 *f5 = showWindow<Form5>();
        store.exec(u"DELETE FROM kontraktor WHERE id = 3"_s);
        f5->Command6->click();
        QCOMPARE(reports(), QStringList{kGone});
        f5->Text2e->setPlainText(u"Cat dewan"_s);
        f5->Command3->click();
        QCOMPARE(reports(), QStringList());
        QCOMPARE(byName(store, u"Butiran_kerja"_s), (QMap<QString, QString>{{u"SYARIKAT 1"_s, u"Cat dewan"_s}}));
    }
};

ARB_TEST_MAIN(StaleTest)
#include "tst_stale.moc"
