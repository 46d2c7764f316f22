#include "TestSupport.h"

#include "about/Form7.h"
#include "app/Form1.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "platform/Windows.h"
#include "register/Form4.h"
#include "reports/Form2.h"
#include "reports/Form3.h"
#include "work/Form5.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QTimer>

using namespace arb;
using namespace Qt::StringLiterals;

namespace {

// Words of the program's Malay that English spells the same way.
const QStringList kMalaySpelledAlike{u"data"_s,   u"fail"_s,  u"folder"_s, u"set"_s,  u"no"_s,  u"lot"_s, u"bin"_s,
                                     u"status"_s, u"program"_s, u"alias"_s, u"unit"_s, u"mod"_s};
// The council's own English words and abbreviations (captions of the print
// window, "No Inden / LO", "No Tel"), the units of the page set-up, and the
// short marks Qt's dialogs show.
const QStringList kAllowed{u"properties"_s, u"printer"_s, u"lo"_s, u"tel"_s, u"ok"_s, u"pdf"_s, u"mm"_s, u"cm"_s,
                           u"in"_s,         u"pt"_s,      u"pica"_s, u"didot"_s, u"cicero"_s, u"dd"_s, u"cc"_s};

// The common words of British English (proper names left out).
const QSet<QString> &english()
{
    static const QSet<QString> words = [] {
        QSet<QString> out;
        QFile f(u"/usr/share/dict/british-english"_s);
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray &line : f.readAll().split('\n'))
                if (!line.isEmpty() && QChar(line.at(0)).isLower() && !line.contains('\''))
                    out.insert(QString::fromUtf8(line));
        return out;
    }();
    return words;
}

// Paper and printer names, as Qt and the system name them.
QSet<QString> namesAllowed()
{
    QSet<QString> out;
    QStringList names = QPrinterInfo::availablePrinterNames();
    for (int id = 0; id <= QPageSize::LastPageSize; ++id)
        names << QPageSize::name(QPageSize::PageSizeId(id));
    for (const QString &n : names)
        for (const QString &w : n.toLower().split(QRegularExpression(u"[^\\p{L}]+"_s), Qt::SkipEmptyParts))
            out.insert(w);
    return out;
}

QString plain(QString text)
{
    if (Qt::mightBeRichText(text))
        text = QTextDocumentFragment::fromHtml(text).toPlainText();
    return text.remove(u'&');
}

// The texts a clerk sees on a widget: captions, titles, list entries, tab
// names, column headings; not what the boxes hold (the register's data,
// file names, paths).
QStringList textsOf(QWidget *w)
{
    QStringList out;
    if (auto *l = qobject_cast<QLabel *>(w))
        out << l->text();
    else if (auto *b = qobject_cast<QAbstractButton *>(w))
        out << b->text() << b->toolTip();
    else if (auto *g = qobject_cast<QGroupBox *>(w))
        out << g->title();
    else if (auto *c = qobject_cast<QComboBox *>(w); c && c->objectName() != u"lookInCombo"_s)
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        out << e->placeholderText();
    else if (auto *s = qobject_cast<QAbstractSpinBox *>(w))
        out << s->specialValueText();
    else if (auto *t = qobject_cast<QTabWidget *>(w))
        for (int i = 0; i < t->count(); ++i)
            out << t->tabText(i);
    else if (auto *h = qobject_cast<QHeaderView *>(w); h && h->model())
        for (int i = 0; i < h->count(); ++i)
            out << h->model()->headerData(i, h->orientation()).toString();
    if (w->isWindow())
        out << w->windowTitle();
    return out;
}

// Every English word visible in the window, as "word (where)".
QStringList englishIn(QWidget *window, const QString &where)
{
    static const QSet<QString> names = namesAllowed();
    QStringList found;
    QList<QWidget *> widgets{window};
    widgets += window->findChildren<QWidget *>();
    for (QWidget *w : std::as_const(widgets)) {
        // What lies outside the window (the About window's diagnostics) is never seen.
        if (w != window && (!w->isVisibleTo(window) || !QRect(w->mapTo(window, QPoint()), w->size()).intersects(window->rect())))
            continue;
        if (auto *h = qobject_cast<QHeaderView *>(w); h && h->window() != window)
            continue;
        for (const QString &text : textsOf(w))
            for (const QString &word : plain(text).split(QRegularExpression(u"[^\\p{L}]+"_s), Qt::SkipEmptyParts)) {
                const QString lower = word.toLower();
                if (word.size() > 1 && english().contains(lower) && !kMalaySpelledAlike.contains(lower)
                    && !kAllowed.contains(lower) && !names.contains(lower))
                    found << u"%1 (%2: %3)"_s.arg(word, where, text.simplified());
            }
    }
    return found;
}

// Runs fn on the next modal dialog of class className once it is up; fn
// must close it.
void whenModal(const char *className, const std::function<void(QDialog *)> &fn)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, className, fn] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d || !d->inherits(className) || !d->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        fn(d);
    });
    timer->start();
}

// The contrast of every enabled text in the window against what it stands
// on, from the palettes; each pair below 3:1 as "what (ratio)".
QStringList faint(QWidget *window)
{
    QStringList out;
    const auto background = [window](QWidget *w) {
        while (w != window && !w->autoFillBackground())
            w = w->parentWidget();
        return w->palette().color(w->backgroundRole());
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || !w->isEnabled() || w->geometry().top() >= window->height())
            continue;
        // Text colour, what it stands on, and the text.
        QColor text = w->palette().color(QPalette::Text), back = w->palette().color(QPalette::Base);
        QString what;
        if (auto *l = qobject_cast<QLabel *>(w))
            std::tie(text, back, what) = std::tuple{l->palette().color(l->foregroundRole()), background(l), l->text()};
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            std::tie(text, back, what) = std::tuple{g->palette().color(QPalette::WindowText), background(g), g->title()};
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            what = e->text();
        else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
            what = p->toPlainText();
        else if (auto *b = qobject_cast<QAbstractButton *>(w); b && qobject_cast<QPushButton *>(b))
            std::tie(text, back, what) = std::tuple{b->palette().color(QPalette::ButtonText), b->palette().color(QPalette::Button), b->text()};
        else if (b)
            std::tie(text, back, what) = std::tuple{b->palette().color(QPalette::WindowText), background(b), b->text()};
        if (what.isEmpty())
            continue;
        const double ratio = contrast(text, back);
        if (ratio < 3)
            out << u"%1 (%2:1)"_s.arg(what.simplified()).arg(ratio, 0, 'f', 2);
    }
    return out;
}

} // namespace

class WindowsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (english().isEmpty())
            QFAIL("no English word list: install wbritish (scripts/test does)");
    }

    // Every window and dialog a clerk can open, with every box its actions
    // show: no English word outside the allow-list, and every text at 3:1
    // or more against what it stands on.
    void malayAndLegibleThroughout()
    {
        test::TempStore store(u"rahsia"_s, true);
        QStringList english, faintTexts;
        const auto look = [&](QWidget *w, const QString &name) {
            english += englishIn(w, name);
            faintTexts += faint(w);
            test::grab(w, name);
        };
        // A dialog, then each page of its tabs.
        const auto lookTabs = [&](QDialog *d, const QString &name) {
            look(d, name);
            for (QTabWidget *tabs : d->findChildren<QTabWidget *>())
                for (int i = 0; i < tabs->count(); ++i) {
                    tabs->setCurrentIndex(i);
                    look(d, u"%1-tab%2"_s.arg(name).arg(i));
                }
        };
        MessageBox::setInspector([&](QMessageBox &box) {
            box.show();
            english += englishIn(&box, u"kotak mesej"_s);
            test::grab(&box, u"kotak-%1"_s.arg(box.buttons().size()));
        });

        auto *main = new Form1;
        main->setAttribute(Qt::WA_DeleteOnClose);
        main->show();
        look(main, u"form1"_s);
        main->Text1->setText(u"rahsia"_s);
        main->Command1->click();
        main->Command2->click();
        look(main, u"form1-katalaluan"_s);
        main->Text2->setText(u"a"_s);
        main->Command3->click(); // differ: a box with OK

        // Right-click menus of the text boxes.
        for (QWidget *box : std::initializer_list<QWidget *>{main->Text2, new QPlainTextEdit(main)}) {
            std::unique_ptr<QMenu> menu(qobject_cast<QLineEdit *>(box) ? static_cast<QLineEdit *>(box)->createStandardContextMenu()
                                                                       : static_cast<QPlainTextEdit *>(box)->createStandardContextMenu());
            for (QAction *a : menu->actions())
                if (!a->text().isEmpty())
                    english += englishIn(new QPushButton(a->text(), menu.get()), u"menu"_s);
        }

        main->Command12->click();
        Form4 *f4 = loadedWindow<Form4>();
        look(f4, u"form4"_s);
        f4->Command2->click(); // "Baru": the record count on teal
        look(f4, u"form4-baru"_s);
        f4->Command2->click();
        f4->Command4->click();
        MessageBox::queueAnswers({MessageBox::No});
        f4->Command3->click(); // a Yes/No question
        f4->Command4->click();

        main->Command13->click();
        look(loadedWindow<Form5>(), u"form5"_s);
        main->Command11->click();
        look(loadedWindow<Form3>(), u"form3"_s);
        main->Command14->click();
        Form2 *f2 = loadedWindow<Form2>();
        look(f2, u"form2"_s);
        f2->Command6->click();
        look(loadedWindow<Form7>(), u"form7"_s);

#ifndef Q_OS_WIN // Windows's print dialog is the system's own, in the system's language
        // The printer dialog behind "Properties", its pages, its properties
        // and the file dialog of "print to file".
        QString okCaption;
        bool sawProperties = false, sawFiles = false;
        whenModal("QPrintDialog", [&](QDialog *print) {
            for (QPushButton *b : print->findChildren<QPushButton *>())
                if (b->text().contains(u"&Pilihan"_s) && b->isVisible())
                    b->click(); // the options, shown
            lookTabs(print, u"pencetak"_s);
            if (auto *box = print->findChild<QDialogButtonBox *>())
                if (QPushButton *ok = box->button(QDialogButtonBox::Ok))
                    okCaption = ok->text();
            if (auto *properties = print->findChild<QPushButton *>(u"properties"_s); properties && properties->isEnabled()) {
                whenModal("QPrintPropertiesDialog", [&](QDialog *page) {
                    sawProperties = true;
                    lookTabs(page, u"sifat"_s);
                    page->reject();
                });
                properties->click();
            }
            if (auto *files = print->findChild<QAbstractButton *>(u"fileBrowser"_s); files && files->isEnabled()) {
                whenModal("QFileDialog", [&](QDialog *dialog) {
                    sawFiles = true;
                    look(dialog, u"fail"_s);
                    dialog->reject();
                });
                files->click();
            }
            print->reject();
        });
        f2->Command4->click();
        QVERIFY(sawProperties && sawFiles);
        // It only keeps the choices: its button reads OK, not "Print".
        QCOMPARE(okCaption.remove(u'&'), u"OK"_s);
#endif

        MessageBox::setInspector({});
        QVERIFY2(test::shownBoxes().size() >= 3, "the boxes were walked");
        QVERIFY2(english.isEmpty(), qPrintable(english.join(u'\n')));
        QVERIFY2(faintTexts.isEmpty(), qPrintable(faintTexts.join(u'\n')));
        test::closeAllWindows();
    }
};

ARB_TEST_MAIN(WindowsTest)
#include "tst_windows.moc"
