// What a technician new to kd-tune runs into: each case here once misled or
// cost work.

#include "model/configdocument.h"
#include "testdata.h"
#include "ui/app/application.h"
#include "ui/dialogs/formcom.h"
#include "ui/editor/formchannel.h"
#include "ui/settings/settingspages.h"
#include "ui/window/edithistory.h"
#include "ui/window/mainwindow.h"
#include "ui/window/statuspanels.h"
#include "windowtesting.h"

#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

namespace {

void SendFocus(QWidget *w, QEvent::Type type, Qt::FocusReason reason)
{
    QFocusEvent focus(type, reason);
    QApplication::sendEvent(w, &focus);
}

// A notch of the wheel over the middle of `w`, as the window receives it:
// from a mouse, Qt first focuses a control that takes the focus by wheel.
void WheelOver(QWidget *w, int delta)
{
    if ((w->focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus)
        w->setFocus(Qt::MouseFocusReason);
    const QPointF at = QPointF(w->rect().center());
    QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &wheel);
}

QString Backups()
{
    return QDir(BackupFolder()).entryList(QDir::Files).join(QLatin1Char(' '));
}

} // namespace

class TestNewUser : public QObject, WindowTesting
{
    Q_OBJECT

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() { OpenWindows(); }
    void cleanup() { CloseWindows(); }

    // The port and range panels change on a press; resting the pointer on
    // one says so, the spare panel says nothing.
    void statusPanelsSayWhatAPressDoes_data()
    {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("tip");
        QTest::newRow("port") << int(TForm1::PanelPort) << QStringLiteral("Выбрать COM порт");
        QTest::newRow("range") << int(TForm1::PanelRange) << QStringLiteral("Выбрать диапазон частот");
        QTest::newRow("spare") << int(TForm1::PanelSpare) << QString();
    }

    void statusPanelsSayWhatAPressDoes()
    {
        QFETCH(int, panel);
        QFETCH(QString, tip);
        StatusPanels *panels = Main().statusPanels();
        int x = 0;
        for (int i = 0; i < panel; ++i)
            x += panels->widths()[i];
        x += panels->widths()[panel] / 2;
        QCOMPARE(panels->toolTipAt(x), tip);

        QToolTip::hideText();
        const QPoint at(x, panels->height() / 2);
        QHelpEvent help(QEvent::ToolTip, at, panels->mapToGlobal(at));
        QApplication::sendEvent(panels, &help);
        QCOMPARE(QToolTip::text(), tip);
    }

    // Enter after a number typed into a copy field copies, as its button
    // does, instead of closing the editor with OK.
    void enterInACopyFieldCopies_data()
    {
        QTest::addColumn<bool>("load");
        QTest::newRow("Загрузить из канала") << true;
        QTest::newRow("Сохранить в канал") << false;
    }

    void enterInACopyFieldCopies()
    {
        QFETCH(bool, load);
        ChannelsContext &table = Main().channels();
        table.channels[3].freq_rx = table.channels[3].freq_tx = 40000000;
        TFormChan *editor = m_windows.chan;
        editor->Prepare(&table, &Main().painter(), load ? 1 : 3, [](int) {});
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor));

        QLineEdit *field = load ? editor->EditChannelLoad : editor->EditChannelSave;
        QTest::keyClicks(field, load ? QStringLiteral("3") : QStringLiteral("5"));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(editor->isVisible());
        if (load) {
            QCOMPARE(editor->work().freq_rx, 40000000);
            QVERIFY(!table.channels[1].IsUsed());
        } else {
            QCOMPARE(table.channels[5].freq_rx, 40000000);
        }
        editor->reject();
    }

    // "Информация" on a radio that has gone: the report and the range of the
    // radio asked before are not shown as its answer.
    void failedInformationShowsNoEarlierRadio()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        // 137.5-153 MHz: not the range selected at start.
        QVERIFY(sim.Start(11, {QStringLiteral("--no-pacing"), QStringLiteral("--rx-base"), QStringLiteral("11000"),
                               QStringLiteral("--tx-base"), QStringLiteral("11000")}));
        UsePort(11);
        const QString rangeWarning = QStringLiteral("Выбранный диапазон частот не совпадает с диапазоном частот радиостанции");

        Main().ActionGetInfoExecute();
        QCOMPARE(Main().pageControl()->currentIndex(), int(TForm1::PageInfo));
        QCOMPARE(m_dialogs->texts().count(rangeWarning), 1);

        Main().pageControl()->setCurrentIndex(TForm1::PageChannels);
        sim.Kill();
        Main().ActionGetInfoExecute();
        QVERIFY(m_dialogs->lastLog.contains(QStringLiteral("Итог:")));
        QCOMPARE(Main().pageControl()->currentIndex(), int(TForm1::PageChannels));
        QCOMPARE(m_dialogs->texts().count(rangeWarning), 1);
    }

    // --- What the radio or a file gets is what the window shows ---------------

    // A red settings edit reaches neither a file nor the radio: every way out
    // refuses, names the field, its text and the range, and goes to it.
    void redEntryIsRefused_data()
    {
        QTest::addColumn<QString>("action");
        for (const char *name : {"FileSaveAs1", "ActionWrite", "ActionCompare", "ActionExportCsv", "ActionPrint",
                                 "ActionExportPdf"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void redEntryIsRefused()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QString, action);
        SimProcess sim;
        QVERIFY(sim.Start(12, {QStringLiteral("--no-pacing")}));
        UsePort(12);
        Main().pageControl()->setCurrentIndex(TForm1::PageSettings);
        auto *edit = Main().settingsPages()->page1()->findChild<QLineEdit *>(QStringLiteral("EditScanPause"));
        const std::int32_t stored = Main().settings().ScanPause;
        SendFocus(edit, QEvent::FocusIn, Qt::MouseFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("70"));
        m_dialogs->saveAnswer = File(QStringLiteral("refused.out"));

        Main().findChild<QAction *>(action)->trigger();
        QCOMPARE(m_dialogs->texts().size(), 1);
        const QString said = m_dialogs->texts().first();
        QVERIFY2(said.contains(QStringLiteral("\"Сканирование: Длительность паузы\" содержит \"70\""))
                     && said.contains(QStringLiteral("от 0 до 60")),
                 qPrintable(said));
        QVERIFY(m_dialogs->executed.isEmpty());
        QVERIFY(!QFileInfo::exists(m_dialogs->saveAnswer));
        QVERIFY(sim.ReadState(QStringLiteral("channels.bin")).isEmpty());
        QCOMPARE(Main().focusWidget(), edit);

        // Left by the user, the edit shows what is stored: what it held before.
        SendFocus(edit, QEvent::FocusOut, Qt::TabFocusReason);
        QCOMPARE(edit->text(), QString::number(stored));
        QCOMPARE(Main().settings().ScanPause, stored);
        QVERIFY(!Main().edits()->IsModified());
    }

    // A turn of the wheel over a list on the way to another control changes
    // no setting; only the control with the focus takes it.
    void wheelOverAnUnfocusedListChangesNothing_data()
    {
        QTest::addColumn<QString>("list");
        QTest::newRow("Вывод Output2") << QStringLiteral("ComboBoxOutput2Function");
        QTest::newRow("При подаче питания") << QStringLiteral("ComboBoxStartupMode");
        QTest::newRow("Шумоподавитель") << QStringLiteral("ComboBoxSquelchCommon");
    }
    void wheelOverAnUnfocusedListChangesNothing()
    {
        QFETCH(QString, list);
        // Version 1.02 shows every list; the list's page is the one on screen.
        const QString path = File(QStringLiteral("lists.xml"));
        QVERIFY(WriteAll(path, "<root><Channels/><Settings version='0x0102'/></root>"));
        QVERIFY(Main().OpenFile(path));
        auto *combo = Main().findChild<QComboBox *>(list);
        QVERIFY(combo);
        // Left from the grid with the focus: no track bar or number of the new
        // page may take it, as either would take the wheel anywhere.
        auto *pages = Main().findChild<QTabWidget *>();
        pages->setCurrentIndex(TForm1::PageChannels);
        Main().page(TForm1::PageChannels)->setFocus();
        QVERIFY(Main().page(TForm1::PageChannels)->hasFocus());
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(combo))
                pages->setCurrentIndex(i);
        QCoreApplication::processEvents();  // laid out where the pointer finds it
        QVERIFY(combo->isVisible() && !combo->hasFocus());
        QVERIFY(!Main().edits()->IsModified());
        const SettingsContext before = Main().settings();
        const int item = combo->currentIndex();
        // Towards an item that exists: a focused list would move to it.
        WheelOver(combo, item + 1 < combo->count() ? -120 : 120);
        QCOMPARE(combo->currentIndex(), item);
        QVERIFY(Main().settings() == before);
        QVERIFY(!Main().edits()->IsModified());
        // Back on the channels, the grid takes the keys again.
        pages->setCurrentIndex(TForm1::PageChannels);
        QVERIFY(Main().page(TForm1::PageChannels)->hasFocus());
    }

    // A value the pages cannot show as it is changes on showing: the change is
    // unsaved and listed in the words of the opening's warnings.
    void valuesChangedByShowingAreUnsavedAndListed_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("line");
        QTest::newRow("volume above the bar") << QStringLiteral("<Volume>20</Volume>")
                                              << QStringLiteral("Настройка Volume = 20 будет записано как 16");
        QTest::newRow("key click below the bar") << QStringLiteral("<BeepMin>0</BeepMin>")
                                                 << QStringLiteral("Настройка BeepMin = 0 будет записано как 1");
        QTest::newRow("output function not in the list")
            << QStringLiteral("<Output2Function>12</Output2Function>")
            << QStringLiteral("Настройка Output2Function = 12 будет записано как 0");
    }
    void valuesChangedByShowingAreUnsavedAndListed()
    {
        QFETCH(QString, element);
        QFETCH(QString, line);
        const QString path = File(QStringLiteral("shown.xml"));
        QVERIFY(WriteAll(path, QStringLiteral("<root><Channels/><Settings version='0x0102'>%1</Settings></root>")
                                   .arg(element).toUtf8()));
        QVERIFY(Main().OpenFile(path));
        QVERIFY(Main().windowTitle().startsWith(QLatin1Char('*')));
        QVERIFY2(m_dialogs->texts().join(QLatin1Char('\n')).contains(QStringLiteral("Предупреждение: ") + line),
                 qPrintable(m_dialogs->texts().join(QLatin1Char('\n'))));
    }

    // A stored port that is absent is replaced by the first one, and said so:
    // on the port panel and in the first exchange's log.
    void absentStoredPortIsNamed()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(13, {QStringLiteral("--no-pacing")}));
        UserSettings().setValue(QStringLiteral("Ports/COM33"), File(QStringLiteral("no-adapter")));
        ports::StoreDefaultPort(QStringLiteral("COM33"));
        m_windows.comPort->SetPortSource([] { return QList<PortItem>{{QStringLiteral("COM13"), QString(), QString()}}; });
        Main().DetermineInitialPort();
        StatusPanels *panels = Main().statusPanels();
        QCOMPARE(panels->text(TForm1::PanelPort), QStringLiteral("COM13"));
        QVERIFY(panels->marked(TForm1::PanelPort));
        QVERIFY(panels->toolTipAt(1).contains(QStringLiteral("COM33")));

        const QString absent = QStringLiteral("Порт COM33: устройство %1.\n"
                                              "Устройство %1 отсутствует: адаптер не подключён или порт выбран неверно.\n"
                                              "Вместо порта COM33, выбранного по умолчанию, взят первый имеющийся порт COM13.\n"
                                              "Порт COM13 открыт.")
                                   .arg(File(QStringLiteral("no-adapter")));
        Main().ActionGetInfoExecute();
        QVERIFY2(m_dialogs->lastLog.startsWith(absent), qPrintable(m_dialogs->lastLog));
        Main().ActionGetInfoExecute();
        QVERIFY(m_dialogs->lastLog.startsWith(QStringLiteral("Порт COM13 открыт.")));
        UserSettings().remove(QStringLiteral("Ports/COM33"));
    }

    // --- A failure does not look like success ---------------------------------

    // The panel and the caption of a job that failed say so; a job that did
    // all it set out to do keeps its bar.
    void failedJobDoesNotLookFinished_data()
    {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("fails");
        QTest::newRow("answers") << QStringList{QStringLiteral("--no-pacing")} << true << false;
        QTest::newRow("unplugged") << QStringList{QStringLiteral("--no-pacing")} << false << true;
        QTest::newRow("silent") << QStringList{QStringLiteral("--no-pacing"), QStringLiteral("--silent-after"),
                                               QStringLiteral("0")}
                                << true << true;
    }
    void failedJobDoesNotLookFinished()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QStringList, radio);
        QFETCH(bool, present);
        QFETCH(bool, fails);
        SimProcess sim;
        QVERIFY(sim.Start(14, radio));
        if (!present)
            sim.Kill();
        UsePort(14);
        Main().ActionGetInfoExecute();
        const TFormProgress *progress = m_windows.progress;
        QCOMPARE(progress->panel()->failed(), fails);
        QCOMPARE(progress->windowTitle(),
                 fails ? QStringLiteral("Информация: не выполнено") : QStringLiteral("Информация ..."));
        if (!fails)
            QCOMPARE(progress->panel()->percent(), 100);
    }

    // After an exchange that did not reach the radio, neither the last radio's
    // report nor its programmer's refusal comes back as if it had answered.
    void noStaleInformation_data()
    {
        QTest::addColumn<bool>("read");
        QTest::newRow("Информация") << false;
        QTest::newRow("Прочитать") << true;
    }
    void noStaleInformation()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(bool, read);
        auto *sim = new SimProcess;
        QVERIFY(sim->Start(15, {QStringLiteral("--no-pacing"), QStringLiteral("--programmer"), QStringLiteral("ZZ999")}));
        UsePort(15);
        const QString refusal = QStringLiteral("Для программирования станции необходим другой программатор [ZZ999]");
        Main().ActionGetInfoExecute();
        QCOMPARE(m_dialogs->texts().count(refusal), 1);
        QVERIFY(Main().pageVisible(TForm1::PageInfo));

        delete sim;
        read ? Main().ActionReadExecute() : Main().ActionGetInfoExecute();
        QVERIFY(m_dialogs->lastLog.contains(QStringLiteral("Итог:")));
        QCOMPARE(m_dialogs->texts().count(refusal), 1);
        QVERIFY(!Main().pageVisible(TForm1::PageInfo));
        auto *pages = Main().findChild<QTabWidget *>();
        QCOMPARE(pages->currentIndex(), int(TForm1::PageChannels));
        // Backwards from the first page wraps round, past the hidden one.
        QTest::keyClick(pages, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(pages->currentIndex() != TForm1::PageChannels && pages->currentIndex() != TForm1::PageInfo);
        Main().FileCreateExecute();
        QCOMPARE(m_dialogs->texts().count(refusal), 1);
    }

    // The pages show what a read brought while its log is still open, and the
    // window's close button has the focus.
    void pagesFollowTheJobAtOnce()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(16, {QStringLiteral("--no-pacing")}));
        UsePort(16);
        bool infoShown = false;
        bool undoable = false;
        QWidget *focus = nullptr;
        m_dialogs->onExec = [&](QDialog *dialog) {
            auto *progress = qobject_cast<TFormProgress *>(dialog);
            progress->show();
            if (!QTest::qWaitFor([progress] { return progress->finished(); }, 30000))
                qWarning("the read did not end");
            infoShown = Main().pageVisible(TForm1::PageInfo);
            undoable = Main().edits()->CanUndo();
            focus = progress->focusWidget();
            progress->done(QDialog::Accepted);
            return int(QDialog::Accepted);
        };
        Main().ActionReadExecute();
        QVERIFY(infoShown);
        QVERIFY(undoable);
        QCOMPARE(focus, m_windows.progress->closeButton());
    }

    // A write that will be refused says so before the radio is read for its
    // backup.
    void writeChecksBeforeTheBackupRead_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("why");
        QTest::newRow("frequency off the raster") << "raster" << QStringLiteral("не кратна шагу 12 500 Гц");
        QTest::newRow("red settings edit") << "edit" << QStringLiteral("содержит \"0700\"");
        QTest::newRow("radio for another programmer") << "programmer" << QStringLiteral("другой программатор [ZZ999]");
    }
    void writeChecksBeforeTheBackupRead()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QString, what);
        QFETCH(QString, why);
        SimProcess sim;
        QStringList radio{QStringLiteral("--no-pacing")};
        if (what == QLatin1String("programmer"))
            radio << QStringLiteral("--programmer") << QStringLiteral("ZZ999");
        QVERIFY(sim.Start(17, radio));
        UsePort(17);
        QVERIFY(Main().ActionBackupBeforeWrite->isChecked());
        if (what == QLatin1String("raster")) {
            Main().channels().channels[0].freq_rx = Main().channels().channels[0].freq_tx = 40006000;
        } else if (what == QLatin1String("edit")) {
            Main().ShowSettings();
            Main().findChild<QLineEdit *>(QStringLiteral("EditTxLimit"))->setText(QStringLiteral("0700"));
        } else {
            Main().ActionGetInfoExecute();
            m_dialogs->executed.clear();
            m_dialogs->messages.clear();
        }
        Main().ActionWriteExecute();
        QVERIFY(m_dialogs->executed.isEmpty());
        QVERIFY2(m_dialogs->texts().join(QLatin1Char('\n')).contains(why), qPrintable(m_dialogs->texts().join(QLatin1Char('\n'))));
        QVERIFY(Backups().isEmpty());
        QVERIFY(sim.ReadState(QStringLiteral("channels.bin")).isEmpty());
    }
};

QTEST_MAIN(TestNewUser)
#include "tst_newuser.moc"
