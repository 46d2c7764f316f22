#include "OpenForm4.h"
#include "platform/AddressBox.h"
#include "platform/Keyboard.h"
#include "platform/Look.h"
#include "data/Locations.h"
#include "data/Numbering.h"
#include "data/Failure.h"
#include "register/Search.h"
#include "data/ContractorSort.h"

#include "app/Form1.h"
#include "data/DataControl.h"
#include "platform/Windows.h"

#include <QAbstractItemView>
#include <algorithm>
#include <QPointer>
#include <QThread>
#include <thread>

using namespace arb;
using namespace Qt::StringLiterals;
using test::busyDuring;
using test::TempStore;

namespace {
// What the window offers: "browsing" (every button but "Padam", the fields
// read-only), "registering" (only "Ok" of "Baru") or "updating" ("Ok" of
// "Kemaskini" and "Padam"), the fields open for typing in both.
QString state(const Form4 &f)
{
    const QList<QWidget *> browse{f.Command9, f.Command7, f.Command6, f.Command10, f.Command1,
                                  f.Command5, f.Command8, f.Text16,   f.Combo1};
    const bool all = std::all_of(browse.cbegin(), browse.cend(), [](QWidget *w) { return w->isEnabled(); });
    const bool none = std::none_of(browse.cbegin(), browse.cend(), [](QWidget *w) { return w->isEnabled(); });
    const bool typing = !isReadOnlyBox(f.Text2);
    const bool baru = f.Command2->isEnabled(), padam = f.Command3->isEnabled(), kemaskini = f.Command4->isEnabled();
    if (all && baru && kemaskini && !padam)
        return typing ? u"browsing, fields open"_s : u"browsing"_s;
    if (none && typing && baru && !kemaskini && !padam)
        return u"registering"_s;
    if (none && typing && !baru && kemaskini && padam)
        return u"updating"_s;
    return u"?"_s;
}

// The last four characters of Text1 after each click.
QString walk(Form4 &f, const QList<QPushButton *> &buttons)
{
    QStringList shown;
    for (QPushButton *b : buttons) {
        b->click();
        shown << f.Text1->text().right(4);
    }
    return shown.join(u' ');
}

} // namespace

class TestForm4 : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::clear(); }

    void openedByDaftar()
    {
        TempStore store(u"rahsia"_s, true);
        Form1 main;
        main.Text1->setText(u"rahsia"_s);
        main.Command1->click();
        main.Command12->click();
        QPointer<Form4> f = loadedWindow<Form4>();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), u"Majlis Daerah Lembah Serindit"_s);
        QCOMPARE(f->size(), QSize(487, 483));
        // The work date box lies below the client area: nothing is typed into it unseen.
        QVERIFY(f->Text21->geometry().top() >= f->height());
        QCOMPARE(f->Text21->focusPolicy(), Qt::NoFocus);
        QCOMPARE(f->searchMode(), 0);
        QCOMPARE(state(*f), u"browsing"_s);
        QVERIFY(f->Text18->isHidden() && isReadOnlyBox(f->Text3));

        // The first demo contractor, its address with its line breaks.
        QVERIFY(boxText(f->Text3).contains(u"\r\n"_s));
        QCOMPARE(boxText(f->Text3), store.value(0, u"AlamatPendaftaranSyarikat"_s).toString());
        test::grab(f, u"form4"_s);

        // "Daftar " during a registration brings the window to the front as it stands.
        f->Command2->click();
        f->Text2->setText(u"SEDANG DIDAFTAR"_s);
        main.Command12->click();
        QCOMPARE(loadedWindow<Form4>(), f);
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0026"_s);
        QVERIFY(f->Text2->text() == u"SEDANG DIDAFTAR"_s && !isReadOnlyBox(f->Text2));
        f->Command2->click();
        QCOMPARE(store.count(), 26);
        // Browsing: "Daftar " reads the current row again, as stored now, read-only.
        f->Text2->setText(u"x"_s);
        store.exec(u"UPDATE kontraktor SET \"NamaSyarikat\" = 'DARI LAIN' WHERE \"NamaSyarikat\" = 'SEDANG DIDAFTAR'"_s);
        main.Command12->click();
        QVERIFY(f->Text2->text() == u"DARI LAIN"_s && isReadOnlyBox(f->Text2));
        // "Keluar" unloads the window with its data control.
        QPointer<DataControl> dc = f->kontraktor;
        f->Command5->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f.isNull() && dc.isNull());
        // A registration closed through the title bar stores nothing.
        main.Command12->click();
        loadedWindow<Form4>()->Command2->click();
        loadedWindow<Form4>()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(store.count(), 26);
    }

    void arrowsAndRegistration()
    {
        TempStore store;
        store.addContractors(12);
        // Not an entry of the list, and a null from an older file.
        store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/0013"_s}, {u"Bidang"_s, u"Lain-lain"_s}, {u"NamaSyarikat"_s, {}}});
        auto f = openForm();
        QCOMPARE(walk(*f, {f->Command7, f->Command6, f->Command10}), u"0001 0002 0013"_s);
        QCOMPARE(f->Text2->text(), QString());
        QCOMPARE(f->Combo2->currentText(), u"Lain-lain"_s);
        f->Text1->setText(u"typed over"_s);
        QCOMPARE(walk(*f, {f->Command6, f->Command7, f->Command9, f->Command6}), u"0013 0012 0001 0002"_s);
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(store.count(), 13); // browsing stores nothing

        f->Command2->click(); // "Baru"
        QCOMPARE(f->Text18->toPlainText(), u"Jumlah Rekod Semasa : 13"_s);
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0014"_s);
        QVERIFY(f->Text2->text().isEmpty() && boxText(f->Text3).isEmpty() && f->Combo2->currentText().isEmpty());
        QCOMPARE(f->Text21->text(), u" "_s);
        QVERIFY(caption(f->Command2) == u"Ok"_s && !f->Text18->isHidden());
        QCOMPARE(state(*f), u"registering"_s);

        f->Text2->setText(u"  SYARIKAT BARU  "_s);
        f->Text4->setText(u"   "_s);
        f->Text3->setPlainText(u"  No. 1, Jalan Baru\n\tTaman Indah  "_s);
        f->Combo2->setEditText(u"Kerja Am"_s);
        f->Text6->setText(u" \tPKK/1 "_s);
        f->Command2->click(); // "Ok"
        QCOMPARE(store.count(), 14);
        // Spaces trimmed but not tabs, spaces only stored empty, blanks as "-", work fields not written.
        QCOMPARE(values(store.rows().last(), {u"NoDaftar"_s, u"NamaSyarikat"_s, u"NoPendaftaranSyarikat"_s,
                                              u"AlamatPendaftaranSyarikat"_s, u"Bidang"_s, u"NDPKK"_s, u"NoTelHp"_s,
                                              u"kelas"_s, u"Tarikh_dapat_kerja"_s, u"No_I_LO"_s}),
                 (QStringList{u"ZRVA/KP/0014"_s, u"SYARIKAT BARU"_s, QString(), u"No. 1, Jalan Baru\r\n\tTaman Indah"_s,
                              u"Kerja Am"_s, u"\tPKK/1"_s, u"-"_s, u"-"_s, QString(), u"<null>"_s}));

        // Browsing on the new row, shown as stored.
        QVERIFY(caption(f->Command2) == u"Baru"_s && f->Text18->isHidden() && isReadOnlyBox(f->Text2));
        QCOMPARE(f->Text2->text() + u'|' + f->Text4->text(), u"SYARIKAT BARU|"_s);
        QCOMPARE(walk(*f, {f->Command6}), u"0014"_s);
        QVERIFY(MessageBox::takeShown().isEmpty());

        // A paste far past a line box's default of 32,767 characters into
        // "Bidang": stored whole and shown whole.
        const QString field = u"Pembinaan/"_s.repeated(10000);
        f->Command2->click();
        f->Combo2->lineEdit()->insert(field); // as a paste does
        f->Command2->click();
        QCOMPARE(store.value(14, u"Bidang"_s).toString(), field);
        QCOMPARE(walk(*f, {f->Command9, f->Command10}), u"0001 0015"_s);
        QCOMPARE(f->Combo2->currentText(), field);
    }

    // Escape backs out of "Baru" and "Kemaskini", asking first when
    // something was typed: nothing stored, no number used up, the row shown
    // as stored. Steps, saves and the delete show the busy pointer.
    void escapeAndBusyPointer()
    {
        TempStore store;
        store.addContractors(3);
        auto f = openForm();
        f->show();
        QApplication::setActiveWindow(f.get());
        const auto escape = [&](QWidget *w) {
            QTest::keyClick(w, Qt::Key_Escape);
            return shownBoxes();
        };
        const QStringList asked{u"Batal...|Batalkan perubahan?|?"_s};
        f->Command2->click(); // "Baru", nothing typed: straight back
        QVERIFY(escape(f->Text2).isEmpty());
        QVERIFY(caption(f->Command2) == u"Baru"_s && f->Text18->isHidden());
        QCOMPARE(state(*f), u"browsing"_s);
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0001"_s);

        f->Command2->click();
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0004"_s);
        f->Text2->setText(u"SYARIKAT BATAL"_s);
        MessageBox::queueAnswers({MessageBox::No});
        QCOMPARE(escape(f->Text2), asked);
        QVERIFY(caption(f->Command2) == u"Ok"_s && f->Text2->text() == u"SYARIKAT BATAL"_s && !isReadOnlyBox(f->Text2));
        MessageBox::queueAnswers({MessageBox::Yes});
        QCOMPARE(escape(f->Text2), asked);
        QCOMPARE(f->Text1->text() + u' ' + f->Text2->text(), u"ZRVA/KP/0001 SYARIKAT 1"_s);
        QCOMPARE(state(*f), u"browsing"_s);
        QCOMPARE(store.count(), 3);
        f->Command2->click(); // the number was not used up
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0004"_s);
        QVERIFY(escape(f->Text1).isEmpty());

        // "Kemaskini": the typing dropped, the row as stored now shown.
        store.exec(u"UPDATE kontraktor SET kelas = 'G2' WHERE id = (SELECT min(id) FROM kontraktor)"_s);
        f->Command4->click();
        f->Text13->setText(u"TIDAK JADI"_s);
        MessageBox::queueAnswers({MessageBox::Yes});
        QCOMPARE(escape(f->Text13), asked);
        QCOMPARE(f->Text13->text() + u' ' + f->Text20->text(), u"NamaPengarahUrusan 1 G2"_s);
        QVERIFY(caption(f->Command4) == u"Kemaskini"_s && isReadOnlyBox(f->Text13));
        QCOMPARE(store.value(0, u"NamaPengarahUrusan"_s).toString(), u"NamaPengarahUrusan 1"_s);

        for (QPushButton *step : {f->Command6, f->Command10, f->Command7, f->Command9})
            QVERIFY(busyDuring(step));
        f->Command4->click();
        f->Text5->setText(u"012"_s);
        QVERIFY(busyDuring(f->Command4));
        f->Command2->click();
        QVERIFY(busyDuring(f->Command2));
        f->Command4->click();
        MessageBox::queueAnswers({MessageBox::Yes});
        QVERIFY(busyDuring(f->Command3));
        QCOMPARE(store.count(), 3);
        QCOMPARE(store.value(0, u"NoTelHp"_s).toString(), u"012"_s);
    }

    // Two desktops on one store: each updates a row, one sorts while the
    // other browses; no row is lost or doubled. Only a number written as
    // proposed gives way to the next free one when taken; one typed in
    // another form is stored as typed, a duplicate serial included.
    void twoDesktops()
    {
        TempStore store;
        for (int serial : {2, 1})
            store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/000%1"_s.arg(serial)}, {u"NamaSyarikat"_s, u"S%1"_s.arg(serial)},
                                 {u"NoPendaftaranSyarikat"_s, u"P"_s}, {u"NDPKK"_s, u"K"_s}, {u"kelas"_s, u"G1"_s}});
        auto a = openForm();
        auto b = openForm();
        a->Command4->click(); // "Kemaskini" on the first row
        a->Text20->setText(u"G7"_s);
        b->Command10->click(); // B on the last
        b->Command4->click();
        b->Text20->setText(u"G9"_s);
        a->Command4->click(); // "Ok"
        b->Command4->click();
        QCOMPARE(arb::sortContractors(QString(arb::Locations::kLocalPath)), 2);
        QCOMPARE(walk(*b, {b->Command9, b->Command6}), u"0001 0002"_s);
        QStringList rows;
        for (const QVariantMap &row : store.rows())
            rows << values(row, {u"NoDaftar"_s, u"NamaSyarikat"_s, u"kelas"_s}).join(u' ');
        QCOMPARE(rows, (QStringList{u"ZRVA/KP/0001 S1 G9"_s, u"ZRVA/KP/0002 S2 G7"_s}));
        QVERIFY(MessageBox::takeShown().isEmpty());

        QStringList given;
        for (const QString &typed : {u"ZRVA/KP/0002"_s, u"LAMA/0002"_s}) {
            a->Command2->click();
            a->Text1->setText(typed);
            a->Command2->click();
            given << a->Text1->text();
        }
        QCOMPARE(shownBoxes(), QStringList{u"Mesej|No Daftar ZRVA/KP/0002 telah digunakan. "
                                           "Rekod disimpan dengan No Daftar ZRVA/KP/0003.|info"_s});
        QCOMPARE(given, (QStringList{u"ZRVA/KP/0003"_s, u"LAMA/0002"_s}));
        QCOMPARE(store.value(2, u"NoDaftar"_s).toString() + u' ' + store.value(3, u"NoDaftar"_s).toString(),
                 u"ZRVA/KP/0003 LAMA/0002"_s);
    }

    // Two desktops storing the same proposal at the same moment; a
    // proposal past 9999 keeps every digit.
    void proposalAndRegistrationsAtOnce()
    {
        TempStore store;
        store.addContractors(3);
        // The other desktop's transaction starts while this one holds the
        // store; it waits, then sees this row and takes the next number.
        const auto registerAs = [](DataControl &dc, const QString &number, const std::function<void()> &meanwhile) {
            dc.addNew([&](Connection &c) {
                dc.setValue(u"NoDaftar"_s, freeRegistrationNumber(c, dc.pendingValue(u"NoDaftar"_s).toString()));
                meanwhile();
            });
            dc.setValue(u"NoDaftar"_s, number);
            dc.update();
        };
        DataControl here(Locations::kLocalPath, u"kontraktor"_s, DataControl::Kind::Table);
        here.open();
        QString failed;
        std::thread other;
        registerAs(here, proposedRegistrationNumber(here.connection()), [&] {
            other = std::thread([&] {
                try {
                    DataControl there(Locations::kLocalPath, u"kontraktor"_s, DataControl::Kind::Table);
                    there.open();
                    registerAs(there, u"ZRVA/KP/0004"_s, [] {});
                } catch (const Failure &e) {
                    failed = e.message();
                }
            });
            QThread::msleep(300);
        });
        other.join();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QStringList numbers;
        for (const QVariantMap &row : store.rows())
            numbers << row.value(u"NoDaftar"_s).toString();
        QCOMPARE(numbers, (QStringList{u"ZRVA/KP/0001"_s, u"ZRVA/KP/0002"_s, u"ZRVA/KP/0003"_s, u"ZRVA/KP/0004"_s,
                                       u"ZRVA/KP/0005"_s}));
        store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/9999"_s}});
        auto f = openForm();
        f->Command2->click();
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/10000"_s);
    }

    // An update writes the fields the clerk changed, trimmed, an emptied
    // one as "-"; never the hidden work dates, nor the "-" shown in an empty
    // field the clerk left alone. A failing store leaves the update open.
    void updateWritesWhatChanged()
    {
        TempStore store;
        store.addContractors(3);
        store.exec(u"UPDATE kontraktor SET \"Tarikh_dapat_kerja\" = ' ', \"NoFaks\" = '' WHERE \"NoDaftar\" = 'ZRVA/KP/0002'"_s);
        auto f = openForm();
        f->Command6->click();
        f->Command4->click(); // "Kemaskini"
        QCOMPARE(caption(f->Command4), u"Ok"_s);
        QCOMPARE(state(*f), u"updating"_s);
        f->Text2->setText(u" SYARIKAT DUA BARU "_s);
        f->Text13->clear();
        f->Command4->click(); // "Ok"
        QCOMPARE(state(*f), u"browsing"_s);
        QCOMPARE(caption(f->Command4), u"Kemaskini"_s);
        QCOMPARE(f->Text13->text(), u"-"_s);
        QCOMPARE(values(store.rows().at(1), {u"NamaSyarikat"_s, u"NamaPengarahUrusan"_s, u"Tarikh_dapat_kerja"_s,
                                             u"Butiran_kerja"_s, u"NoFaks"_s}),
                 (QStringList{u"SYARIKAT DUA BARU"_s, u"-"_s, u" "_s, u"Butiran_kerja 2"_s, QString()}));
        QCOMPARE(store.value(0, u"NamaSyarikat"_s).toString() + u'|' + store.value(2, u"NamaSyarikat"_s).toString(),
                 u"SYARIKAT 1|SYARIKAT 3"_s);
        QVERIFY(MessageBox::takeShown().isEmpty());
        // A failing store keeps the step and the edit: the caption stays "Ok".
        f->Command4->click();
        f->Text5->setText(u"012"_s);
        store.exec(u"DROP TABLE kontraktor"_s);
        f->Command4->click();
        QCOMPARE(caption(f->Command4), u"Ok"_s);
        QVERIFY(!isReadOnlyBox(f->Text5) && f->Text5->text() == u"012"_s);
        QCOMPARE(shownBoxes().filter(u"|critical"_s).size(), 1);
    }

    // "Padam" answered No keeps the update open with its edit; answered Yes
    // it shows the row after, the fields left open, or for the last row the
    // row before; the proposal then passes the highest number in use. An
    // emptied register: the arrows do nothing, the next number is 0001.
    void padam()
    {
        TempStore store;
        store.addContractors(5);
        auto f = openForm();
        f->Command6->click();
        f->Command4->click();
        f->Text2->setText(u"diubah"_s);
        MessageBox::queueAnswers({MessageBox::No});
        f->Command3->click();
        QCOMPARE(shownBoxes(),
                 (QStringList{u"Padam...|Anda pasti untuk padam rekod ini?|?"_s, u"Mesej|Rekod Tidak Dipadam!|info"_s}));
        QCOMPARE(store.count(), 5);
        QVERIFY(f->editing() && f->Text2->text() == u"diubah"_s);
        QCOMPARE(state(*f), u"updating"_s);

        MessageBox::queueAnswers({MessageBox::Yes});
        f->Command3->click();
        QCOMPARE(shownBoxes().value(1), u"Mesej|Rekod Dipadam|exclamation"_s);
        QCOMPARE(store.value(1, u"NoDaftar"_s).toString(), u"ZRVA/KP/0003"_s);
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0003"_s);
        QCOMPARE(caption(f->Command4), u"Kemaskini"_s);
        QCOMPARE(state(*f), u"browsing, fields open"_s);
        f->Command2->click(); // count + 1 would repeat 0005
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0006"_s);
        f->Command2->click(); // stored, the last row: 0001 0003 0004 0005 0006
        QStringList shown;
        for (int i = 0; i < 5; ++i) {
            f->Command4->click();
            MessageBox::queueAnswers({MessageBox::Yes});
            f->Command3->click();
            shown << f->Text1->text().right(4);
        }
        QCOMPARE(shown, (QStringList{u"0005"_s, u"0004"_s, u"0003"_s, u"0001"_s, QString()}));
        QCOMPARE(store.count(), 0);
        QCOMPARE(shownBoxes().last(), u"Mesej|Rekod Dipadam|exclamation"_s);
        QCOMPARE(walk(*f, {f->Command9, f->Command7, f->Command6, f->Command10}), u"   "_s);
        QVERIFY(MessageBox::takeShown().isEmpty() && boxText(f->Text3).isEmpty());
        f->Command2->click();
        QCOMPARE(f->Text1->text(), u"ZRVA/KP/0001"_s);
        f->Command2->click();
        QCOMPARE(walk(*f, {f->Command9}), u"0001"_s);
    }

    // Browsing reads at full contrast in boxes that take no typing; Enter
    // presses the focused button; Alt and a letter press the buttons whose
    // captions mark one.
    void keyboardAndReadOnlyBrowsing()
    {
        TempStore store;
        store.addContractors(3);
        auto f = openForm();
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        for (QWidget *w : QList<QWidget *>{f->Text1, f->Text2, f->Text3, f->Text6, f->Text11, f->Text17, f->Text20, f->Combo2}) {
            QVERIFY(w->isEnabled() && isReadOnlyBox(w));
            QCOMPARE(w->focusPolicy(), Qt::ClickFocus); // Tab goes to the buttons, as before
            QWidget *box = w == f->Combo2 ? static_cast<QWidget *>(f->Combo2->lineEdit()) : w;
            const QPalette p = box->palette();
            QVERIFY2(contrast(p.color(QPalette::Active, QPalette::Text), p.color(QPalette::Active, QPalette::Base)) >= 4.5,
                     qPrintable(w->objectName()));
        }
        QTest::keyClicks(f->Text2, u"x"_s);
        QTest::keyClick(f->Combo2, Qt::Key_Down);
        QTest::mouseClick(f->Combo2, Qt::LeftButton);
        QCOMPARE(f->Text2->text() + u'|' + f->Combo2->currentText(), u"SYARIKAT 1|Bidang 1"_s);
        QVERIFY(!f->Combo2->view()->isVisible());
        // The address box shows its line whole, not one and a half.
        auto *address = qobject_cast<AddressBox *>(f->Text3);
        QVERIFY(address && address->visibleLines() == 1);
        QCOMPARE(address->viewport()->height(), address->fontMetrics().height());

        // Enter on the focused "Baru" starts a registration; the count reads at 4.5:1.
        f->Command2->setFocus();
        QTest::keyClick(f->Command2, Qt::Key_Return);
        QCOMPARE(caption(f->Command2), u"Ok"_s);
        const QPalette count = f->Text18->palette();
        QVERIFY(contrast(count.color(QPalette::Text), count.color(QPalette::Base)) >= 4.5);
        QVERIFY(!isReadOnlyBox(f->Text2) && f->Text2->focusPolicy() == Qt::StrongFocus);
        f->Text2->setText(u"DENGAN PAPAN KEKUNCI"_s);
        QTest::keyClick(f->Command2, Qt::Key_Enter);
        QCOMPARE(store.count(), 4);

        // Alt+M "Kemaskini", Alt+P "Padam" (answered No), Alt+C "Cari", Alt+K "Keluar".
        QTest::keyClick(f.get(), Qt::Key_M, Qt::AltModifier);
        QTRY_COMPARE(caption(f->Command4), u"Ok"_s);
        QTest::keyClick(f.get(), Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(shownBoxes(), (QStringList{u"Padam...|Anda pasti untuk padam rekod ini?|?"_s, u"Mesej|Rekod Tidak Dipadam!|info"_s}));
        f->Command4->click();
        f->Text16->setText(u"1"_s);
        QTest::keyClick(f.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(f->Text1->text(), u"ZRVA/KP/0001"_s);
        shownBoxes();
        QPointer<Form4> alive(f.release());
        alive->setAttribute(Qt::WA_DeleteOnClose);
        QTest::keyClick(alive, Qt::Key_K, Qt::AltModifier);
        QTRY_VERIFY(alive.isNull() || !alive->isVisible());
    }
};

ARB_TEST_MAIN(TestForm4)
#include "tst_form4.moc"
