#include "TestSupport.h"

#include "data/Fields.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/Windows.h"
#include "reports/ContractorGrid.h"
#include "reports/Form3.h"

#include <QDir>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

using namespace arb;

namespace {
QVariantMap contractor(const QString &noDaftar, const QString &name)
{
    QVariantMap m;
    for (const QString &f : contractorFields())
        m.insert(f, f + QLatin1Char(' ') + name);
    m.insert(QStringLiteral("NoDaftar"), noDaftar);
    m.insert(QStringLiteral("NamaSyarikat"), name);
    return m;
}

QString cell(Form3 *f, int row, int column)
{
    return f->DataGrid1->model()->index(row, column).data().toString();
}

QStringList serials(Form3 *f)
{
    QStringList out;
    for (int r = 0; r < f->DataGrid1->model()->rowCount(); ++r)
        out << cell(f, r, 0);
    return out;
}

// Windows unloaded by close() go at the next turn of the event loop.
void letUnloadsHappen()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

class Form3Test : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        if (Form3 *f = loadedWindow<Form3>())
            f->close();
        letUnloadsHappen();
        MessageBox::clear();
    }

    void gridShowsTheRegisterOnce()
    {
        test::TempStore store;
        QVariantMap first = contractor(QStringLiteral("ZRVA/KP/0002"), QStringLiteral("JAYA MAJU"));
        first.insert(QStringLiteral("AlamatPendaftaranSyarikat"), QStringLiteral("NO 1, JALAN PASAR\r\nKUALA SERINDIT\r\n"));
        first.insert(QStringLiteral("Butiran_kerja"), QStringLiteral("Membaiki longkang\nMembina wakaf"));
        first.remove(QStringLiteral("Bidang")); // null
        store.addContractor(first);
        store.addContractor(contractor(QStringLiteral("ZRVA/KP/0001"), QStringLiteral("SERI INDAH")));

        Form3 *f = showWindow<Form3>();
        QCOMPARE(f->windowTitle(), QStringLiteral("Majlis Daerah Lembah Serindit"));
        QCOMPARE(f->size(), QSize(px(11910), px(7065)));
        QCOMPARE(f->palette().color(QPalette::Window), QColor(0, 64, 64));
        QCOMPARE(f->DataGrid1->geometry(), twipsRect(0, 0, 11895, 6495));
        QCOMPARE(f->Command1->text(), QStringLiteral("Susun"));
        QCOMPARE(f->Command1->geometry(), twipsRect(9600, 6600, 975, 375));
        QCOMPARE(f->Command2->text(), QStringLiteral("Keluar"));
        QCOMPARE(f->Command2->geometry(), twipsRect(10680, 6600, 1095, 375));

        QAbstractItemModel *m = f->DataGrid1->model();
        const QStringList headings{"No Daftar", "Tarikh Daftar", "Nama Syarikat", "Alamat",
                                   "No Tel",    "Kelas",         "Bidang",        "Kerja"};
        const QList<int> widths{1395, 1395, 3015, 2415, 1515, 1515, 1515, 1515};
        QCOMPARE(m->columnCount(), 8);
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), headings.at(c));
            QCOMPARE(f->DataGrid1->columnWidth(c), px(widths.at(c)));
        }
        QCOMPARE(f->DataGrid1->horizontalHeader()->font().family(), QStringLiteral("Arial"));
        QVERIFY(f->DataGrid1->horizontalHeader()->font().bold());
        QCOMPARE(f->DataGrid1->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(f->DataGrid1->font().pointSizeF(), 8.25);
        QCOMPARE(f->DataGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);

        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(serials(f), QStringList({"ZRVA/KP/0002", "ZRVA/KP/0001"})); // stored order
        QCOMPARE(cell(f, 0, 1), QStringLiteral("TarikhDaftar JAYA MAJU"));
        QCOMPARE(cell(f, 0, 2), QStringLiteral("JAYA MAJU"));
        QCOMPARE(cell(f, 0, 3), QStringLiteral("NO 1, JALAN PASAR | KUALA SERINDIT"));
        QCOMPARE(cell(f, 0, 4), QStringLiteral("NoTelHp JAYA MAJU"));
        QCOMPARE(cell(f, 0, 5), QStringLiteral("kelas JAYA MAJU"));
        QCOMPARE(cell(f, 0, 6), QString());
        QCOMPARE(cell(f, 0, 7), QStringLiteral("Membaiki longkang | Membina wakaf"));
        QCOMPARE(m->index(0, 7).data(Qt::ToolTipRole).toString(), QStringLiteral("Membaiki longkang\nMembina wakaf"));

        // Read once at load: a row stored later is not seen until reloaded.
        store.addContractor(contractor(QStringLiteral("ZRVA/KP/0003"), QStringLiteral("BARU")));
        QCOMPARE(m->rowCount(), 2);
    }

    void susunSortsAndShowsTheWindowAgain()
    {
        test::TempStore store;
        store.addContractor(contractor(QStringLiteral("ZRVA/KP/0003"), QStringLiteral("C")));
        store.addContractor(contractor(QStringLiteral("ZRVA/KP/0001"), QStringLiteral("A")));
        store.addContractor(contractor(QStringLiteral("ZRVA/KP/0002"), QStringLiteral("B")));

        QPointer<Form3> before = showWindow<Form3>();
        before->move(40, 30);
        QTest::mouseClick(before->Command1, Qt::LeftButton);

        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).text, QStringLiteral("Selesai Disusun"));
        QCOMPARE(shown.at(0).title, QStringLiteral("Mesej"));
        QCOMPARE(shown.at(0).icon, MessageBox::Information);
        QVERIFY(!shown.at(0).yesNo);

        Form3 *after = loadedWindow<Form3>();
        QVERIFY(after);
        QVERIFY(after != before);
        QVERIFY(after->isVisible());
        QCOMPARE(after->pos(), QPoint(40, 30));
        QCOMPARE(serials(after), QStringList({"ZRVA/KP/0001", "ZRVA/KP/0002", "ZRVA/KP/0003"}));
        QCOMPARE(cell(after, 0, 2), QStringLiteral("A"));
        QCOMPARE(store.value(0, QStringLiteral("NamaSyarikat")).toString(), QStringLiteral("A"));
        letUnloadsHappen();
        QVERIFY(before.isNull());
    }

    void susunFailuresAndEmptyRegister()
    {
        {
            test::TempStore store;
            store.addContractor(contractor(QStringLiteral("ZRVA/KP/0002"), QStringLiteral("B")));
            store.addContractor(contractor(QStringLiteral("ZRVA/KP/00X1"), QStringLiteral("A")));
            const QList<QVariantMap> rows = store.rows();
            Form3 *f = showWindow<Form3>();
            f->Command1->click();
            const QList<MessageBox::Shown> shown = MessageBox::takeShown();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.at(0).icon, MessageBox::Critical);
            QVERIFY2(shown.at(0).text.contains(QStringLiteral("ZRVA/KP/00X1")), qPrintable(shown.at(0).text));
            QCOMPARE(store.rows(), rows);
            QCOMPARE(loadedWindow<Form3>(), f); // stays open as it was
            QVERIFY(f->isVisible());
            QCOMPARE(QApplication::overrideCursor(), nullptr);
            f->close();
            letUnloadsHappen();
        }
        {
            test::TempStore store;
            Form3 *f = showWindow<Form3>();
            QCOMPARE(f->DataGrid1->model()->rowCount(), 0);
            f->Command1->click();
            const QList<MessageBox::Shown> shown = MessageBox::takeShown();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.at(0).title, QStringLiteral("Mesej"));
            QCOMPARE(shown.at(0).icon, MessageBox::Information);
            QVERIFY(shown.at(0).text.contains(QStringLiteral("Tiada")));
            QCOMPARE(loadedWindow<Form3>(), f);
        }
    }

    void keluarClosesWithoutTouchingTheTable()
    {
        test::TempStore store;
        store.addContractor(contractor(QStringLiteral("ZRVA/KP/0002"), QStringLiteral("B")));
        store.addContractor(contractor(QStringLiteral("ZRVA/KP/0001"), QStringLiteral("A")));
        // Any write at all would fail loudly.
        store.exec(QStringLiteral("CREATE TRIGGER frozen BEFORE UPDATE ON kontraktor BEGIN SELECT RAISE(ABORT, 'x'); END"));
        const QList<QVariantMap> rows = store.rows();
        QPointer<Form3> f = showWindow<Form3>();
        QTest::mouseClick(f->Command2, Qt::LeftButton);
        QVERIFY(!f->isVisible());
        letUnloadsHappen();
        QVERIFY(f.isNull());
        QVERIFY(!loadedWindow<Form3>());
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(store.rows(), rows);
    }

    void lookWithDemoData()
    {
        test::TempStore store(QStringLiteral("rahsia"), true);
        Form3 *f = showWindow<Form3>();
        QVERIFY(f->DataGrid1->model()->rowCount() > 20);
        const QString file = QDir::temp().filePath(QStringLiteral("arb-form3.png"));
        QVERIFY(f->grab().save(file));
    }
};

ARB_TEST_MAIN(Form3Test)
#include "tst_form3.moc"
