#include "TestSupport.h"

#include "app/Form1.h"
#include "platform/AddressBox.h"
#include "platform/MessageBox.h"
#include "platform/Windows.h"
#include "work/Form5.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QPushButton>

using namespace arb;
using namespace Qt::StringLiterals;
using test::busyDuring;

namespace {
const QString kDates = u"Tarikh_dapat_kerja"_s;
const QString kJobs = u"Butiran_kerja"_s;
const QString kWord = u"Jumpa|Teruskan?|?"_s;

// Three contractors with dates written the ways clerks write them.
void addThree(test::TempStore &store)
{
    const QStringList names{u"SYARIKAT JAYA MAJU"_s, u"BINAAN SERINDIT"_s, u"LEMBAH JAYA"_s};
    const QStringList dates{u"1/2/2003\r\n3-4-2003"_s, u"5 6 2004"_s, u"7/8/2005"_s};
    const QStringList jobs{u"Baiki longkang\r\nCat dewan"_s, u"Turap jalan"_s, u"Bekal kerusi"_s};
    for (int i = 0; i < 3; ++i)
        store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/000%1"_s.arg(i + 1)}, {u"NamaSyarikat"_s, names[i]},
                             {kDates, dates[i]}, {kJobs, jobs[i]}});
}

// The stored work dates, row by row.
QStringList dates(test::TempStore &store)
{
    QStringList out;
    for (const QVariantMap &row : store.rows())
        out << row.value(kDates).toString();
    return out;
}

// The line at the top of a job column, as its text.
QString topLine(QAbstractScrollArea *column)
{
    auto *edit = qobject_cast<QTextEdit *>(column);
    const QTextBlock block = edit->cursorForPosition(QPoint(2, 2)).block();
    return block.text();
}
} // namespace

class Form5Test : public QObject
{
    Q_OBJECT
private slots:
    void init() { MessageBox::clear(); }

    void openedFromTheMenu()
    {
        test::TempStore store(u"rahsia"_s, true);
        Form1 main;
        main.Text1->setText(u"rahsia"_s);
        main.Command1->click();
        main.Command13->click();
        QPointer<Form5> form = loadedWindow<Form5>();
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->windowTitle(), u"Majlis Daerah Lembah Serindit"_s);
        QCOMPARE(form->size(), QSize(473, 546));
        // Only the work boxes take typing; the search starts by company name.
        QVERIFY(form->Text2a->isReadOnly() && form->Text2b->isReadOnly() && form->Text1->isReadOnly());
        QVERIFY(!form->Text2c->isReadOnly() && !form->Text2->isReadOnly() && !form->Text2e->isReadOnly()
                && !form->Text2f->isReadOnly());
        QCOMPARE(form->Combo1->currentText(), u"Nama Syarikat"_s);
        QCOMPARE(form->Text2a->text(), u"ZRVA/KP/0001"_s);
        // The locked address: its lines whole (the demo's three), no caret.
        auto *address = qobject_cast<AddressBox *>(form->Text1);
        QVERIFY(address && address->viewport()->height() % address->fontMetrics().height() == 0);
        QCOMPARE(address->visibleLines(), 3);
        QCOMPARE(address->toPlainText().count(u'\n'), 2);
        QVERIFY(!(address->textInteractionFlags() & (Qt::TextEditable | Qt::TextSelectableByKeyboard)));
        test::grab(form, u"form5"_s);
        // Enter in the search box runs "Cari".
        form->Text16->setText(u"BERKAT"_s);
        QTest::keyClick(form->Text16, Qt::Key_Return);
        QCOMPARE(test::shownBoxes().value(0), kWord);
        // A second click brings the same window to the front as it stands.
        form->Command7->click();
        main.Command13->click();
        QCOMPARE(loadedWindow<Form5>(), form);
        QVERIFY(form->Text2a->text() != u"ZRVA/KP/0001"_s);
        form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // The three job columns never wrap, show scroll bars when the text is
    // longer or wider than the box, and scroll as one: line n of each stays
    // beside line n of the others, even where one column is shorter.
    void jobColumnsStayTogether()
    {
        test::TempStore store;
        store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/0001"_s}, {kDates, u"1.1.2005"_s}});
        QPointer<Form5> form = showWindow<Form5>();
        QStringList dates, jobs, values;
        for (int i = 1; i <= 40; ++i) {
            dates << u"%1.1.2005"_s.arg(i);
            jobs << (i == 3 ? u"Turap jalan dari simpang Kampung Baru hingga ke jambatan Sungai Serindit"_s
                            : u"Kerja %1"_s.arg(i));
            if (i <= 30)
                values << u"RM %1"_s.arg(i);
        }
        form->Text2->setPlainText(dates.join(u'\n'));
        form->Text2e->setPlainText(jobs.join(u'\n'));
        form->Text2f->setPlainText(values.join(u'\n'));
        QCoreApplication::processEvents();
        const QList<QAbstractScrollArea *> columns{form->Text2, form->Text2e, form->Text2f};
        for (QAbstractScrollArea *c : columns) {
            QTextDocument *doc = c->findChild<QTextDocument *>();
            QCOMPARE(doc->lineCount(), doc->blockCount());
            QVERIFY(c->verticalScrollBar()->isVisibleTo(form));
        }
        QVERIFY(form->Text2e->horizontalScrollBar()->isVisibleTo(form));
        test::grab(form, u"form5-columns"_s);
        // Scrolling one scrolls the others to the same line.
        form->Text2e->verticalScrollBar()->setValue(form->Text2e->verticalScrollBar()->maximum() / 2);
        const QString middle = topLine(form->Text2);
        QVERIFY(middle != u"1.1.2005"_s);
        QCOMPARE(topLine(form->Text2e), u"Kerja "_s + middle.section(u'.', 0, 0));
        QCOMPARE(topLine(form->Text2f), u"RM "_s + middle.section(u'.', 0, 0));
        // Moving the cursor to the last date scrolls the others down with it, past the values' end.
        form->Text2->setFocus();
        QTest::keyClick(form->Text2, Qt::Key_End, Qt::ControlModifier);
        QCoreApplication::processEvents();
        const int bottom = form->Text2->verticalScrollBar()->value();
        QVERIFY(bottom > 0);
        for (QAbstractScrollArea *c : columns)
            QCOMPARE(c->verticalScrollBar()->value(), bottom);
        QCOMPARE(topLine(form->Text2e), u"Kerja "_s + topLine(form->Text2).section(u'.', 0, 0));
        form->close();
    }

    // Escape drops the typing on the row shown once the clerk agrees; the
    // arrows and "Keluar", which may wait to store, show the busy pointer.
    void escapeAndBusyPointer()
    {
        test::TempStore store;
        addThree(store);
        QPointer<Form5> form = showWindow<Form5>();
        QApplication::setActiveWindow(form);
        QTest::keyClick(form->Text2e, Qt::Key_Escape); // nothing typed: nothing asked
        QVERIFY(MessageBox::takeShown().isEmpty());
        form->Text2e->setPlainText(u"Tidak jadi"_s);
        MessageBox::queueAnswers({MessageBox::No});
        QTest::keyClick(form->Text2e, Qt::Key_Escape);
        QCOMPARE(form->Text2e->toPlainText(), u"Tidak jadi"_s);
        store.exec(u"UPDATE kontraktor SET \"Nilai\" = 'RM 1' WHERE \"NoDaftar\" = 'ZRVA/KP/0001'"_s);
        MessageBox::queueAnswers({MessageBox::Yes});
        QTest::keyClick(form->Text2e, Qt::Key_Escape);
        QCOMPARE(arb::test::shownBoxes(), (QStringList{u"Batal...|Batalkan perubahan?|?"_s, u"Batal...|Batalkan perubahan?|?"_s}));
        QCOMPARE(form->Text2e->toPlainText() + u'|' + form->Text2f->toPlainText(), u"Baiki longkang\nCat dewan|RM 1"_s);

        for (QPushButton *step : {form->Command6, form->Command7, form->Command5, form->Command4})
            QVERIFY(busyDuring(step));
        QCOMPARE(store.value(0, kJobs).toString(), u"Baiki longkang\r\nCat dewan"_s);
        QVERIFY(busyDuring(form->Command3));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void tarikhCasesOnAnEmptyTable()
    {
        test::TempStore store;
        Form5 form;
        // Nothing to step through: only "<<", which needs a row, reports it.
        form.Command6->click();
        form.Command5->click();
        QVERIFY(MessageBox::takeShown().isEmpty());
        form.Command4->click();
        const auto shown = MessageBox::takeShown();
        QVERIFY(shown.size() == 1 && shown.first().icon == MessageBox::Critical);

        const QList<std::pair<QString, QString>> cases{
            {u"12/05/2003"_s, u"12.05.2003"_s}, {u"12-05-2003"_s, u"12.05.2003"_s},
            {u"12 05 2003"_s, u"12.05.2003"_s}, {u"12.05.2003"_s, u"12.05.2003"_s},
            {u"1/2/2003\n3-4-2003"_s, u"1.2.2003\n3.4.2003"_s}, {u"1.2.2004 3.4.2005"_s, u"1.2.2004.3.4.2005"_s},
            // Mixed separators on several lines.
            {u"1/2-2003\n4 5/2006\n07-08 2009"_s, u"1.2.2003\n4.5.2006\n07.08.2009"_s},
            // Each line trimmed first, so no date starts or ends with "."; a blank line stays empty.
            {u" 7-1-2027"_s, u"7.1.2027"_s}, {u"   9/9/1999 "_s, u"9.9.1999"_s},
            {u" 1/1/2001\n  2/2/2002\t"_s, u"1.1.2001\n2.2.2002"_s}, {u"\n 3/3/2003"_s, u"\n3.3.2003"_s},
            {u"1.1.2001\n   \n2.2.2002"_s, u"1.1.2001\n\n2.2.2002"_s}, {u"\t1/1/2001"_s, u"1.1.2001"_s},
            // Blanks only: two or more vanish, one stays, empty becomes one.
            {u"  "_s, QString()}, {u"     "_s, QString()}, {u" "_s, u" "_s}, {QString(), u" "_s},
        };
        for (const auto &[typed, expected] : cases) {
            form.Text2->setPlainText(typed);
            form.tarikh();
            QCOMPARE(form.Text2->toPlainText(), expected);
        }
        form.close();
        QCOMPARE(store.count(), 0);
        // Work fields never filled: shown empty, the date stored as one blank when left.
        store.addContractor({{u"NoDaftar"_s, u"ZRVA/KP/0009"_s}});
        Form5 filled;
        QCOMPARE(filled.Text2e->toPlainText(), QString());
        filled.Command6->click();
        QCOMPARE(dates(store), QStringList{u" "_s});
        QVERIFY(store.value(0, kJobs).isNull() && MessageBox::takeShown().isEmpty());
    }

    void editsStoredBySearchMovesAndClose()
    {
        test::TempStore store;
        addThree(store);
        QPointer<Form5> form = showWindow<Form5>();
        // The first row shown is not normalised until it is left, and the search leaves it as typed.
        QCOMPARE(form->Text2->toPlainText(), u"1/2/2003\n3-4-2003"_s);
        form->Text2->setPlainText(u"1/2/2003\n3-4-2003\n9 9 2009"_s);
        form->Text2e->setPlainText(u"Baiki longkang\nCat dewan\nPagar"_s);
        // Opened fresh, the window searches by company name.
        QCOMPARE(test::search(*form, u"  jaya "_s, -1, {MessageBox::Yes, MessageBox::No}), (QStringList{kWord, kWord}));
        QCOMPARE(form->Text2a->text(), u"ZRVA/KP/0003"_s);
        QCOMPARE(form->Text2->toPlainText(), u"7/8/2005"_s);
        // Rows passed over are neither normalised nor changed.
        QCOMPARE(dates(store), (QStringList{u"1/2/2003\r\n3-4-2003\r\n9 9 2009"_s, u"5 6 2004"_s, u"7/8/2005"_s}));
        QCOMPARE(store.value(0, kJobs).toString(), u"Baiki longkang\r\nCat dewan\r\nPagar"_s);
        // By number once chosen.
        form->Combo1->setCurrentIndex(0);
        QCOMPARE(test::search(*form, u"3"_s, -1, {MessageBox::No}), QStringList{u"Jumpa...|Teruskan?|?"_s});
        QCOMPARE(form->Text2a->text(), u"ZRVA/KP/0003"_s);

        // A job added on the first row, stored with its dates normalised when ">>" leaves it.
        QTest::mouseClick(form->Command4, Qt::LeftButton);
        form->Text2->setPlainText(u"1/2/2003\n3-4-2003\n9 10 2006"_s);
        form->Text2e->setPlainText(u"Baiki longkang\nCat dewan\nPagar sekolah"_s);
        form->Text2c->setText(u"LO/77/2006"_s);
        QTest::mouseClick(form->Command7, Qt::LeftButton);
        const QVariantMap first = store.rows().first();
        QCOMPARE(first.value(kJobs).toString(), u"Baiki longkang\r\nCat dewan\r\nPagar sekolah"_s);
        QCOMPARE(first.value(u"No_I_LO"_s).toString(), u"LO/77/2006"_s);
        // ">" on the last row keeps it and normalises it; the row passed over is left alone.
        form->Text2->setPlainText(u"7/8/2005"_s);
        QTest::mouseClick(form->Command6, Qt::LeftButton);
        QCOMPARE(form->Text2a->text(), u"ZRVA/KP/0003"_s);
        QCOMPARE(form->Text2->toPlainText(), u"7.8.2005"_s);
        QCOMPARE(dates(store), (QStringList{u"1.2.2003\r\n3.4.2003\r\n9.10.2006"_s, u"5 6 2004"_s, u"7.8.2005"_s}));
        // "<" on the first row likewise; an emptied date column is stored as one blank.
        QTest::mouseClick(form->Command4, Qt::LeftButton);
        form->Text2->setPlainText(QString());
        QTest::mouseClick(form->Command5, Qt::LeftButton);
        QCOMPARE(form->Text2a->text(), u"ZRVA/KP/0001"_s);
        QCOMPARE(dates(store).first(), u" "_s);
        // Two blanks are stored as empty text, not null.
        QTest::mouseClick(form->Command6, Qt::LeftButton);
        form->Text2->setPlainText(u"  "_s);
        QTest::mouseClick(form->Command6, Qt::LeftButton);
        QVERIFY(!store.value(1, kDates).isNull());
        // Edits on the row shown at "Keluar": stored as typed.
        form->Text2->setPlainText(u"7/8/2005\n1-1-2007"_s);
        form->Text2f->setPlainText(u"800.00\n950.00"_s);
        QTest::mouseClick(form->Command3, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form);
        QCOMPARE(dates(store), (QStringList{u" "_s, QString(), u"7/8/2005\r\n1-1-2007"_s}));
        QCOMPARE(store.value(2, u"Nilai"_s).toString(), u"800.00\r\n950.00"_s);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }
};

ARB_TEST_MAIN(Form5Test)
#include "tst_form5.moc"
