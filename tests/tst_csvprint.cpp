#include "model/configdocument.h"
#include "testdata.h"
#include "ui/dialogs/formreport.h"
#include "ui/grid/channelgrid.h"
#include "ui/grid/channelprint.h"
#include "ui/window/edithistory.h"
#include "ui/window/recentfiles.h"
#include "windowtesting.h"

#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

namespace {

Channel Simplex(std::int32_t hertz)
{
    Channel c;
    c.freq_rx = c.freq_tx = hertz;
    return c;
}

// Pixels that are neither paper nor one of the grid's cell backgrounds: text,
// pictures and marks.
int InkIn(const QImage &image, const QRect &area)
{
    static const QList<QRgb> plain{qRgb(255, 255, 255), qRgb(208, 208, 208), qRgb(240, 240, 240),
                                   qRgb(224, 224, 224)};
    int ink = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ink += !plain.contains(image.pixel(x, y) | 0xFF000000u);
    return ink;
}

} // namespace

class TestCsvPrint : public QObject, WindowTesting
{
    Q_OBJECT
    // What the report dialogs showed: title, summary, then the lines.
    QList<QStringList> m_reports;

private slots:
    void initTestCase() { IsolateSettings(); }

    void init()
    {
        m_reports.clear();
        OpenWindows();
        m_dialogs->onExec = [this](QDialog *dialog) {
            if (auto *report = qobject_cast<TFormReport *>(dialog))
                m_reports << (QStringList{report->windowTitle(), report->summary()} + report->lines());
            return int(QDialog::Accepted);
        };
    }

    void cleanup() { CloseWindows(); }

    // --- CSV in the window ------------------------------------------------------

    void openingACsvFileImportsItWithTheOpeningRule()
    {
        TForm1 &w = Main();
        w.channels().channels[60] = Simplex(40000000); // replaced by the file's table
        w.edits()->Record(QStringLiteral("edit"));
        const QString csv = File(QStringLiteral("other.csv"));
        QVERIFY(WriteAll(csv, "Location,Frequency,Tone,rToneFreq,Mode\r\n"
                              "1,41.9,Tone,69.4,NFM\r\n" // tone not in the list
                              "2,150.0,,,FM\r\n"         // outside the range
                              "3,45.0,Tone,100.0,FM\r\n"));
        QVERIFY(w.OpenFromUser(csv));
        QCOMPARE(w.channels().channels[1].freq_rx, 41900000);
        QCOMPARE(w.channels().channels[1].subtone_tx, 0);
        QVERIFY(!w.channels().channels[2].IsUsed());
        QCOMPARE(w.channels().channels[3].subtone_tx, 13);
        QVERIFY(!w.channels().channels[60].IsUsed());
        QCOMPARE(m_dialogs->texts(),
                 QStringList{"При загрузке файла были удалены каналы, не соответствующие диапазону частот.\n"
                             "Удалены каналы: 2."});
        QCOMPARE(m_reports.size(), 1);
        const QStringList &report = m_reports.first();
        QCOMPARE(report.mid(0, 2),
                 (QStringList{"Импорт из CSV", "Перенесено каналов: 2; строк с каналами в файле: 3."}));
        QCOMPARE(report.size(), 4);
        QVERIFY(report[2].startsWith(QStringLiteral("Строка 2 (Location 1): тона 69.4 Гц")));
        QVERIFY(
            report[3].startsWith(QStringLiteral("Строка 3 (Location 2): частоты вне выбранного диапазона")));
        QCOMPARE(w.documentPath(), csv);
        QCOMPARE(RecentFiles::Load(), QStringList{csv});

        // The import is one step that undo takes back, without a question.
        QVERIFY(m_dialogs->saveQuestions.isEmpty());
        w.ActionUndo->trigger();
        QCOMPARE(w.channels().channels[60].freq_rx, 40000000);
        QVERIFY(!w.channels().channels[3].IsUsed());
    }

    // A configuration file from the recent list or a drop replaces the tables:
    // unsaved changes are asked about first, and Cancel keeps them.
    void openingAFileAsksAboutUnsavedChanges()
    {
        TForm1 &w = Main();
        const QString xml = File(QStringLiteral("saved.xml"));
        QVERIFY(w.SaveFile(xml));
        w.channels().channels[7] = Simplex(41000000);
        w.edits()->Record(QStringLiteral("edit"));
        m_dialogs->saveChoice = DialogSeam::SaveChoice::Cancel;
        QVERIFY(!w.OpenFromUser(xml));
        QCOMPARE(m_dialogs->saveQuestions.size(), 1);
        QCOMPARE(w.channels().channels[7].freq_rx, 41000000);
        m_dialogs->saveChoice = DialogSeam::SaveChoice::Discard;
        QVERIFY(w.OpenFromUser(xml));
        QVERIFY(!w.channels().channels[7].IsUsed());
    }

    void importWithNothingToCarryLeavesTheTable()
    {
        TForm1 &w = Main();
        w.channels().channels[5] = Simplex(41900000);
        const auto before = w.channels().channels;
        const QString csv = File(QStringLiteral("am.csv"));
        QVERIFY(WriteAll(csv, "Location,Frequency,Mode\r\n1,41.9,AM\r\n"));
        QVERIFY(!w.OpenFromUser(csv));
        QVERIFY(w.channels().channels == before);
        QCOMPARE(m_reports.size(), 1);
        QVERIFY(m_reports.first()[1].endsWith(QStringLiteral("Таблица каналов не изменена.")));
        QCOMPARE(RecentFiles::Load(), QStringList());
    }

    void exportedTableImportsAsItWas()
    {
        TForm1 &w = Main();
        Channel c = Simplex(41900000);
        c.freq_tx = 43100000;
        c.subtone_rx = 60;
        c.subtone_tx = 7;
        c.band_rx = c.band_tx = false;
        c.tx_power_high = 2;
        w.channels().channels[17] = c;
        w.painter().PowerWatts = {1, 2, 25, 50}; // the radio's levels decide the Power column
        m_dialogs->saveAnswer = File(QStringLiteral("out.csv"));
        w.ActionExportCsvExecute();
        QCOMPARE(m_dialogs->saveSuffix, QStringLiteral("csv"));
        QVERIFY(QFile(File(QStringLiteral("out.csv"))).open(QIODevice::ReadOnly));
        QCOMPARE(m_reports.size(), 1);
        QCOMPARE(m_reports.first()[1], QStringLiteral("Выгружено каналов: 1."));

        w.FileCreateExecute();
        QVERIFY(w.ImportCsv(File(QStringLiteral("out.csv"))));
        QVERIFY(w.channels().channels[17] == c);
    }

    // --- Printing ---------------------------------------------------------------

    void printedPageHoldsTheUsedChannels()
    {
        ChannelsContext table{QString()};
        for (int n : {0, 5, 42})
            table.channels[std::size_t(n)] = Simplex(41900000 + n * 12500);
        CellPainter look;
        ChannelPrint print(table, look,
                           {QStringLiteral("/data/boat.xml"), QStringLiteral("( 33-48.5 МГц)"), {}});
        const QSize a4(794, 1123); // at 96 dpi
        print.Paginate(a4, 96);
        QCOMPARE(print.pageCount(), 1);
        QCOMPARE(print.pageChannels(0), (QList<int>{0, 5, 42}));
        const QStringList heading = print.HeadingLines(0);
        QVERIFY(heading[0].contains(QStringLiteral("/data/boat.xml")));
        QVERIFY(heading[1].contains(QStringLiteral("( 33-48.5 МГц)")));
        QCOMPARE(heading[2], QStringLiteral("Лист 1 из 1"));

        QImage page(a4, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter p(&page);
        print.PaintPage(p, 0);
        p.end();
        QVERIFY(InkIn(page, QRect(0, 0, a4.width(), print.CellRect(-1, 0).top())) > 100); // the heading
        for (int i = 0; i < 3; ++i)
            for (int column : {0, 2, 7}) // number, frequency, check mark
                QVERIFY2(InkIn(page, print.CellRect(i, column)) > 20,
                         qPrintable(QStringLiteral("%1/%2").arg(i).arg(column)));
        // Nothing below the third row: unused channels are not printed. Its
        // first pixel row may hold the table's frame when the page is scaled.
        const QRect below = print.CellRect(3, 0).united(print.CellRect(8, CellPainter::Columns - 1)).adjusted(0, 1, 0, 0);
        QCOMPARE(InkIn(page, below), 0);
        QCOMPARE(page.pixel(below.center()), qRgb(255, 255, 255));
    }

    void everyUsedChannelIsPrintedOnceOverThePages()
    {
        ChannelsContext table{QString()};
        for (int n = 0; n < ChannelsContext::Count; ++n)
            if (n % 7 != 3)
                table.channels[std::size_t(n)] = Simplex(41900000);
        ChannelPrint print(table, CellPainter(), {});
        print.Paginate(QSize(794, 1123), 96);
        QVERIFY(print.pageCount() > 1);
        QList<int> printed;
        for (int page = 0; page < print.pageCount(); ++page) {
            printed += print.pageChannels(page);
            QVERIFY(print.CellRect(int(print.pageChannels(page).size()) - 1, 0).bottom() < 1123);
        }
        QList<int> used;
        for (int n = 0; n < ChannelsContext::Count; ++n)
            if (n % 7 != 3)
                used << n;
        QCOMPARE(printed, used);
        QCOMPARE(print.HeadingLines(1)[2], QStringLiteral("Лист 2 из %1").arg(print.pageCount()));
    }

    void pdfHasOnePagePerPrintedPage()
    {
        TForm1 &w = Main();
        for (int n = 0; n < ChannelsContext::Count; ++n)
            w.channels().channels[std::size_t(n)] = Simplex(41900000);
        m_dialogs->saveAnswer = File(QStringLiteral("table.pdf"));
        w.ActionExportPdfExecute();
        QCOMPARE(m_dialogs->saveSuffix, QStringLiteral("pdf"));
        QCOMPARE(m_dialogs->messages.size(), 0);
        const QByteArray pdf = ReadAll(File(QStringLiteral("table.pdf")));
        QVERIFY(pdf.startsWith("%PDF"));
        const qsizetype pages =
            QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
        QVERIFY(pages >= 4); // 100 rows of at least 44 units each cannot fit fewer A4 pages
    }

    void previewPaintsThroughTheSeam()
    {
        const QString pdf = File(QStringLiteral("preview.pdf"));
        bool previewed = false;
        m_dialogs->onExec = [&](QDialog *dialog) {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(dialog);
            if (!preview)
                return int(QDialog::Rejected);
            previewed = true;
            QPrinter printer;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            emit preview->paintRequested(&printer);
            return int(QDialog::Rejected);
        };
        Main().channels().channels[3] = Simplex(41900000);
        Main().ActionPrint->trigger();
        QVERIFY(previewed);
        QVERIFY(QFile(pdf).size() > 1000);
    }

    // --- Recent and dropped files ---------------------------------------------------

    void recentFilesNewestFirst()
    {
        // Absolute paths as the system writes them ("C:/f/..." on Windows).
        const QString f = QDir::rootPath() + QStringLiteral("f/");
        QStringList list;
        for (int i = 0; i < RecentFiles::MaxCount + 2; ++i)
            list = RecentFiles::Promoted(list, f + QStringLiteral("%1.xml").arg(i));
        QCOMPARE(list.size(), RecentFiles::MaxCount);
        QCOMPARE(list.first(), f + QStringLiteral("9.xml"));
        QCOMPARE(list.last(), f + QStringLiteral("2.xml"));
        list = RecentFiles::Promoted(list, f + QStringLiteral("../f/5.xml"));
        QCOMPARE(list.mid(0, 3), (QStringList{f + "5.xml", f + "9.xml", f + "8.xml"}));
        QCOMPARE(list.count(f + QStringLiteral("5.xml")), 1);
    }

    void openAndSaveJoinTheRecentFiles()
    {
        TForm1 &w = Main();
        w.channels().channels[1] = Simplex(41900000);
        QVERIFY(w.SaveFile(File(QStringLiteral("a.xml"))));
        QVERIFY(w.SaveFile(File(QStringLiteral("b.xml"))));
        m_dialogs->openAnswer = File(QStringLiteral("a.xml"));
        w.FileOpen1Execute();
        QCOMPARE(RecentFiles::Load(),
                 (QStringList{File(QStringLiteral("a.xml")), File(QStringLiteral("b.xml"))}));
        QVERIFY(!w.OpenFromUser(File(QStringLiteral("nothing.xml")))); // a failed open is not remembered
        QCOMPARE(RecentFiles::Load().size(), 2);

        // The menu lists them, newest first, with a way to clear the list.
        emit w.recentMenu()->aboutToShow();
        const QList<QAction *> entries = w.recentMenu()->actions();
        QCOMPARE(entries.first()->data().toString(), File(QStringLiteral("a.xml")));
        entries.last()->trigger();
        QCOMPARE(RecentFiles::Load(), QStringList());
    }

    void missingRecentFileIsSaidAndForgotten()
    {
        TForm1 &w = Main();
        const QString gone = File(QStringLiteral("gone.xml"));
        RecentFiles::Add(File(QStringLiteral("kept.xml")));
        RecentFiles::Add(gone);
        w.channels().channels[1] = Simplex(41900000);
        const auto before = w.channels().channels;
        QVERIFY(!w.OpenRecent(gone));
        QCOMPARE(m_dialogs->texts(),
                 QStringList{QStringLiteral("Файл %1 не найден. Он удалён из списка последних файлов.")
                                 .arg(QDir::toNativeSeparators(gone))});
        QCOMPARE(RecentFiles::Load(), QStringList{File(QStringLiteral("kept.xml"))});
        QVERIFY(w.channels().channels == before);
    }

    void droppedFile_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<bool>("taken");
        const QUrl file = QUrl::fromLocalFile(File(QStringLiteral("drop.xml")));
        QTest::newRow("one file") << QList<QUrl>{file} << true;
        QTest::newRow("two files") << QList<QUrl>{file, file} << false;
        QTest::newRow("a folder") << QList<QUrl>{QUrl::fromLocalFile(m_files.path())} << false;
        QTest::newRow("a web page") << QList<QUrl>{QUrl(QStringLiteral("https://example.org/a.xml"))}
                                    << false;
    }

    void droppedFile()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(bool, taken);
        TForm1 &w = Main();
        ChannelsContext table{QString()};
        table.channels[8] = Simplex(45000000);
        QVERIFY(WriteAll(File(QStringLiteral("drop.xml")),
                         ConfigurationDocument::Serialize(table, SettingsContext())));

        QMimeData mime;
        mime.setUrls(urls);
        QCOMPARE(TForm1::DroppedFile(&mime).isEmpty(), !taken);
        // Dropped on the grid, the way a user drops it.
        QWidget *target = w.grid()->viewport();
        const QPointF at = target->rect().center();
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QCOMPARE(enter.isAccepted(), taken);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents();
        QCOMPARE(w.channels().channels[8].IsUsed(), taken);
        QCOMPARE(w.documentPath().isEmpty(), !taken);
    }
};

QTEST_MAIN(TestCsvPrint)
#include "tst_csvprint.moc"
