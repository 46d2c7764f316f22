#include "TestSupport.h"

#include "data/DataControl.h"
#include "data/Fields.h"
#include "platform/BoundBox.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
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

namespace {
// Opened the way the main window's "Daftar " opens it.
std::unique_ptr<Form4> openForm()
{
    auto f = std::make_unique<Form4>();
    f->satu(false);
    f->gerak(1);
    return f;
}
} // namespace

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
