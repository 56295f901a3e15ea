#include "model/configdocument.h"
#include "testdata.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/form_freqrange.h"
#include "ui/dialogs/formcom.h"
#include "ui/editor/formchannel.h"
#include "ui/grid/channelgrid.h"
#include "ui/settings/settingspages.h"
#include "ui/window/edithistory.h"
#include "ui/window/statuspanels.h"
#include "windowtesting.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

Channel Simplex(std::int32_t hertz)
{
    Channel c;
    c.freq_rx = c.freq_tx = hertz;
    c.active = true;
    c.tx_power_low = 0;
    c.tx_power_high = 3;
    return c;
}

// A configuration file with `range` and channels 1 (inside) and 2, 3 (outside).
void WriteConfig(const QString &path, const FreqRange &range, std::int32_t inside)
{
    ChannelsContext table{QString()};
    table.ranges.Select(table.ranges.Add(&range));
    table.channels[1] = Simplex(inside);
    table.channels[2] = Simplex(500000000);
    table.channels[3] = Simplex(25000000);
    SettingsContext settings;
    settings.Volume = 14;
    QVERIFY(WriteAll(path, ConfigurationDocument::Serialize(table, settings)));
}

// Everything the window shows from the model, for "nothing changed" checks.
struct Snapshot
{
    std::array<Channel, ChannelsContext::Count> channels;
    SettingsContext settings;
    int rangeCount = 0;
    int rangeIndex = 0;
    QString rangePanel;

    static Snapshot Of(TForm1 &w)
    {
        return Snapshot{w.channels().channels, w.settings(), w.channels().ranges.count(),
                        w.channels().ranges.CurrentIndex(), w.statusPanels()->text(TForm1::PanelRange)};
    }
    bool operator==(const Snapshot &) const = default;
};

} // namespace

class TestMainWindow : public QObject, WindowTesting
{
    Q_OBJECT

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() { OpenWindows(); }
    void cleanup() { CloseWindows(); }

    // --- The window as first shown ---------------------------------------------

    void firstShow()
    {
        TForm1 &w = Main();
        QCOMPARE(w.windowTitle(), QStringLiteral("Программатор каналов и настроек мобильных радиостанций"));
        QVERIFY(!w.windowTitle().contains(ApplicationTitle()));
        QCOMPARE(w.minimumSize(), QSize(960, 600));
        QCOMPARE(w.pageControl()->currentIndex(), int(TForm1::PageChannels));
        QVERIFY(w.pageVisible(TForm1::PageChannels));
        QVERIFY(w.pageVisible(TForm1::PageSettings));
        QVERIFY(!w.pageVisible(TForm1::PageSettings2));
        QVERIFY(!w.pageVisible(TForm1::PageInfo));
        QCOMPARE(w.statusPanels()->text(TForm1::PanelRange), QStringLiteral("( 33-48.5 МГц)"));
        QVERIFY(!w.ActionGridRiver->isVisible());
        QVERIFY(!w.ActionGridBank->isVisible());
        QVERIFY(w.ActionSelectFreqRange->isVisible() && w.ActionSelectFreqRange->isEnabled());
        QVERIFY(w.ActionWrite->isEnabled());
        QCOMPARE(w.grid()->currentRow(), 1);
    }

    // What the start leaves for after the first paint is built then, and
    // changes nothing the user can see or undo.
    void deferredControlsAreBuiltAfterTheFirstPaint()
    {
        TForm1 &w = Main();
        QTRY_VERIFY(m_windows.chan->ComboBoxBandRx);
        QTRY_VERIFY(w.settingsPages()->page1()->findChild<QWidget *>(QStringLiteral("TrackBarVolume")));
        QVERIFY(!w.pageVisible(TForm1::PageSettings2));
        QCOMPARE(w.pageControl()->currentIndex(), int(TForm1::PageChannels));
        QVERIFY(!w.edits()->CanUndo());
        QVERIFY(!w.windowTitle().startsWith(QLatin1Char('*')));
    }

    void windowsAreCreatedInOrder()
    {
        QList<QDialog *> dialogs = Main().findChildren<QDialog *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(dialogs.size(), 5);
        QVERIFY(qobject_cast<TFormChan *>(dialogs[0]));
        QVERIFY(qobject_cast<TFormAbout *>(dialogs[1]));
        QVERIFY(qobject_cast<TFormComPort *>(dialogs[2]));
        QVERIFY(qobject_cast<TFormProgress *>(dialogs[3]));
        QVERIFY(qobject_cast<TFormFreqRange *>(dialogs[4]));
    }

    void actions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("menuText");
        QTest::addColumn<QKeySequence>("shortcut");
        auto row = [](const char *name, const char *caption, const char *menu, const QKeySequence &key) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption) << QString::fromUtf8(menu)
                                << key;
        };
        row("FileCreate", "Создать", "Создать", QKeySequence(Qt::CTRL | Qt::Key_N));
        row("FileOpen1", "Открыть", "Открыть", QKeySequence(Qt::CTRL | Qt::Key_O));
        row("FileSaveAs1", "Сохранить как", "Сохранить как ...", QKeySequence(Qt::CTRL | Qt::Key_S));
        row("ActionGridRiver", "Судовая сетка частот", "Судовая сетка частот", QKeySequence());
        row("ActionGridBank", "Береговая сетка частот", "Береговая сетка частот", QKeySequence());
        row("ActionGetInfo", "Информация", "Информация", QKeySequence(Qt::CTRL | Qt::Key_I));
        row("ActionRead", "Прочитать из радиостанции", "Прочитать", QKeySequence(Qt::CTRL | Qt::Key_R));
        row("ActionWrite", "Записать в радиостанцию", "Записать", QKeySequence(Qt::CTRL | Qt::Key_W));
        row("ActionComPort", "Выбрать COM порт", "Выбрать &COM порт", QKeySequence(Qt::CTRL | Qt::Key_C));
        row("ActionSelectFreqRange", "Выбрать диапазон частот", "Выбрать диапазон частот",
            QKeySequence(Qt::CTRL | Qt::Key_F));
        row("ActionAbout", "О программе", "О программе", QKeySequence(Qt::Key_F1));
    }

    void actions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, menuText);
        QFETCH(QKeySequence, shortcut);
        const QAction *a = Main().findChild<QAction *>(name);
        QVERIFY(a);
        QCOMPARE(a->toolTip(), caption);
        QCOMPARE(a->text(), menuText);
        QCOMPARE(a->shortcut(), shortcut);
    }

    // --- Status bar ------------------------------------------------------------

    void statusPanelAt_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("panel");
        QTest::newRow("left edge") << 0 << 0;
        QTest::newRow("end of port") << 49 << 0;
        QTest::newRow("start of range") << 50 << 1;
        QTest::newRow("end of range") << 649 << 1;
        QTest::newRow("spare") << 650 << 2;
        QTest::newRow("end of spare") << 699 << 2;
        QTest::newRow("past the panels") << 700 << -1;
    }

    void statusPanelAt()
    {
        QFETCH(int, x);
        QFETCH(int, panel);
        QCOMPARE(StatusPanelAt(x, {50, 600, 50}), panel);
    }

    void statusPanelPresses_data()
    {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("port") << 0 << QStringLiteral("FormComPort");
        QTest::newRow("range") << 1 << QStringLiteral("FormFreqRange");
        QTest::newRow("spare") << 2 << QString();
    }

    void statusPanelPresses()
    {
        QFETCH(int, panel);
        QFETCH(QString, dialog);
        StatusPanels *bar = Main().statusPanels();
        int x = 0;
        for (int i = 0; i < panel; ++i)
            x += bar->widths()[i];
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(x + 5, bar->height() / 2));
        QCOMPARE(m_dialogs->executed.size(), dialog.isEmpty() ? 0 : 1);
        if (!dialog.isEmpty())
            QCOMPARE(m_dialogs->executed.first()->objectName(), dialog);
    }

    void pressesWhileADialogIsOpenDoNothing()
    {
        QList<bool> open;
        m_dialogs->onExec = [&](QDialog *d) {
            open << Main().dialogOpen();
            if (qobject_cast<TFormAbout *>(d))
                Main().StatusPanelPressed(TForm1::PanelPort);
            return int(QDialog::Rejected);
        };
        QVERIFY(!Main().dialogOpen());
        Main().ActionAbout->trigger();
        Main().ActionComPort->trigger();
        Main().ActionSelectFreqRange->trigger();
        Main().ActionEditChannel->trigger();
        QCOMPARE(open, (QList<bool>{true, true, true, true}));
        // The press made while the about box was open opened nothing.
        QCOMPARE(m_dialogs->executed.size(), 4);
        QVERIFY(!Main().dialogOpen());
    }

    // --- Files -----------------------------------------------------------------

    void openAddsNewRangeOnceAndWarnsOnce()
    {
        const QString path = File(QStringLiteral("vhf.xml"));
        WriteConfig(path, VhfRange(), 150125000);
        const int before = Main().channels().ranges.count();
        for (int round = 1; round <= 2; ++round) {
            m_dialogs->messages.clear();
            m_dialogs->openAnswer = path;
            Main().FileOpen1->trigger();
            QCOMPARE(Main().channels().ranges.count(), before + 1);
            QVERIFY(Main().channels().ranges.Current().Equals(VhfRange()));
            QCOMPARE(Main().statusPanels()->text(TForm1::PanelRange), VhfRange().ToText());
            QCOMPARE(m_dialogs->texts(),
                     QStringList{"При загрузке файла были удалены каналы, не соответствующие диапазону частот.\n"
                                 "Удалены каналы: 2, 3."});
            QCOMPARE(m_dialogs->messages.first().icon, DialogSeam::Icon::Warning);
            QCOMPARE(Main().channels().channels[1].freq_rx, 150125000);
            QVERIFY(!Main().channels().channels[2].IsUsed());
            QVERIFY(!Main().channels().channels[3].IsUsed());
            QCOMPARE(Main().settings().Volume, 14);
        }
        QVERIFY(Main().channels().ranges.modified());
    }

    void openWithoutRemovalsWarnsNothing()
    {
        const QString path = File(QStringLiteral("plain.xml"));
        ChannelsContext table{QString()};
        table.channels[5] = Simplex(41900000);
        QVERIFY(WriteAll(path, ConfigurationDocument::Serialize(table, SettingsContext())));
        QVERIFY(Main().OpenFile(path));
        QVERIFY(m_dialogs->messages.isEmpty());
        QCOMPARE(Main().channels().channels[5].freq_rx, 41900000);
        QCOMPARE(Main().channels().ranges.count(), 1);
    }

    // Values a write would refuse are errors, values the tables normalise
    // warnings; either way the file is open.
    void openListsValuesTheRadioWouldNotTake_data()
    {
        QTest::addColumn<int>("txLimit");
        QTest::addColumn<int>("squelch");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("prefixes");
        QTest::newRow("clean") << 0 << 1 << -1 << QStringList();
        QTest::newRow("normalised") << 0 << 12 << int(DialogSeam::Icon::Warning) << QStringList{"Предупреждение: "};
        QTest::newRow("refused") << 70000 << 12 << int(DialogSeam::Icon::Error)
                                 << QStringList{"Предупреждение: ", "Ошибка: "};
    }
    void openListsValuesTheRadioWouldNotTake()
    {
        QFETCH(int, txLimit);
        QFETCH(int, squelch);
        QFETCH(int, icon);
        QFETCH(QStringList, prefixes);
        ChannelsContext table{QString()};
        table.channels[5] = Simplex(41900000);
        table.channels[5].squelch = squelch;
        SettingsContext settings;
        settings.TxLimit = txLimit;
        const QString path = File(QStringLiteral("values.xml"));
        QVERIFY(WriteAll(path, ConfigurationDocument::Serialize(table, settings)));
        QVERIFY(Main().OpenFile(path));
        QCOMPARE(Main().settings().TxLimit, txLimit);
        if (icon < 0) {
            QVERIFY(m_dialogs->messages.isEmpty());
            return;
        }
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(int(m_dialogs->messages.first().icon), icon);
        const QStringList lines = m_dialogs->messages.first().text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), prefixes.size() + 1);
        for (int i = 0; i < prefixes.size(); ++i)
            QVERIFY2(lines[i + 1].startsWith(prefixes[i]), qPrintable(lines[i + 1]));
    }

    void openOfABadFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("detail");
        QTest::newRow("not XML") << QByteArray("channel 1: 41.9 MHz\n") << QString();
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("cut short") << QByteArray("<?xml version=\"1.0\"?>\n<root>\n  <Channels>\n") << QString();
        QTest::newRow("value with an element")
            << QByteArray("<root>\n<FreqRange><rx0 begin=\"146000000\" end=\"174000000\"/>"
                          "<tx0 begin=\"146000000\" end=\"174000000\"/></FreqRange>\n"
                          "<Channels><channel id=\"1\"><freq_rx><b>1</b></freq_rx></channel></Channels>\n</root>\n")
            << QStringLiteral("3");
        QTest::newRow("missing") << QByteArray("(none)") << QString();
    }

    void openOfABadFileChangesNothing()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, detail);
        // A model that differs from every default, to see that none of it moves.
        Main().channels().channels[7] = Simplex(41900000);
        Main().settings().Volume = 3;
        const Snapshot before = Snapshot::Of(Main());

        const QString path = File(QStringLiteral("bad.xml"));
        QFile::remove(path);
        if (contents != "(none)")
            QVERIFY(WriteAll(path, contents));
        m_dialogs->openAnswer = path;
        Main().FileOpen1->trigger();

        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages.first().icon, DialogSeam::Icon::Error);
        QVERIFY2(m_dialogs->messages.first().text.contains(path), qPrintable(m_dialogs->messages.first().text));
        if (!detail.isEmpty())
            QVERIFY(m_dialogs->messages.first().text.contains(detail));
        QVERIFY(Snapshot::Of(Main()) == before);
    }

    void saveThenOpenGivesTheSameTables()
    {
        TForm1 &w = Main();
        Channel c = Simplex(41900000);
        c.freq_tx = 43100000;
        c.subtone_rx = 51;
        c.tone_tx = 1750;
        c.scan = true;
        w.channels().channels[0] = c;
        w.channels().channels[99] = Simplex(33012500);
        w.settings().version = SettingsContext::Version102;
        w.settings().Volume = 12;
        w.settings().ID = 77;
        const auto channels = w.channels().channels;
        const SettingsContext settings = w.settings();

        const QString path = File(QStringLiteral("saved.xml"));
        m_dialogs->saveAnswer = path;
        w.FileSaveAs1->trigger();
        QCOMPARE(m_dialogs->saveFilter, QStringLiteral("Настройки радиостанции (*.xml)"));
        QCOMPARE(m_dialogs->saveSuffix, QStringLiteral("xml"));
        QVERIFY(m_dialogs->messages.isEmpty());
        QVERIFY(QFile::exists(path));

        w.FileCreate->trigger();
        QVERIFY(!w.channels().channels[0].IsUsed());
        QCOMPARE(w.settings().Volume, SettingsContext().Volume);

        m_dialogs->openAnswer = path;
        w.FileOpen1->trigger();
        QVERIFY(m_dialogs->messages.isEmpty());
        QVERIFY(w.channels().channels == channels);
        QVERIFY(w.settings() == settings);
    }

    void failedSaveSaysWhy_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("a folder") << QStringLiteral("folder");
        QTest::newRow("inside a file") << QStringLiteral("plain/inside.xml");
    }

    void failedSaveSaysWhy()
    {
        QFETCH(QString, target);
        QDir(m_files.path()).mkpath(QStringLiteral("folder"));
        QVERIFY(WriteAll(File(QStringLiteral("plain")), "keep me"));
        m_dialogs->saveAnswer = File(target);
        Main().FileSaveAs1->trigger();
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages.first().icon, DialogSeam::Icon::Error);
        QVERIFY(m_dialogs->messages.first().text.contains(File(target)));
        QCOMPARE(ReadAll(File(QStringLiteral("plain"))), QByteArray("keep me"));
    }

    void dialogsStartInTheFolderLastUsed()
    {
        QDir(m_files.path()).mkpath(QStringLiteral("a"));
        QDir(m_files.path()).mkpath(QStringLiteral("b"));
        const QString opened = File(QStringLiteral("a/one.xml"));
        WriteConfig(opened, VhfRange(), 150125000);
        m_dialogs->openAnswer = opened;
        Main().FileOpen1->trigger();
        m_dialogs->saveAnswer = File(QStringLiteral("b/two.xml"));
        Main().FileSaveAs1->trigger();
        // The file's own folder and name.
        QCOMPARE(m_dialogs->saveDir, opened);
        m_dialogs->openAnswer.clear();
        Main().FileOpen1->trigger();
        QCOMPARE(m_dialogs->openDirs.last(), File(QStringLiteral("b")));
    }

    void createResetsTablesOnly()
    {
        TForm1 &w = Main();
        const QString path = File(QStringLiteral("vhf.xml"));
        WriteConfig(path, VhfRange(), 150125000);
        QVERIFY(w.OpenFile(path));
        w.FileCreate->trigger();
        for (const Channel &c : w.channels().channels)
            QVERIFY(!c.IsUsed());
        QVERIFY(w.settings() == SettingsContext());
        QVERIFY(w.channels().ranges.Current().Equals(VhfRange()));
    }

    // --- Range dialog ----------------------------------------------------------

    void rangeDialog_data()
    {
        QTest::addColumn<int>("choice");  // -1: cancel
        QTest::addColumn<bool>("warned");
        QTest::addColumn<bool>("channelKept");
        QTest::newRow("other range") << 0 << true << false;
        QTest::newRow("same range") << 1 << false << true;
        QTest::newRow("cancel") << -1 << false << true;
    }

    void rangeDialog()
    {
        QFETCH(int, choice);
        QFETCH(bool, warned);
        QFETCH(bool, channelKept);
        TForm1 &w = Main();
        const QString path = File(QStringLiteral("vhf.xml"));
        WriteConfig(path, VhfRange(), 150125000);
        QVERIFY(w.OpenFile(path));
        m_dialogs->messages.clear();
        QStringList shown;
        int preselected = -1;
        m_dialogs->onExec = [&](QDialog *d) {
            auto *dialog = qobject_cast<TFormFreqRange *>(d);
            for (int i = 0; i < dialog->ComboBoxRanges->count(); ++i)
                shown << dialog->ComboBoxRanges->itemText(i);
            preselected = dialog->selectedIndex();
            if (choice < 0)
                return int(QDialog::Rejected);
            dialog->ComboBoxRanges->setCurrentIndex(choice);
            return int(QDialog::Accepted);
        };
        w.ActionSelectFreqRange->trigger();
        QStringList all;
        w.channels().ranges.FillStrings(all);
        QCOMPARE(shown, all);
        QCOMPARE(preselected, 1);
        QCOMPARE(w.channels().ranges.CurrentIndex(), choice < 0 ? 1 : choice);
        QCOMPARE(m_dialogs->texts(), warned ? QStringList{"При смене диапазона частот некоторые каналы были удалены."}
                                            : QStringList());
        QCOMPARE(w.channels().channels[1].IsUsed(), channelKept);
        QString text;
        w.channels().ranges.CurrentText(text);
        QCOMPARE(w.statusPanels()->text(TForm1::PanelRange), text);
    }

    void identicalRangeTextsAreChosenByPosition()
    {
        TFormFreqRange dialog;
        dialog.Fill({QStringLiteral("( 33-48.5 МГц)"), QStringLiteral("( 33-48.5 МГц)")}, 1);
        QCOMPARE(dialog.selectedIndex(), 1);
        dialog.Fill({}, 0);
        QCOMPARE(dialog.selectedIndex(), -1);
    }

    // --- Channel editor --------------------------------------------------------

    void editorOpensForTheSelectedRow_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Enter") << true;
        QTest::newRow("double click") << false;
    }

    void editorOpensForTheSelectedRow()
    {
        QFETCH(bool, byKey);
        ChannelGrid *grid = Main().grid();
        int index = -1;
        m_dialogs->onExec = [&](QDialog *d) {
            if (auto *editor = qobject_cast<TFormChan *>(d))
                index = editor->channelIndex();
            return int(QDialog::Rejected);
        };
        grid->setCurrentRow(6);
        if (byKey) {
            QTest::keyClick(grid, Qt::Key_Return);
        } else {
            const QRect cell = grid->cellRect(3, 2);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        }
        QCOMPARE(index, byKey ? 5 : 2);
    }

    void gridKeysMoveTheSelection_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        QTest::newRow("down") << int(Qt::Key_Down) << 1 << 2;
        QTest::newRow("up at the top") << int(Qt::Key_Up) << 1 << 1;
        QTest::newRow("end") << int(Qt::Key_End) << 5 << 100;
        QTest::newRow("home") << int(Qt::Key_Home) << 50 << 1;
        QTest::newRow("down at the end") << int(Qt::Key_Down) << 100 << 100;
    }

    void gridKeysMoveTheSelection()
    {
        QFETCH(int, key);
        QFETCH(int, start);
        QFETCH(int, expected);
        ChannelGrid *grid = Main().grid();
        grid->setCurrentRow(start);
        QTest::keyClick(grid, Qt::Key(key));
        QCOMPARE(grid->currentRow(), expected);
        // The selected row is always in view, under the header.
        const QRect r = grid->cellRect(expected, 1);
        QVERIFY(r.top() >= grid->metrics().headerHeight);
        QVERIFY(r.bottom() < grid->viewport()->height());
    }

    void pageDownMovesByAScreen()
    {
        ChannelGrid *grid = Main().grid();
        grid->setCurrentRow(1);
        QTest::keyClick(grid, Qt::Key_PageDown);
        QCOMPARE(grid->currentRow(), 1 + grid->visibleRows());
    }

    // --- Radio exchanges -------------------------------------------------------

    void writeThenReadBack()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(240, {QStringLiteral("--no-pacing")}));
        UsePort(240);
        TForm1 &w = Main();
        const QString path = File(QStringLiteral("radio.xml"));
        WriteConfig(path, FreqRange(), 41900000);
        QVERIFY(w.OpenFile(path));  // the default range: the radio's own
        m_dialogs->messages.clear();
        const auto written = w.channels().channels;

        w.ActionWrite->trigger();
        QCOMPARE(m_windows.progress->windowTitle(), QStringLiteral("Запись ..."));
        QVERIFY2(m_dialogs->lastLog.contains(QStringLiteral("Таблица каналов записана.")), qPrintable(m_dialogs->lastLog));
        QVERIFY(m_dialogs->messages.isEmpty());

        w.FileCreate->trigger();
        w.ActionRead->trigger();
        QCOMPARE(m_windows.progress->windowTitle(), QStringLiteral("Чтение ..."));
        QVERIFY(m_dialogs->lastLog.contains(QStringLiteral("Таблица каналов прочитана (версия 1.0).")));
        QVERIFY(w.channels().channels == written);
        QVERIFY(w.pageVisible(TForm1::PageInfo));
        QVERIFY(w.infoMemo()->toPlainText().contains(QStringLiteral("Тип радиостанции: ")));
        QVERIFY(w.ActionWrite->isEnabled());
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void readAdoptsTheRadioRange()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        // 33..38 MHz: not in the list yet.
        QVERIFY(sim.Start(241, {QStringLiteral("--no-pacing"), QStringLiteral("--pair"), QStringLiteral("0-400"),
                                QStringLiteral("--power"), QStringLiteral("1,3,7,12")}));
        UsePort(241);
        TForm1 &w = Main();
        w.ActionRead->trigger();
        QCOMPARE(w.channels().ranges.count(), 2);
        QCOMPARE(w.channels().ranges.CurrentIndex(), 1);
        QVERIFY(w.channels().ranges.Current().Equals(w.info().range));
        QCOMPARE(w.statusPanels()->text(TForm1::PanelRange), w.info().range.ToText());
        QCOMPARE(w.painter().PowerWatts, (std::array<std::int32_t, 4>{1, 3, 7, 12}));
        QCOMPARE(m_windows.chan->powerWatts, (std::array<std::int32_t, 4>{1, 3, 7, 12}));
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void informationComparesRanges_data()
    {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<bool>("warned");
        QTest::newRow("same range") << QStringList() << false;
        QTest::newRow("other range") << QStringList{QStringLiteral("--pair"), QStringLiteral("0-400")} << true;
        QTest::newRow("no usable range") << QStringList{QStringLiteral("--pair"), QStringLiteral("5-5")} << false;
    }

    void informationComparesRanges()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QStringList, radio);
        QFETCH(bool, warned);
        SimProcess sim;
        QVERIFY(sim.Start(242, QStringList{QStringLiteral("--no-pacing")} + radio));
        UsePort(242);
        TForm1 &w = Main();
        w.ActionGetInfo->trigger();
        QCOMPARE(m_windows.progress->windowTitle(), QStringLiteral("Информация ..."));
        QCOMPARE(m_dialogs->texts(),
                 warned ? QStringList{"Выбранный диапазон частот не совпадает с диапазоном частот радиостанции"}
                        : QStringList());
        // Only a read adopts the radio's range.
        QCOMPARE(w.channels().ranges.count(), 1);
        QCOMPARE(w.channels().ranges.CurrentIndex(), 0);
        QVERIFY(w.pageVisible(TForm1::PageInfo));
        QCOMPARE(w.pageControl()->currentIndex(), int(TForm1::PageInfo));
    }

    void anotherProgrammersRadioCannotBeWritten()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(243, {QStringLiteral("--no-pacing"), QStringLiteral("--programmer"), QStringLiteral("ZZ999")}));
        UsePort(243);
        TForm1 &w = Main();
        const QString message = QStringLiteral("Для программирования станции необходим другой программатор [ZZ999]");
        w.ActionGetInfo->trigger();
        QCOMPARE(m_dialogs->texts(), QStringList{message});
        QCOMPARE(m_dialogs->messages.first().icon, DialogSeam::Icon::Error);
        QVERIFY(!w.ActionWrite->isEnabled());
        // Every later refresh says it again.
        w.FileCreate->trigger();
        QCOMPARE(m_dialogs->texts(), (QStringList{message, message}));
        QVERIFY(!w.ActionWrite->isEnabled());
    }

    void closingDuringAnExchangeStopsIt()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(244, {}));  // paced: a read takes seconds
        UsePort(244);
        TForm1 &w = Main();
        QString log;
        bool stopped = false;
        m_dialogs->onExec = [&](QDialog *d) {
            auto *progress = qobject_cast<TFormProgress *>(d);
            const bool reading = m_dialogs->CloseOnceReading(progress);
            log = progress->logText();
            stopped = reading && progress->job()->finished();
            return int(QDialog::Rejected);
        };
        w.ActionRead->trigger();
        QVERIFY(stopped);
        QVERIFY(!log.contains(QStringLiteral("закрыт")));

        // The port is free again at once: the next job runs to its end.
        m_dialogs->onExec = {};
        w.ActionGetInfo->trigger();
        QVERIFY2(m_dialogs->lastLog.contains(QStringLiteral("Порт COM244 закрыт.")), qPrintable(m_dialogs->lastLog));
        QVERIFY(m_dialogs->lastLog.contains(QStringLiteral("Информация о станции получена.")));
    }

    void noPortChosen()
    {
        UsePort(0);
        Main().ActionRead->trigger();
        QCOMPARE(m_dialogs->lastLog, QStringLiteral("Не удалось открыть порт COM0 !!!\nПроцесс остановлен!!!\n"
                                                    "Порт не выбран.\nИтог: чтение не выполнено (порт COM0 не открыт)."));
        QCOMPARE(m_windows.progress->panel()->percent(), 35);
        QCOMPARE(m_windows.progress->panel()->colour(), QColor(0, 128, 0));
        QVERIFY(!Main().pageVisible(TForm1::PageInfo));
    }

    void startsWithTheStoredPort()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(245, {QStringLiteral("--no-pacing")}));
        ports::StoreDefaultPort(QStringLiteral("COM245"));
        Restart();
        QCOMPARE(m_windows.progress->port(), 245);
        QCOMPARE(Main().statusPanels()->text(TForm1::PanelPort), QStringLiteral("COM245"));
    }

    void portDialogConfirmedGivesTheJobItsPort()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess a;
        SimProcess b;
        QVERIFY(a.Start(246, {QStringLiteral("--no-pacing")}));
        QVERIFY(b.Start(247, {QStringLiteral("--no-pacing")}));
        m_dialogs->onExec = [](QDialog *d) {
            auto *dialog = qobject_cast<TFormComPort *>(d);
            dialog->show();
            dialog->ComboBoxCOM->setCurrentIndex(dialog->ComboBoxCOM->findText(QStringLiteral("COM247")));
            dialog->ComboBoxCOMChange();
            dialog->BitBtnOkClick();
            return dialog->result();
        };
        Main().ActionComPort->trigger();
        QCOMPARE(m_windows.progress->port(), 247);
        QCOMPARE(Main().statusPanels()->text(TForm1::PanelPort), QStringLiteral("COM247"));
        QCOMPARE(ports::StoredDefaultPort(), QStringLiteral("COM247"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
