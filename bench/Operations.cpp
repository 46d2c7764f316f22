#include "Operations.h"

#include "Floors.h"
#include "Generator.h"

#include "data/Connection.h"
#include "data/DataControl.h"
#include "data/Fields.h"
#include "data/Locations.h"
#include "platform/MessageBox.h"
#include "platform/Windows.h"
#include "register/Form4.h"
#include "register/HistoryWindow.h"
#include "data/ContractorSort.h"
#include "reports/Form2.h"
#include "reports/Form3.h"
#include "reports/PainterDevice.h"
#include "reports/PrintRecorder.h"
#include "reports/Printer.h"
#include "work/Form5.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>

namespace arb::bench {

namespace {

Form4 *openForm4()
{
    Form4 *f = showWindow<Form4>();
    f->satu(false);
    f->gerak(1);
    return f;
}

Row budgetRow(const QString &op, Timing t, double limitSeconds)
{
    Row r;
    r.operation = op;
    r.time = t;
    r.budget = QStringLiteral("<= %1 s").arg(limitSeconds);
    r.holds = t.median <= limitSeconds;
    return r;
}

Row ratioRow(const QString &op, Timing t, const QString &against, Timing floor, double maxRatio)
{
    Row r;
    r.operation = op;
    r.time = t;
    r.against = against;
    r.against_s = floor.median;
    r.budget = QStringLiteral("<= %1x floor").arg(maxRatio);
    r.holds = t.median <= maxRatio * floor.median;
    return r;
}

// Every job of one operation goes to a PDF file in the folder.
struct PdfOutput
{
    explicit PdfOutput(const QString &folder)
    {
        Printer::setDeviceFactory([folder](const QString &jobName) -> std::unique_ptr<PrintDevice> {
            return PainterDevice::forPdf(folder + QLatin1Char('/') + jobName + QStringLiteral(".pdf"));
        });
    }
    ~PdfOutput() { Printer::resetDeviceFactory(); }
};

} // namespace

void runOperations(Context &ctx, Table &table)
{
    const int reps = ctx.reps;
    QTextStream &out = ctx.out;
    // Memory is counted group by group, from here: making the register, and
    // the recordings the bench keeps of the lists, are not the program's.
    const auto countMemory = [&] {
        const double peak = peakMemoryMB();
        out << "  peak resident memory: " << qRound(peak) << " MB" << Qt::endl;
        ctx.peakMB = std::max(ctx.peakMB, peak);
        resetPeakMemory();
    };
    resetPeakMemory();

    // --- "Susun" against the rewrite floor ---------------------------------
    if (ctx.wants(QStringLiteral("susun"))) {
    out << "Susun..." << Qt::endl;
    const Timing floor = measure(reps, ctx.fresh, [&] { rewriteFloor(ctx.store); });
    resetPeakMemory(); // the floor holds every row: the bench's, not the program's
    Form3 *list = nullptr;
    const Timing susun = measure(
        reps,
        [&] {
            closeAll();
            ctx.fresh();
            list = showWindow<Form3>();
            settle();
        },
        [&] {
            list->Command1->click(); // sort, "Selesai Disusun", window reloaded
            settle();
        });
    table.add(ratioRow(QStringLiteral("\"Susun\" end-to-end"), susun, QStringLiteral("rewrite"), floor, 3));
    closeAll();
    ctx.fresh();
    countMemory();

    // The original insertion sort, for reference.
    {
        QTemporaryDir small;
        const QString path = small.filePath(QStringLiteral("2000.mdb"));
        generateStore(path, 2000);
        const QString copy = small.filePath(QStringLiteral("copy.mdb"));
        const Timing t2000 = measure(1, [&] { QFile::remove(copy); QFile::copy(path, copy); }, [&] { insertionSortReference(copy); });
        Row r;
        r.operation = QStringLiteral("insertion sort, 24 arrays (N=2000)");
        r.time = t2000;
        r.hasBudget = false;
        table.add(r);
        // Quadratic: it runs at fixed sizes, at most the 10,000 the old
        // program could hold, never at a larger register's size.
        const int size = std::min(ctx.count, 10000);
        if (size != 2000) {
            QString source = ctx.base;
            if (size != ctx.count) {
                source = small.filePath(QStringLiteral("%1.mdb").arg(size));
                generateStore(source, size);
            }
            const QString reference = small.filePath(QStringLiteral("reference.mdb"));
            const Timing tn = measure(1, [&] { QFile::remove(reference); QFile::copy(source, reference); },
                                      [&] { insertionSortReference(reference); });
            Row rn;
            rn.operation = QStringLiteral("insertion sort, 24 arrays (N=%1)").arg(size);
            rn.time = tn;
            rn.hasBudget = false;
            table.add(rn);
        }
        ctx.fresh();
    }
    resetPeakMemory(); // the references are the bench's

    }

    // --- searches with no match ------------------------------------------
    if (ctx.wants(QStringLiteral("search"))) {
    out << "Searches..." << Qt::endl;
    const auto search = [&](QComboBox *mode, QLineEdit *word, QPushButton *go, int index, const QString &text) {
        mode->setCurrentIndex(index);
        word->setText(text);
        return measure(reps, {}, [&] {
            go->click();
            settle();
        });
    };
    Form4 *record = openForm4();
    table.add(budgetRow(QStringLiteral("search, no match, by number (Form4)"),
                        search(record->Combo1, record->Text16, record->Command8, 0, QStringLiteral("99999")), 0.5));
    table.add(budgetRow(QStringLiteral("search, no match, by name (Form4)"),
                        search(record->Combo1, record->Text16, record->Command8, 1, QStringLiteral("TIADAPADAN")), 0.5));
    closeAll();
    Form5 *work = showWindow<Form5>();
    settle();
    table.add(budgetRow(QStringLiteral("search, no match, by number (Form5)"),
                        search(work->Combo1, work->Text16, work->Command8, 0, QStringLiteral("99999")), 0.5));
    table.add(budgetRow(QStringLiteral("search, no match, by name (Form5)"),
                        search(work->Combo1, work->Text16, work->Command8, 1, QStringLiteral("TIADAPADAN")), 0.5));
    closeAll();

    countMemory();
    }

    // --- list reports ----------------------------------------------------
    if (ctx.wants(QStringLiteral("reports"))) {
    out << "Reports..." << Qt::endl;
    Form2 *print = showWindow<Form2>();
    settle();
    print->Option2->click();
    const auto contractorList = [&] {
        print->Command2->click();
        settle();
    };
    const auto workList = [&] {
        print->Command3->click();
        settle();
    };
    RecordedJob contractorJob, workJob;
    {
        PrintRecorder recorder;
        // One list into the recorder: timed, and its job kept for the floor.
        const auto recorded = [&](const QString &name, const std::function<void()> &list) {
            Row r;
            r.time = measure(reps, [&] { recorder.clear(); }, list);
            const RecordedJob job = recorder.jobs().value(0);
            r.operation = QStringLiteral("%1 to recorder, %2 pages").arg(name).arg(job.pages.size());
            r.hasBudget = false;
            table.add(r);
            return job;
        };
        contractorJob = recorded(QStringLiteral("contractor list (all)"), contractorList);
        workJob = recorded(QStringLiteral("work list"), workList);
    }
    const QString floorPdf = ctx.folder + QStringLiteral("/floor.pdf");
    const Timing contractorFloor = measure(reps, {}, [&] { painterFloor(contractorJob, floorPdf); });
    const Timing workFloor = measure(reps, {}, [&] { painterFloor(workJob, floorPdf); });
    contractorJob = {};
    workJob = {};
    resetPeakMemory();
    {
        PdfOutput pdf(ctx.folder);
        table.add(ratioRow(QStringLiteral("contractor list (all) to PDF"), measure(reps, {}, contractorList),
                           QStringLiteral("QPainter"), contractorFloor, 2));
        table.add(ratioRow(QStringLiteral("work list to PDF"), measure(reps, {}, workList), QStringLiteral("QPainter"), workFloor, 2));
    }
    closeAll();

    countMemory();
    }

    // --- opening windows, one registration -------------------------------
    if (ctx.wants(QStringLiteral("windows"))) {
    out << "Windows..." << Qt::endl;
    // What the list window holds, apart from making the register.
    closeAll();
    resetPeakMemory();
    table.add(budgetRow(QStringLiteral("open list window (grid filled)"), measure(reps, closeAll, [&] {
                            showWindow<Form3>();
                            QApplication::processEvents();
                        }), 0.3));
    {
        // Scrolled through to its end, as a clerk might.
        Form3 *list = loadedWindow<Form3>();
        for (int row = 0; list && row < list->DataGrid1->model()->rowCount(); row += 500) {
            list->DataGrid1->scrollTo(list->DataGrid1->model()->index(row, 0));
            list->DataGrid1->viewport()->repaint();
        }
        QApplication::processEvents();
        Row mem;
        mem.operation = QStringLiteral("peak resident memory (list window, scrolled)");
        mem.time.median = peakMemoryMB();
        mem.budget = QStringLiteral("<= 100 MB");
        mem.holds = mem.time.median <= 100;
        table.add(mem);
    }
    table.add(budgetRow(QStringLiteral("open record window on first row"), measure(reps, closeAll, [&] {
                            openForm4();
                            QApplication::processEvents();
                        }), 0.3));
    closeAll();
    Form4 *record = openForm4();
    table.add(budgetRow(QStringLiteral("one registration (\"Baru\", \"Ok\")"), measure(reps, {}, [&] {
                            record->Command2->click(); // "Baru"
                            record->Text2->setText(QStringLiteral("SYARIKAT UJIAN LAJU"));
                            record->Command2->click(); // "Ok"
                            QApplication::processEvents();
                        }), 0.3));
    closeAll();

    countMemory();
    }

    // --- the change history ----------------------------------------------
    if (ctx.wants(QStringLiteral("history"))) {
    out << "History..." << Qt::endl;
    closeAll();
    ctx.fresh();
    Form4 *record = openForm4();
    const auto closeHistory = [&] {
        for (HistoryWindow *w : record->findChildren<HistoryWindow *>())
            w->close();
        settle();
    };
    table.add(budgetRow(QStringLiteral("open one contractor's history (\"Sejarah\")"), measure(reps, closeHistory, [&] {
                            record->Command11->click();
                            QApplication::processEvents();
                        }), 0.2));
    closeHistory();
    closeAll();

    // The same store without its history, as a store was before: the same
    // operations in the same run, for the ratios.
    const QString bare = ctx.folder + QStringLiteral("/tanpa-sejarah.mdb");
    const auto freshBare = [&] {
        QFile::remove(bare);
        QFile::copy(ctx.base, bare);
        Connection c(bare);
        for (const char *t : {"sejarah_daftar", "sejarah_ubah", "sejarah_padam", "sejarah_tetap", "sejarah_tetap_meterai",
                              "sejarah_tetap_padam"})
            c.exec(QStringLiteral("DROP TRIGGER %1").arg(QLatin1String(t)));
        c.exec(QStringLiteral("DROP TABLE sejarah_sesi"));
        c.exec(QStringLiteral("DROP TABLE sejarah"));
    };
    constexpr int writes = 20;
    const auto oneRowWrites = [&](const QString &store) {
        Locations::setStore(store);
        DataControl dc(Locations::kLocalPath, kContractorTable, DataControl::Kind::Dynaset);
        dc.open();
        int n = 0;
        return measure(reps, {}, [&] {
            for (int i = 0; i < writes; ++i) {
                dc.edit();
                dc.setValue(QStringLiteral("NoTelHp"), QStringLiteral("012-%1").arg(++n));
                dc.update();
            }
        });
    };
    freshBare();
    const Timing bareWrites = oneRowWrites(bare);
    ctx.fresh();
    const auto againstBare = [](Row r) {
        r.budget.replace(QStringLiteral("floor"), QStringLiteral("no history"));
        return r;
    };
    table.add(againstBare(ratioRow(QStringLiteral("%1 one-row writes (data control update)").arg(writes),
                                   oneRowWrites(ctx.store), QStringLiteral("no history"), bareWrites, 1.3)));
    const auto susun = [&](const QString &store, const std::function<void()> &fresh) {
        Locations::setStore(store);
        return measure(reps, fresh, [] { sortContractors(QString(Locations::kLocalPath)); });
    };
    const Timing bareSusun = susun(bare, freshBare);
    table.add(againstBare(ratioRow(QStringLiteral("\"Susun\" (the sort alone)"), susun(ctx.store, ctx.fresh),
                                   QStringLiteral("no history"), bareSusun, 1.2)));
    Locations::setStore(ctx.store);
    ctx.fresh();
    countMemory();
    }

    // --- start-up of the program -----------------------------------------
    if (ctx.wants(QStringLiteral("start")) && QFile::exists(ctx.arbPath)) {
        out << "Start-up..." << Qt::endl;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ARB_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
        if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Timed to the line "shown": the login window on screen. The process
        // then leaves, on the first start of a day once the daily copy it
        // writes meanwhile is done: that is timed to its exit.
        const QString copies = QFileInfo(ctx.store).absoluteDir().filePath(QStringLiteral("sandaran"));
        const auto startUp = [&](bool firstOfDay, std::vector<double> &shown, std::vector<double> &left) {
            for (int i = 0; i < reps; ++i) {
                if (firstOfDay)
                    QDir(copies).removeRecursively();
                QProcess p;
                p.setProcessEnvironment(env);
                QElapsedTimer t;
                t.start();
                p.start(ctx.arbPath, {QStringLiteral("--database"), ctx.store});
                while (!p.canReadLine() && p.waitForReadyRead(30000)) {
                }
                shown.push_back(t.nsecsElapsed() / 1e9);
                p.waitForFinished(120000);
                left.push_back(t.nsecsElapsed() / 1e9);
            }
        };
        std::vector<double> shown, left, shownFirst, leftFirst;
        // The first starts of the day first: later starts find their copy.
        startUp(true, shownFirst, leftFirst);
        startUp(false, shown, left);
        table.add(budgetRow(QStringLiteral("start to login window (process)"), summary(shown), 0.5));
        table.add(budgetRow(QStringLiteral("start to login window, first start of the day (process, daily copy meanwhile)"),
                            summary(shownFirst), 0.5));
        Row copy;
        copy.operation = QStringLiteral("first start of the day to its daily copy written (process exit)");
        copy.time = summary(leftFirst);
        copy.hasBudget = false;
        table.add(copy);
        QDir(copies).removeRecursively();
    }
}

} // namespace arb::bench
