// The window's guarded write (backup, verify, trace) and its comparison with
// the radio, against the simulated radio on COM90..COM99.

#include "job/safetysteps.h"
#include "model/configdocument.h"
#include "testdata.h"
#include "ui/dialogs/comparison.h"
#include "ui/dialogs/formcompare.h"
#include "ui/dialogs/formtrace.h"
#include "ui/window/edithistory.h"
#include "ui/window/safetyoptions.h"
#include "windowtesting.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

Channel Simplex(std::int32_t hertz)
{
    Channel c;
    c.freq_rx = c.freq_tx = hertz;
    c.tx_power_low = 0;
    c.tx_power_high = 3;
    return c;
}

// The channels the radio holds now; none when it holds no table.
ConfigDiff::Channels RadioChannels(const SimProcess &sim)
{
    ChannelsContext table{QString()};
    const QByteArray bytes = sim.ReadState(QStringLiteral("channels.bin"));
    TableImage image;
    if (bytes.size() == TableImage::Size) {
        std::copy(bytes.begin(), bytes.end(), image.data());
        table.DecodeImage(image);
    }
    return table.channels;
}

QStringList BackupFiles()
{
    return QDir(BackupFolder()).entryList({QStringLiteral("*.xml")}, QDir::Files);
}

QString ReadText(const QString &path)
{
    return QString::fromUtf8(ReadAll(path));
}

} // namespace

class TestSafeWindow : public QObject, WindowTesting
{
    Q_OBJECT

    void SetOptions(bool backup, bool verify, bool compareFirst = false, bool trace = false)
    {
        Main().ActionBackupBeforeWrite->setChecked(backup);
        Main().ActionVerifyAfterWrite->setChecked(verify);
        Main().ActionCompareBeforeWrite->setChecked(compareFirst);
        Main().ActionTraceExchange->setChecked(trace);
    }

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() { OpenWindows(); }
    void cleanup() { CloseWindows(); }

    void optionsAreRememberedWithSafeDefaults()
    {
        QCOMPARE(Main().safetyOptions(), SafetyOptions{});
        QVERIFY(SafetyOptions{}.backup && SafetyOptions{}.verify);
        Main().ActionBackupBeforeWrite->trigger();
        Main().ActionTraceExchange->trigger();
        SafetyOptions expected;
        expected.backup = false;
        expected.trace = true;
        QCOMPARE(SafetyOptions::Load(), expected);
        // The next start shows them so.
        Restart();
        QVERIFY(!Main().ActionBackupBeforeWrite->isChecked());
        QVERIFY(Main().ActionTraceExchange->isChecked());
        QCOMPARE(Main().safetyOptions(), expected);
    }

    // Backups and the trace live in the user's own data folder: on Windows
    // %LOCALAPPDATA%\KD_Tune, for an installed program too (Program Files is
    // not writable); elsewhere $XDG_DATA_HOME/KD_Tune.
    void perUserDataFolder()
    {
#ifdef Q_OS_WIN
        const QString base = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
#else
        const QString base = qEnvironmentVariable("XDG_DATA_HOME");
#endif
        QVERIFY(!base.isEmpty());
        QCOMPARE(BackupFolder(), base + QStringLiteral("/KD_Tune/backups"));
        QCOMPARE(TraceFilePath(), base + QStringLiteral("/KD_Tune/trace.txt"));
    }

    // The radio held one channel; the window writes another. The backup holds
    // the first, the radio the second, and the read-back agrees.
    void guardedWrite()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(
            90, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("4321")}));
        UsePort(90);
        TForm1 &w = Main();
        SetOptions(false, false);
        w.channels().channels[0] = Simplex(40000000);
        QVERIFY(w.WriteToRadio());
        QVERIFY(BackupFiles().isEmpty());

        SetOptions(true, true);
        w.channels().channels[0] = Simplex(45000000);
        w.channels().channels[1] = Simplex(46000000);
        QVERIFY(w.WriteToRadio());
        const QString log = m_dialogs->lastLog;
        QVERIFY2(log.startsWith(QStringLiteral("Резервная копия: чтение радиостанции\nПорт COM90 открыт.")),
                 qPrintable(log));
        QVERIFY(log.indexOf(QStringLiteral("Резервная копия сохранена: ")) <
                log.indexOf(QStringLiteral("Запись в радиостанцию")));
        QVERIFY(log.indexOf(QStringLiteral("Таблица каналов записана.")) <
                log.indexOf(QStringLiteral("Проверка: чтение радиостанции")));
        QVERIFY(log.endsWith(QStringLiteral("Порт COM90 закрыт.\nПроверка: данные совпадают.")));
        QCOMPARE(m_windows.progress->panel()->percent(), 100);
        QVERIFY(m_dialogs->messages.isEmpty());

        const QStringList backups = BackupFiles();
        QCOMPARE(backups.size(), 1);
        QVERIFY(backups.first().startsWith(QStringLiteral("KD_4321_")));
        ConfigurationDocument::Contents before;
        QString error;
        QVERIFY(ConfigurationDocument::Read(QDir(BackupFolder()).filePath(backups.first()), before, error));
        QCOMPARE(before.channels[0].freq_rx, 40000000);
        QVERIFY(!before.channels[1].IsUsed());
        const ConfigDiff::Channels now = RadioChannels(sim);
        QCOMPARE(now[0].freq_rx, 45000000);
        QCOMPARE(now[1].freq_rx, 46000000);

        // A checked write through the menu leaves nothing unsaved.
        w.channels().channels[2] = Simplex(47000000);
        w.edits()->Record(QStringLiteral("edit"));
        QVERIFY(w.edits()->IsModified());
        w.ActionWrite->trigger();
        QVERIFY(!w.edits()->IsModified());
    }

    void corruptingRadioFailsTheVerify()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(91, {QStringLiteral("--no-pacing"), QStringLiteral("--store-changed")}));
        UsePort(91);
        Main().channels().channels[2] = Simplex(41000000);
        Main().edits()->Record(QStringLiteral("edit"));
        Main().ActionWrite->trigger();
        // The radio holds something else than the window: still unsaved.
        QVERIFY(Main().edits()->IsModified());
        const QString mismatch = QStringLiteral("Ошибка. Несовпадение данных при сравнении!!!");
        // The read-back itself finds the damaged images and says so before the comparison.
        QVERIFY2(m_dialogs->lastLog.endsWith(QStringLiteral("Порт COM91 закрыт.\nИтог: таблицы прочитаны с ошибками "
                                                            "(ошибки в таблице каналов).\n") + mismatch),
                 qPrintable(m_dialogs->lastLog));
        QVERIFY(!m_dialogs->lastLog.contains(QStringLiteral("данные совпадают")));
        QCOMPARE(m_dialogs->texts(), QStringList{mismatch});
        QCOMPARE(m_dialogs->messages.first().icon, DialogSeam::Icon::Error);
    }

    // A radio that falls silent after taking the tables: the log's last word
    // is what the radio holds, not the read-back's summary.
    void silentReadBackSaysTheTablesAreWritten()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        // Backup, information and both tables answered; then nothing.
        QVERIFY(sim.Start(97, {QStringLiteral("--no-pacing"), QStringLiteral("--silent-after"), QStringLiteral("14")}));
        UsePort(97);
        SetOptions(true, true);
        Main().ActionWrite->trigger();
        QVERIFY2(m_dialogs->lastLog.contains(QStringLiteral("Таблица настроек записана.")), qPrintable(m_dialogs->lastLog));
        QVERIFY2(m_dialogs->lastLog.endsWith(QStringLiteral("Ошибка. Проверка не выполнена!!!\nИтог: таблицы записаны, "
                                                            "но не проверены. Сравните их с радиостанцией (\"Сравнить "
                                                            "с радиостанцией\") или запишите ещё раз.")),
                 qPrintable(m_dialogs->lastLog));
    }

    // No backup, no write: the radio keeps what it held.
    void failedBackupWritesNothing_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<bool>("folderBlocked");
        QTest::addColumn<QString>("why");
        QTest::newRow("radio not read")
            << 92 << QStringList{QStringLiteral("--wrong-length"), QStringLiteral("3")} << false << QString();
        // Found before the radio is read.
        QTest::newRow("folder blocked") << 93 << QStringList() << true << QStringLiteral("не является папкой");
    }
    void failedBackupWritesNothing()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(int, port);
        QFETCH(QStringList, radio);
        QFETCH(bool, folderBlocked);
        QFETCH(QString, why);
        SimProcess sim;
        QVERIFY(sim.Start(port, QStringList{QStringLiteral("--no-pacing")} + radio));
        UsePort(port);
        if (folderBlocked) {
            // A file where the folder should be.
            QVERIFY(QDir().mkpath(UserDataFolder()));
            QVERIFY(WriteAll(BackupFolder(), QByteArray()));
        }
        Main().channels().channels[0] = Simplex(42000000);
        QVERIFY(!Main().WriteToRadio());
        if (folderBlocked) {
            QVERIFY(m_dialogs->executed.isEmpty());
            QVERIFY(m_dialogs->texts().join(QLatin1Char('\n')).contains(why));
        } else {
            const QString log = m_dialogs->lastLog;
            QVERIFY2(log.contains(QStringLiteral("Ошибка. Резервная копия не сохранена!!!\n") + why),
                     qPrintable(log));
            QVERIFY(log.endsWith(QStringLiteral("Запись прервана!!!")));
            QVERIFY(!log.contains(QStringLiteral("Запись в радиостанцию")));
        }
        QVERIFY(BackupFiles().isEmpty());
        QVERIFY(sim.ReadState(QStringLiteral("channels.bin")).isEmpty());
        QVERIFY(sim.ReadState(QStringLiteral("settings.bin")).isEmpty());
    }

    // Closed while the backup reads: the port is free at once and the write
    // never began.
    void closingDuringTheBackupWritesNothing()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(94, {})); // paced: a read takes seconds
        UsePort(94);
        bool stopped = false;
        m_dialogs->onExec = [&](QDialog *d) {
            auto *progress = qobject_cast<TFormProgress *>(d);
            const bool reading = m_dialogs->CloseOnceReading(progress);
            const JobSequence *s = progress->sequence();
            stopped = reading && s->finished() && s->stopped() && s->currentStep() == 0;
            return int(QDialog::Rejected);
        };
        Main().channels().channels[0] = Simplex(42000000);
        QVERIFY(!Main().WriteToRadio());
        QVERIFY(stopped);
        QVERIFY(BackupFiles().isEmpty());
        QVERIFY(sim.ReadState(QStringLiteral("channels.bin")).isEmpty());
        QVERIFY2(m_dialogs->texts().isEmpty(), qPrintable(m_dialogs->texts().join(QLatin1Char('\n'))));

        m_dialogs->onExec = {};
        Main().ActionGetInfo->trigger();
        QVERIFY2(m_dialogs->lastLog.endsWith(QStringLiteral("Порт COM94 закрыт.")),
                 qPrintable(m_dialogs->lastLog));
    }

    // Closed while the tables go out: the radio may hold part of them, and
    // the window says so after its log is gone.
    void closingDuringTheWriteSaysWriteAgain()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(98, {})); // paced: a write takes seconds
        UsePort(98);
        SetOptions(true, false);
        bool writing = false;
        m_dialogs->onExec = [&](QDialog *d) {
            auto *progress = qobject_cast<TFormProgress *>(d);
            progress->show();
            // Stopped once the first blocks of the channel table are out (the
            // backup read fills the first half of the bar).
            writing = QTest::qWaitFor(
                [progress] {
                    const int percent = progress->panel()->percent();
                    return progress->logText().endsWith(QStringLiteral("Запись ...")) && percent > 50 && percent < 75;
                },
                60000);
            progress->done(QDialog::Rejected);
            return int(QDialog::Rejected);
        };
        Main().channels().channels[0] = Simplex(42000000);
        QVERIFY(!Main().WriteToRadio());
        QVERIFY(writing);
        QCOMPARE(BackupFiles().size(), 1);
        QCOMPARE(m_dialogs->texts().size(), 1);
        const QString text = m_dialogs->texts().first();
        QVERIFY2(text.contains(QStringLiteral("Таблица каналов записана частично, таблица настроек не записана. "
                                              "Запишите радиостанцию ещё раз.")) &&
                     text.contains(BackupFiles().first()),
                 qPrintable(text));
    }

    // The trace holds the last traced exchange only, and the viewer shows it.
    void traceKeepsTheLastExchange()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(95, {QStringLiteral("--no-pacing")}));
        UsePort(95);
        TForm1 &w = Main();
        w.ActionShowTrace->trigger();
        QCOMPARE(
            m_dialogs->texts(),
            QStringList{
                "Трасса обмена не записана. Включите \"Записывать трассу обмена\" в меню \"Установки\"."});
        QCOMPARE(m_dialogs->executed.size(), 0);

        SetOptions(false, false, false, true);
        w.ActionGetInfo->trigger();
        w.ActionRead->trigger();
        const QString infoRequest = QStringLiteral("> c0 01 00 9f 16 c1");
        const QString trace = ReadText(TraceFilePath());
        QCOMPARE(trace.count(infoRequest), 1);
        QVERIFY(trace.contains(QStringLiteral("> c0 02 00 04 00")));

        SetOptions(false, false, false, false);
        w.ActionGetInfo->trigger();
        QCOMPARE(ReadText(TraceFilePath()), trace);

        QString shown;
        m_dialogs->onExec = [&](QDialog *d) {
            if (auto *viewer = qobject_cast<TFormTrace *>(d))
                shown = viewer->MemoTrace->toPlainText();
            return int(QDialog::Rejected);
        };
        w.ActionShowTrace->trigger();
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.trimmed(), trace.trimmed());
    }

    // The window differs from the radio in a channel's frequency and in a
    // setting; after a write nothing differs. Comparing changes nothing.
    void comparisonListsWhatAWriteWouldChange()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(96, {QStringLiteral("--no-pacing")}));
        UsePort(96);
        TForm1 &w = Main();
        SetOptions(false, false);
        w.channels().channels[5] = Simplex(41000000);
        QVERIFY(w.WriteToRadio());
        w.channels().channels[5].freq_rx = 41012500;
        w.settings().Volume = 3;
        const auto channels = w.channels().channels;
        const SettingsContext settings = w.settings();

        std::optional<comparison::Comparison> shown;
        QColor changedCell, sameCell;
        QStringList headers;
        m_dialogs->onExec = [&](QDialog *d) {
            if (auto *progress = qobject_cast<TFormProgress *>(d))
                return m_dialogs->RunToEnd(progress);
            auto *dialog = qobject_cast<TFormCompare *>(d);
            shown = dialog->shown();
            if (!dialog->shown().channels.isEmpty()) {
                for (int c = 0; c < dialog->GridChannels->columnCount(); ++c)
                    headers << dialog->GridChannels->horizontalHeaderItem(c)->text();
                changedCell =
                    dialog->GridChannels->item(1, 2)->background().color(); // the program's receive frequency
                sameCell = dialog->GridChannels->item(1, 3)->background().color();
            }
            return int(QDialog::Rejected);
        };
        w.ActionCompare->trigger();
        QCOMPARE(m_windows.progress->windowTitle(), QStringLiteral("Сравнение ..."));
        QVERIFY(shown.has_value());
        QCOMPARE(shown->channels.size(), 1);
        const comparison::ChannelRow &row = shown->channels.first();
        QCOMPARE(row.channel, 5);
        for (int c = 0; c < comparison::ColumnCount(); ++c)
            QCOMPARE(row.changed[c], comparison::ColumnField(c) == QStringLiteral("freq_rx"));
        QCOMPARE(row.radio[0], QStringLiteral("41 000 000"));
        QCOMPARE(row.program[0], QStringLiteral("41 012 500"));
        QCOMPARE(shown->settings.size(), 1);
        QCOMPARE(shown->settings.first().field, QStringLiteral("Volume"));
        QCOMPARE(shown->settings.first().radio, QStringLiteral("10"));
        QCOMPARE(shown->settings.first().program, QStringLiteral("3"));
        QCOMPARE(headers, (QStringList{"Канал", "", "Частота приема (Гц)", "Частота передачи (Гц)"}));
        QCOMPARE(changedCell, TFormCompare::ChangedColour());
        QVERIFY(sameCell != TFormCompare::ChangedColour());
        QVERIFY(w.channels().channels == channels);
        QVERIFY(w.settings() == settings);

        QVERIFY(w.WriteToRadio());
        shown.reset();
        w.ActionCompare->trigger();
        QVERIFY(shown.has_value());
        QVERIFY(shown->IsEmpty());
    }

    void compareBeforeWrite_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("Записать") << 97 << true;
        QTest::newRow("Отменить") << 98 << false;
    }
    void compareBeforeWrite()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(int, port);
        QFETCH(bool, accepted);
        SimProcess sim;
        QVERIFY(sim.Start(port, {QStringLiteral("--no-pacing")}));
        UsePort(port);
        SetOptions(false, false, true);
        Main().channels().channels[9] = Simplex(43000000);
        QStringList buttons;
        int progressShown = 0;
        int differing = 0;
        bool startsOnTable = false;
        bool tabReachesWrite = false;
        m_dialogs->onExec = [&](QDialog *d) {
            if (auto *progress = qobject_cast<TFormProgress *>(d)) {
                ++progressShown;
                return m_dialogs->RunToEnd(progress);
            }
            auto *dialog = qobject_cast<TFormCompare *>(d);
            dialog->show();
            QApplication::setActiveWindow(dialog);
            // From the differences the keyboard reaches the answer.
            startsOnTable = dialog->GridChannels->hasFocus();
            for (int i = 0; i < 4 && !tabReachesWrite; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                tabReachesWrite = dialog->ButtonWrite->hasFocus();
            }
            for (QPushButton *b : {dialog->ButtonWrite, dialog->ButtonCancel, dialog->ButtonClose}) {
                if (b->isVisible())
                    buttons << b->text();
            }
            differing = int(dialog->shown().channels.size());
            (accepted ? dialog->ButtonWrite : dialog->ButtonCancel)->click();
            return dialog->result();
        };
        QCOMPARE(Main().WriteToRadio(), accepted);
        QCOMPARE(buttons, (QStringList{"Записать", "Отменить"}));
        QCOMPARE(differing, 1);
        QVERIFY(startsOnTable);
        QVERIFY(tabReachesWrite);
        QCOMPARE(progressShown, accepted ? 2 : 1);
        QCOMPARE(RadioChannels(sim)[9].IsUsed(), accepted);
    }

    // A radio that cannot be read for the comparison is not written.
    void compareBeforeWriteWithoutARadio()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        UsePort(0);
        SetOptions(false, false, true);
        QVERIFY(!Main().WriteToRadio());
        QCOMPARE(m_dialogs->executed.size(), 1);
        QCOMPARE(m_dialogs->texts(),
                 QStringList{"Радиостанция не прочитана, сравнение не выполнено. Запись отменена."});
    }

    void settingTexts_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("flag") << "KeyLock"
                              << "1"
                              << "да";
        QTest::newRow("number") << "Volume"
                                << "7"
                                << "7";
        QTest::newRow("common squelch") << "SqlCommon"
                                        << "1"
                                        << "Общий на все каналы";
        QTest::newRow("start-up") << "StartupMode"
                                  << "132"
                                  << "Включить станцию в режим приема";
        QTest::newRow("output") << "Output2Function"
                                << "5"
                                << "Активен при срыве ФАПЧ";
        QTest::newRow("output out of list") << "Output2Function"
                                            << "12"
                                            << "12";
        QTest::newRow("microphone") << "MicAmp"
                                    << "2"
                                    << "3.2";
    }
    void settingTexts()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, text);
        QCOMPARE(comparison::SettingText(field, value), text);
    }
};

QTEST_MAIN(TestSafeWindow)
#include "tst_safewindow.moc"
