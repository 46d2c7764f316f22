#include "OpenForm4.h"
#include "data/DataControl.h"
#include "platform/Twips.h"
#include "register/HistoryWindow.h"

#include <QLabel>
#include <QPointer>
#include <QSysInfo>
#include <QTableWidget>

using namespace arb;
using namespace Qt::StringLiterals;
using test::TempStore;

namespace {
// Action, field, old and new value of a line of the list; or all its cells.
QString line(const HistoryWindow &h, int row, int from = 3, int to = 6)
{
    QStringList cells;
    for (int i = from; i <= to; ++i)
        cells << (h.Grid1->item(row, i) ? h.Grid1->item(row, i)->text() : QString());
    return cells.join(u'|');
}

HistoryWindow *openHistory(Form4 &f)
{
    f.Command11->click();
    return f.findChild<HistoryWindow *>();
}

void closeHistory(HistoryWindow *h)
{
    QPointer<HistoryWindow> gone(h);
    h->Command3->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(gone.isNull());
}
} // namespace

class TestHistoryWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::clear(); }

    // The button sits in free space; the history of the contractor shown,
    // newest first; "Pulihkan" writes the old value back conditionally.
    void historyOfTheContractorShown()
    {
        TempStore store(u"rahsia"_s, true);
        auto f = openForm();
        QCOMPARE(f->Command11->geometry(), twipsRect(3720, 645, 855, 285));
        for (QWidget *w : f->findChildren<QWidget *>())
            if (w != f->Command11 && w->parentWidget() == f.get() && w->isVisible())
                QVERIFY2(!w->geometry().intersects(f->Command11->geometry()), qPrintable(w->objectName()));
        const QString old = f->Text5->text();
        f->Command4->click();
        f->Text5->setText(u"012-999"_s);
        f->Command4->click();

        HistoryWindow *h = openHistory(*f);
        QVERIFY(h && h->isVisible() && h->windowModality() == Qt::WindowModal && !h->showingDeleted());
        QCOMPARE(h->Label2->text(), f->Text1->text() + u"  "_s + f->Text2->text());
        QCOMPARE(line(*h, 0), u"Diubah|No Telefon H/p|%1|012-999"_s.arg(old));
        const QString here = QSysInfo::machineHostName();
        QCOMPARE(line(*h, 0, 2, 2), test::onPostgres() ? QCoreApplication::applicationName() + u'@' + here : here);
        QVERIFY(line(*h, 0, 0, 0).contains(QDate::currentDate().toString(u"dd.MM.yyyy"_s)));
        QCOMPARE(line(*h, h->Grid1->rowCount() - 1, 3, 4), u"Didaftar|No Daftar"_s);
        test::grab(h, u"sejarah"_s);
        test::grab(f.get(), u"form4-sejarah"_s);

        // Set back: asked, written, recorded, shown in the record window.
        h->Grid1->selectRow(0);
        MessageBox::queueAnswers({MessageBox::Yes});
        h->Command1->click();
        QCOMPARE(shownBoxes(), (QStringList{u"Pulihkan...|Pulihkan No Telefon H/p kepada nilai lamanya \"%1\"?|?"_s.arg(old),
                                            u"Mesej|No Telefon H/p telah dipulihkan.|info"_s}));
        QCOMPARE(store.value(0, u"NoTelHp"_s).toString(), old);
        QCOMPARE(f->Text5->text(), old);
        QCOMPARE(line(*h, 0), u"Dipulihkan|No Telefon H/p|012-999|%1"_s.arg(old));

        // Changed by another desktop since the window read it: nothing
        // written, the conflict reported, the history read again.
        store.exec(u"UPDATE kontraktor SET \"NoTelHp\" = 'lain' WHERE id = 1"_s);
        h->Grid1->selectRow(1);
        MessageBox::queueAnswers({MessageBox::Yes});
        h->Command1->click();
        const QStringList shown = shownBoxes();
        QVERIFY2(shown.size() == 2 && shown[1].startsWith(u"Ralat|Kontraktor ini telah diubah"_s), qPrintable(shown.join('/')));
        QCOMPARE(store.value(0, u"NoTelHp"_s).toString(), u"lain"_s);
        QCOMPARE(line(*h, 0, 4, 6), u"No Telefon H/p|%1|lain"_s.arg(old));

        // A registration has no old value; nothing selected, nothing done.
        h->Grid1->selectRow(h->Grid1->rowCount() - 1);
        h->Command1->click();
        QCOMPARE(shownBoxes(), QStringList{u"Mesej|Perubahan ini tiada nilai lama untuk dipulihkan.|info"_s});
        closeHistory(h);
    }

    // "Kontraktor dipadam" lists a deleted contractor; "Pulihkan" brings it
    // back whole, work included, under its number, shown in the record window.
    void deletedContractorBroughtBack()
    {
        TempStore store(u"rahsia"_s, true);
        auto f = openForm();
        f->Command6->click();
        const QVariantMap before = store.rows().at(1);
        f->Command4->click();
        MessageBox::queueAnswers({MessageBox::Yes});
        f->Command3->click();
        MessageBox::clear();
        QCOMPARE(store.count(), 24);

        HistoryWindow *h = openHistory(*f);
        h->Command2->click();
        QVERIFY(h->showingDeleted());
        QCOMPARE(h->Command2->text(), u"Sejarah Kontraktor"_s);
        QCOMPARE(h->Grid1->rowCount(), 1);
        QCOMPARE(line(*h, 0, 3, 4), before.value(u"NoDaftar"_s).toString() + u'|' + before.value(u"NamaSyarikat"_s).toString());
        test::grab(h, u"sejarah-dipadam"_s);
        MessageBox::queueAnswers({MessageBox::Yes});
        h->Command1->click();
        QCOMPARE(shownBoxes().last(), u"Mesej|Kontraktor %1 telah dipulihkan.|info"_s.arg(before.value(u"NoDaftar"_s).toString()));
        QCOMPARE(h->Grid1->rowCount(), 0);
        QCOMPARE(store.count(), 25);
        QVariantMap back = store.rows().last();
        back.remove(u"id"_s);
        QVariantMap want = before;
        want.remove(u"id"_s);
        QCOMPARE(back, want);
        QCOMPARE(f->Text1->text(), before.value(u"NoDaftar"_s).toString());
        h->Command2->click();
        QVERIFY(!h->showingDeleted());
        closeHistory(h);

        // An empty register opens straight on the deleted contractors.
        store.exec(u"DELETE FROM kontraktor"_s);
        f->reload();
        h = openHistory(*f);
        QVERIFY(h->showingDeleted() && !h->Command2->isEnabled());
        QCOMPARE(h->Grid1->rowCount(), 25);
        closeHistory(h);
    }
};

ARB_TEST_MAIN(TestHistoryWindow)
#include "tst_historywindow.moc"
