#include "OpenForm4.h"
#include "TestSupport.h"

#include "app/Form1.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "platform/BoundBox.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/Windows.h"
#include "register/Form4.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

using arb::boxText;
using arb::Form4;
using arb::MessageBox;
using arb::twipsRect;
using arb::test::TempStore;

class TestForm4 : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::clear(); }

    void laidOutAsDesigned()
    {
        TempStore store(QStringLiteral("rahsia"), true);
        auto f = openForm();
        QCOMPARE(f->windowTitle(), QStringLiteral("Majlis Daerah Lembah Serindit"));
        QCOMPARE(f->size(), QSize(487, 483));
        QCOMPARE(f->palette().color(QPalette::Window), QColor(0, 64, 64));
        QCOMPARE(f->Text1->geometry(), twipsRect(120, 960, 2415, 375));
        QCOMPARE(f->Text1->font().pointSizeF(), 12.0);
        QVERIFY(f->Text1->font().bold());
        QCOMPARE(f->Text3->geometry(), twipsRect(120, 2280, 7095, 285));
        QCOMPARE(f->Text6->parentWidget(), f->Frame1);
        QCOMPARE(f->Text11->geometry(), twipsRect(3240, 1200, 3735, 285));
        QCOMPARE(f->Combo2->geometry(), twipsRect(840, 5280, 2535, 315));
        QCOMPARE(f->Command10->geometry(), twipsRect(4440, 5880, 375, 375));
        QCOMPARE(f->Command5->geometry(), twipsRect(6360, 5880, 855, 375));
        QCOMPARE(f->Frame2->geometry(), twipsRect(0, 6480, 7215, 735));
        QCOMPARE(f->Command8->geometry(), twipsRect(6120, 240, 855, 375));
        QVERIFY(f->Text21->geometry().top() >= f->height()); // below the client area
        QCOMPARE(f->Text21->focusPolicy(), Qt::NoFocus);     // so nothing is typed into it unseen
        QVERIFY(f->Label15->font().underline() && f->Label14->font().underline() && f->Label16->font().underline());
        QCOMPARE(f->Frame1->title(), QStringLiteral("No Pendaftaran PKK, CIDB dan Kem. Kewangan"));
        QCOMPARE(f->Combo2->count(), 2);
        QCOMPARE(f->Combo2->itemText(1), QStringLiteral("Pembekalan/Perkhidmatan"));
        QCOMPARE(f->Combo1->currentText(), QStringLiteral("No Daftar"));
        QCOMPARE(f->searchMode(), 0);

        // Browse state after load.
        QVERIFY(!f->Text1->isEnabled() && !f->Text3->isEnabled() && !f->Combo2->isEnabled() && !f->Text20->isEnabled());
        QVERIFY(f->Text16->isEnabled() && f->Text21->isEnabled());
        QVERIFY(f->Command2->isEnabled() && f->Command9->isEnabled() && f->Command8->isEnabled());
        QVERIFY(!f->Command3->isEnabled());
        QVERIFY(f->Text18->isHidden());

        // Tab order, checked as the relative order along the focus chain.
        const QList<QWidget *> order{f->Text21, f->Text17, f->Text19, f->Text2, f->Text4, f->Text3, f->Text13,
                                     f->Text12, f->Text5, f->Text14, f->Text15, f->Text6, f->Text9, f->Text7,
                                     f->Text10, f->Text8, f->Text11, f->Combo2, f->Text20, f->Command2,
                                     f->Command3, f->Command4, f->Command9, f->Command7, f->Command6,
                                     f->Command10, f->Command1, f->Text16, f->Combo1, f->Command8, f->Command5,
                                     f->Text18, f->Text1};
        QList<QWidget *> seen;
        QWidget *w = f->Text21;
        do {
            if (order.contains(w) && !seen.contains(w))
                seen << w;
            w = w->nextInFocusChain();
        } while (w != f->Text21);
        QCOMPARE(seen, order);

        // The first demo contractor, address with its line breaks.
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0001"));
        QCOMPARE(f->Text2->text(), QStringLiteral("SYARIKAT JAYA MAJU"));
        QCOMPARE(boxText(f->Text3), store.value(0, QStringLiteral("AlamatPendaftaranSyarikat")).toString());
        QVERIFY(boxText(f->Text3).contains(QStringLiteral("\r\n")));
        QCOMPARE(f->Combo2->currentText(), QStringLiteral("Pembinaan"));

        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        f->grab().save(QStringLiteral("/tmp/form4.png"));
        f->Command2->click();
        f->grab().save(QStringLiteral("/tmp/form4-baru.png"));
        // Closed through its title bar: nothing of the registration is stored.
        f->close();
        QCOMPARE(store.count(), 25);
    }

    void arrowsStopAtTheEnds()
    {
        TempStore store;
        store.addContractors(3);
        QVariantMap odd;
        odd.insert(QStringLiteral("NoDaftar"), QStringLiteral("ZRVA/KP/0004"));
        odd.insert(QStringLiteral("Bidang"), QStringLiteral("Lain-lain")); // not an entry of the list
        odd.insert(QStringLiteral("NamaSyarikat"), QVariant()); // null, from an older file
        store.addContractor(odd);
        auto f = openForm();

        f->Command7->click(); // "<" on the first row
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0001"));
        f->Command6->click();
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0002"));
        QCOMPARE(f->Text2->text(), QStringLiteral("SYARIKAT 2"));
        QCOMPARE(f->Text13->text(), QStringLiteral("NamaPengarahUrusan 2"));
        QCOMPARE(f->Text20->text(), QStringLiteral("kelas 2"));
        f->Command10->click(); // ">>": the row with nulls shows them empty
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0004"));
        QCOMPARE(f->Text2->text(), QString());
        QCOMPARE(f->Combo2->currentText(), QStringLiteral("Lain-lain"));
        f->Text1->setText(QStringLiteral("typed over"));
        f->Command6->click(); // ">" on the last row shows it again
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0004"));
        f->Command7->click();
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0003"));
        f->Command9->click();
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0001"));
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(store.count(), 4); // browsing stores nothing
    }

    void emptyRegisterOpensEmpty()
    {
        TempStore store;
        auto f = openForm();
        QCOMPARE(f->Text1->text(), QString());
        QCOMPARE(boxText(f->Text3), QString());
        for (QPushButton *b : {f->Command9, f->Command7, f->Command6, f->Command10})
            b->click();
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(f->Text1->text(), QString());
    }

    void registrationStoresTrimmedFieldsWithBlankMarker()
    {
        TempStore store;
        store.addContractors(12);
        auto f = openForm();
        f->Command6->click();
        f->Command2->click(); // "Baru"
        QVERIFY(f->editing());
        QVERIFY(!f->Text18->isHidden());
        QCOMPARE(f->Text18->toPlainText(), QStringLiteral("Jumlah Rekod Semasa : 12"));
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0013"));
        QCOMPARE(f->Text2->text(), QString());
        QCOMPARE(boxText(f->Text3), QString());
        QCOMPARE(f->Combo2->currentText(), QString());
        QCOMPARE(f->Text21->text(), QStringLiteral(" "));
        QCOMPARE(f->Command2->text(), QStringLiteral("Ok"));
        QVERIFY(f->Command2->isEnabled());
        for (QWidget *w : QList<QWidget *>{f->Command3, f->Command4, f->Command9, f->Command7, f->Command6,
                                           f->Command10, f->Command1, f->Command5, f->Command8, f->Text16, f->Combo1})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(f->Text1->isEnabled() && f->Text3->isEnabled() && f->Combo2->isEnabled());

        f->Text2->setText(QStringLiteral("  SYARIKAT BARU  "));
        f->Text4->setText(QStringLiteral("   "));
        f->Text3->setPlainText(QStringLiteral("  No. 1, Jalan Baru\n\tTaman Indah  "));
        f->Combo2->setEditText(QStringLiteral("Kerja Am"));
        f->Text17->setText(QStringLiteral("1.2.2025"));
        f->Text6->setText(QStringLiteral(" \tPKK/1 "));
        f->Command2->click(); // "Ok"

        QCOMPARE(store.count(), 13);
        const QVariantMap row = store.rows().last();
        QCOMPARE(row.value(QStringLiteral("NoDaftar")).toString(), QStringLiteral("ZRVA/KP/0013"));
        QCOMPARE(row.value(QStringLiteral("NamaSyarikat")).toString(), QStringLiteral("SYARIKAT BARU"));
        QCOMPARE(row.value(QStringLiteral("NoPendaftaranSyarikat")).toString(), QString()); // spaces only
        QVERIFY(!row.value(QStringLiteral("NoPendaftaranSyarikat")).isNull());
        QCOMPARE(row.value(QStringLiteral("AlamatPendaftaranSyarikat")).toString(),
                 QStringLiteral("No. 1, Jalan Baru\r\n\tTaman Indah"));
        QCOMPARE(row.value(QStringLiteral("Bidang")).toString(), QStringLiteral("Kerja Am"));
        QCOMPARE(row.value(QStringLiteral("NDPKK")).toString(), QStringLiteral("\tPKK/1")); // a tab is not a space
        QCOMPARE(row.value(QStringLiteral("NoTelHp")).toString(), QStringLiteral("-"));
        QCOMPARE(row.value(QStringLiteral("kelas")).toString(), QStringLiteral("-"));
        QCOMPARE(row.value(QStringLiteral("Tarikh_dapat_kerja")).toString(), QString());
        QVERIFY(row.value(QStringLiteral("No_I_LO")).isNull()); // work fields are not written

        // Back to browsing on the new row; the fields show what was typed.
        QVERIFY(!f->editing());
        QCOMPARE(f->Command2->text(), QStringLiteral("Baru"));
        QVERIFY(f->Text18->isHidden());
        QVERIFY(!f->Text2->isEnabled() && f->Command9->isEnabled() && !f->Command3->isEnabled());
        QCOMPARE(f->Text2->text(), QStringLiteral("  SYARIKAT BARU  "));
        QCOMPARE(f->Text5->text(), QStringLiteral("-"));
        QCOMPARE(f->Text4->text(), QStringLiteral("   "));
        f->Command6->click();
        QCOMPARE(f->Text2->text(), QStringLiteral("SYARIKAT BARU"));
        f->Command7->click();
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0012"));
        QVERIFY(MessageBox::takeShown().isEmpty()); // registration shows no message
    }

    void proposalFollowsTheRowCount()
    {
        TempStore store;
        {
            auto f = openForm();
            f->Command2->click();
            QCOMPARE(f->Text18->toPlainText(), QStringLiteral("Jumlah Rekod Semasa : 0"));
            QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0001"));
            f->Command2->click();
            QCOMPARE(store.count(), 1);
            QCOMPARE(store.value(0, QStringLiteral("NoDaftar")).toString(), QStringLiteral("ZRVA/KP/0001"));
            f->Command9->click();
            QCOMPARE(f->Text2->text(), QStringLiteral("-"));
        }
        store.addContractors(4);
        {
            auto f = openForm();
            f->Command6->click();
            f->Command4->click();
            MessageBox::queueAnswers({MessageBox::Yes});
            f->Command3->click();
            QCOMPARE(store.count(), 4);
            f->Command2->click();
            QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0005")); // again: the count, not the highest
            f->Command2->click();
        }
        store.exec(QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 9994) "
                                  "INSERT INTO kontraktor (NoDaftar) SELECT 'ZRVA/KP/' || x FROM c"));
        auto f = openForm();
        f->Command2->click();
        QCOMPARE(f->Text18->toPlainText(), QStringLiteral("Jumlah Rekod Semasa : 9999"));
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/10000"));
    }

    void updateRewritesTheCurrentRow()
    {
        TempStore store;
        store.addContractors(3);
        store.exec(QStringLiteral("UPDATE kontraktor SET Tarikh_dapat_kerja = ' ' WHERE NoDaftar = 'ZRVA/KP/0002'"));
        auto f = openForm();
        f->Command6->click();
        f->Command4->click(); // "Kemaskini"
        QVERIFY(f->editing());
        QCOMPARE(f->Command4->text(), QStringLiteral("Ok"));
        QVERIFY(f->Command4->isEnabled() && f->Command3->isEnabled() && f->Text2->isEnabled());
        QVERIFY(!f->Command2->isEnabled() && !f->Command6->isEnabled() && !f->Command5->isEnabled());
        QVERIFY(!f->Command8->isEnabled() && !f->Text16->isEnabled());

        f->Text2->setText(QStringLiteral(" SYARIKAT DUA BARU "));
        f->Text13->clear();
        f->Command4->click(); // "Ok"
        QCOMPARE(f->Command4->text(), QStringLiteral("Kemaskini"));
        QVERIFY(!f->editing() && !f->Text2->isEnabled() && f->Command2->isEnabled() && !f->Command3->isEnabled());
        QCOMPARE(f->Text13->text(), QStringLiteral("-"));
        QCOMPARE(store.count(), 3);
        QCOMPARE(store.value(1, QStringLiteral("NamaSyarikat")).toString(), QStringLiteral("SYARIKAT DUA BARU"));
        QCOMPARE(store.value(1, QStringLiteral("NamaPengarahUrusan")).toString(), QStringLiteral("-"));
        QCOMPARE(store.value(1, QStringLiteral("Tarikh_dapat_kerja")).toString(), QString()); // " " trimmed
        QCOMPARE(store.value(1, QStringLiteral("Butiran_kerja")).toString(), QStringLiteral("Butiran_kerja 2"));
        QCOMPARE(store.value(0, QStringLiteral("NamaSyarikat")).toString(), QStringLiteral("SYARIKAT 1"));
        QCOMPARE(store.value(2, QStringLiteral("NamaSyarikat")).toString(), QStringLiteral("SYARIKAT 3"));
        QVERIFY(MessageBox::takeShown().isEmpty());

        // A failing store keeps the step: the caption stays "Ok".
        f->Command4->click();
        store.exec(QStringLiteral("DROP TABLE kontraktor"));
        f->Command4->click();
        QCOMPARE(f->Command4->text(), QStringLiteral("Ok"));
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().icon, MessageBox::Critical);
    }

    void deletionAsksAndMovesOn()
    {
        TempStore store;
        store.addContractors(4);
        auto f = openForm();
        f->Command6->click(); // row 2
        f->Command4->click();
        f->Text2->setText(QStringLiteral("diubah"));
        MessageBox::queueAnswers({MessageBox::No});
        f->Command3->click();
        auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).text, QStringLiteral("Anda pasti untuk padam rekod ini?"));
        QCOMPARE(shown.at(0).title, QStringLiteral("Padam..."));
        QVERIFY(shown.at(0).yesNo);
        QCOMPARE(shown.at(0).icon, MessageBox::NoIcon);
        QCOMPARE(shown.at(1).text, QStringLiteral("Rekod Tidak Dipadam!"));
        QCOMPARE(shown.at(1).title, QStringLiteral("Mesej"));
        QCOMPARE(shown.at(1).icon, MessageBox::Information);
        QCOMPARE(store.count(), 4);
        QVERIFY(f->editing());
        QCOMPARE(f->Text2->text(), QStringLiteral("diubah"));
        QVERIFY(f->Command3->isEnabled() && f->Command4->isEnabled());

        // A middle row: the row after it is shown.
        MessageBox::queueAnswers({MessageBox::Yes});
        f->Command3->click();
        shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(1).text, QStringLiteral("Rekod Dipadam"));
        QCOMPARE(shown.at(1).icon, MessageBox::Exclamation);
        QCOMPARE(store.count(), 3);
        QCOMPARE(store.value(1, QStringLiteral("NoDaftar")).toString(), QStringLiteral("ZRVA/KP/0003"));
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0003"));
        QCOMPARE(f->Command4->text(), QStringLiteral("Kemaskini"));
        QVERIFY(!f->editing() && f->Command6->isEnabled() && !f->Command3->isEnabled());
        QVERIFY(f->Text2->isEnabled()); // left editable until satu(false) runs

        // The last row: the row before it is shown.
        f->Command10->click();
        f->Command4->click();
        MessageBox::queueAnswers({MessageBox::Yes});
        f->Command3->click();
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0003"));
        f->Command6->click();
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0003"));

        // Down to nothing: an empty register, then a first registration again.
        for (int i = 0; i < 2; ++i) {
            f->Command4->click();
            MessageBox::queueAnswers({MessageBox::Yes});
            f->Command3->click();
        }
        QCOMPARE(store.count(), 0);
        QCOMPARE(f->Text1->text(), QString());
        shown = MessageBox::takeShown();
        QCOMPARE(shown.last().text, QStringLiteral("Rekod Dipadam"));
        for (const auto &s : shown)
            QVERIFY(s.icon != MessageBox::Critical);
        f->Command2->click();
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0001"));
        f->Command2->click();
        QCOMPARE(store.count(), 1);
    }

    void daftarKeepsARegistrationInProgress()
    {
        TempStore store(QStringLiteral("rahsia"));
        store.addContractors(2);
        arb::Form1 main;
        main.Text1->setText(QStringLiteral("rahsia"));
        main.Command1->click();
        main.Command12->click();
        QPointer<Form4> f = arb::loadedWindow<Form4>();
        QVERIFY(f);
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0001"));
        f->Command2->click();
        f->Text2->setText(QStringLiteral("SEDANG DIDAFTAR"));
        main.Command12->click();
        QCOMPARE(arb::loadedWindow<Form4>(), f);
        QCOMPARE(f->Text1->text(), QStringLiteral("ZRVA/KP/0003"));
        QCOMPARE(f->Text2->text(), QStringLiteral("SEDANG DIDAFTAR"));
        QVERIFY(f->Text2->isEnabled());
        f->Command2->click();
        QCOMPARE(store.count(), 3);
        // Browsing again: "Daftar " reloads the current row read-only.
        f->Text2->setText(QStringLiteral("x"));
        main.Command12->click();
        QCOMPARE(f->Text2->text(), QStringLiteral("SEDANG DIDAFTAR"));
        QVERIFY(!f->Text2->isEnabled());
        delete f.data();
    }

    void keluarUnloads()
    {
        TempStore store;
        store.addContractors(1);
        QPointer<Form4> f = new Form4;
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->show();
        QPointer<arb::DataControl> dc = f->kontraktor;
        QVERIFY(dc->isOpen());
        f->Command5->click();
        QVERIFY(f.isNull() || !f->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f.isNull());
        QVERIFY(dc.isNull());
    }
};

ARB_TEST_MAIN(TestForm4)
#include "tst_form4.moc"
