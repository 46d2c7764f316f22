#include "TestSupport.h"
#include "platform/Keyboard.h"

#include "data/Fields.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/Windows.h"
#include "reports/Form3.h"

#include <QPushButton>
#include <QTableView>

using namespace arb;

namespace {
// Row by row, the given column of the grid joined by "|".
QString grid(Form3 *f, int column)
{
    QStringList out;
    for (int r = 0; r < f->DataGrid1->model()->rowCount(); ++r)
        out << f->DataGrid1->model()->index(r, column).data().toString();
    return out.join('|');
}
} // namespace

class Form3Test : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        test::closeAllWindows();
        MessageBox::clear();
    }

    void gridReadOnceAtLoad()
    {
        test::TempStore store;
        QVariantMap first = test::contractor("ZRVA/KP/0002", "JAYA MAJU", "JAYA MAJU");
        first.insert("AlamatPendaftaranSyarikat", "NO 1, JALAN PASAR\r\nKUALA SERINDIT\r\n");
        first.insert("Butiran_kerja", "Membaiki longkang\nMembina wakaf");
        first.remove("Bidang"); // null
        store.addContractor(first);
        store.addContractor(test::contractor("ZRVA/KP/0001", "SERI INDAH", "SERI INDAH"));

        Form3 *f = showWindow<Form3>();
        QCOMPARE(f->windowTitle(), QStringLiteral("Majlis Daerah Lembah Serindit"));
        QCOMPARE(f->size(), QSize(px(11910), px(7065)));
        QCOMPARE(caption(f->Command1) + '|' + caption(f->Command2), QStringLiteral("Susun|Keluar"));
        test::grab(f, QStringLiteral("form3"));
        QAbstractItemModel *m = f->DataGrid1->model();
        QStringList headings;
        for (int c = 0; c < m->columnCount(); ++c)
            headings << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headings.join('|'), QStringLiteral("No Daftar|Tarikh Daftar|Nama Syarikat|Alamat|No Tel|Kelas|Bidang|Kerja"));
        QCOMPARE(f->DataGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);

        QCOMPARE(grid(f, 0), QStringLiteral("ZRVA/KP/0002|ZRVA/KP/0001")); // stored order
        QStringList row;
        for (int c = 1; c < 8; ++c)
            row << m->index(0, c).data().toString();
        QCOMPARE(row, QStringList({"TarikhDaftar JAYA MAJU", "JAYA MAJU", "NO 1, JALAN PASAR | KUALA SERINDIT", "NoTelHp JAYA MAJU",
                                   "kelas JAYA MAJU", "", "Membaiki longkang | Membina wakaf"}));
        QCOMPARE(m->index(0, 7).data(Qt::ToolTipRole).toString(), QStringLiteral("Membaiki longkang\nMembina wakaf"));

        // Read once at load: a row stored later is not seen until reloaded.
        store.addContractor(test::contractor("ZRVA/KP/0003", "BARU", "BARU"));
        QCOMPARE(m->rowCount(), 2);
    }

    // A register larger than a block: the grid lists every row at load and
    // reads the fields as it shows them, in stored order; a row removed
    // meanwhile keeps its place, empty. After "Susun" a new window, where the
    // old one stood, shows the new order whole, on the contractor that was current.
    void gridReadInBlocks()
    {
        test::TempStore store;
        store.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
                   "INSERT INTO kontraktor (\"NoDaftar\", \"NamaSyarikat\") SELECT 'ZRVA/KP/' || (1600 - i), "
                   "'SYARIKAT ' || (1600 - i) FROM n");
        Form3 *f = showWindow<Form3>();
        QCOMPARE(f->DataGrid1->model()->rowCount(), 600);
        store.exec("DELETE FROM kontraktor WHERE \"NoDaftar\" = 'ZRVA/KP/1050'");
        // Each block's first and last rows (256 a block), and the removed one empty in its place.
        const auto rows = [&](Form3 *w, int column) {
            const QStringList all = grid(w, column).split('|');
            QStringList out;
            for (int r : {0, 255, 256, 511, 512, 549, 550})
                out << all.at(r);
            return (out << all.last()).join('|').remove(QStringLiteral("ZRVA/KP/"));
        };
        QCOMPARE(rows(f, 0), QStringLiteral("1599|1344|1343|1088|1087||1049|1000"));
        QCOMPARE(rows(f, 2), QStringLiteral("SYARIKAT 1599|SYARIKAT 1344|SYARIKAT 1343|SYARIKAT 1088|SYARIKAT 1087||SYARIKAT 1049|SYARIKAT 1000"));

        f->DataGrid1->setCurrentIndex(f->DataGrid1->model()->index(99, 2)); // ZRVA/KP/1500
        f->move(40, 30);
        f->Command1->click();
        QCOMPARE(test::shownBoxes(), QStringList{"Mesej|Selesai Disusun|info"});
        Form3 *after = loadedWindow<Form3>();
        QVERIFY(after && after != f && after->isVisible());
        QCOMPARE(after->pos(), QPoint(40, 30)); // read anew, shown again in its place
        QCOMPARE(after->DataGrid1->model()->rowCount(), 599);
        QCOMPARE(rows(after, 0), QStringLiteral("1000|1256|1257|1512|1513|1550|1551|1599"));
        QCOMPARE(after->DataGrid1->currentIndex().row(), 499);
        QCOMPARE(after->DataGrid1->currentIndex().data().toString(), QStringLiteral("SYARIKAT 1500"));
    }

    void susunFailureKeluarAndEmptyRegister()
    {
        {
            test::TempStore store;
            store.addContractor(test::contractor("ZRVA/KP/0002", "B", "B"));
            store.addContractor(test::contractor("ZRVA/KP/0001", "A", "A"));
            Form3 *f = showWindow<Form3>();
            // A store that refuses the sort's write.
            if (test::onPostgres()) {
                store.exec("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'no'; END $$");
                store.exec("CREATE TRIGGER refuse BEFORE UPDATE OF id ON kontraktor FOR EACH ROW EXECUTE FUNCTION refuse()");
            } else {
                store.exec("CREATE TRIGGER refuse BEFORE UPDATE OF id ON kontraktor BEGIN SELECT RAISE(ABORT, 'no'); END");
            }
            f->Command1->click();
            const QStringList shown = test::shownBoxes();
            QVERIFY2(shown.size() == 1 && shown[0].contains("tidak berubah") && shown[0].endsWith("|critical"), qPrintable(shown.join('/')));
            QCOMPARE(loadedWindow<Form3>(), f); // stays open as it was
            QVERIFY(f->isVisible() && !QApplication::overrideCursor());
            QTest::mouseClick(f->Command2, Qt::LeftButton); // "Keluar" closes it, asking nothing
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!loadedWindow<Form3>() && MessageBox::takeShown().isEmpty());
        }
        test::TempStore store;
        Form3 *f = showWindow<Form3>();
        QCOMPARE(f->DataGrid1->model()->rowCount(), 0);
        f->Command1->click();
        QCOMPARE(test::shownBoxes(), QStringList{"Mesej|Tiada rekod kontraktor untuk disusun.|info"});
        QCOMPARE(loadedWindow<Form3>(), f);
    }
};

ARB_TEST_MAIN(Form3Test)
#include "tst_form3.moc"
