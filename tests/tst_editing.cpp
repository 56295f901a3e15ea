#include "model/configdocument.h"
#include "testdata.h"
#include "ui/dialogs/form_freqrange.h"
#include "ui/editor/formchannel.h"
#include "ui/grid/channelgrid.h"
#include "ui/settings/settingspages.h"
#include "ui/window/edithistory.h"
#include "windowtesting.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

// Unsaved changes, undo and redo, and the channel rows of the main window.
namespace {

// Window tests with the simulated radio use COM100..COM119.
constexpr int kReadPort = 100;
constexpr int kHalfReadPort = 101;

const QString kQuestion = QStringLiteral("Каналы и настройки были изменены. Сохранить изменения?");

Channel Used(std::int32_t rx, std::int32_t tx, int variant)
{
    Channel c;
    c.freq_rx = rx;
    c.freq_tx = tx;
    c.subtone_rx = variant % 50;
    c.tone_tx = 1000 + variant;
    c.tx_power_low = variant % 2;
    c.tx_power_high = 3;
    c.squelch = 1 + variant % 8;
    c.scan = variant % 3 == 0;
    c.scrambler = variant % 2 == 1;
    return c;
}

enum Config {
    Base,  // the default range (33-48.5 MHz), channels 1..5 used
    Vhf,   // 146-174 MHz, channel 7 used, channel 8 outside the range
    Radio, // the default range, channels 10..12 used
};

void WriteConfig(const QString &path, Config config)
{
    ChannelsContext table{QString()};
    const FreqRange vhf = VhfRange();
    SettingsContext settings;
    settings.version = SettingsContext::Version102;
    switch (config) {
    case Base:
        for (int n = 1; n <= 5; ++n)
            table.channels[std::size_t(n)] = Used(41000000 + n * 12500, 41000000 + n * 25000, n);
        settings.Volume = 7;
        break;
    case Vhf:
        table.ranges.Select(table.ranges.Add(&vhf));
        table.channels[7] = Used(150000000, 150000000, 7);
        table.channels[8] = Used(41000000, 41000000, 8);
        break;
    case Radio:
        for (int n = 10; n <= 12; ++n)
            table.channels[std::size_t(n)] = Used(35000000 + n * 12500, 35000000, n);
        settings.Volume = 12;
        settings.ID = 17;
        break;
    }
    QVERIFY(WriteAll(path, ConfigurationDocument::Serialize(table, settings)));
}

// Both tables as the radio would get them, and the range: what undo must
// bring back byte for byte.
QByteArray Images(TForm1 &w)
{
    ChannelsContext table{QString()};
    table.channels = w.channels().channels;
    TableImage channels;
    if (!table.EncodeImage(channels, ChannelsContext::TableVersion))
        return "channels cannot be encoded";
    SettingsContext settings = w.settings();
    TableImage image;
    if (!settings.EncodeImage(image, settings.version))
        return "settings cannot be encoded";
    return ImageBytes(channels) + ImageBytes(image) + w.channels().ranges.Current().ToText().toUtf8();
}

// A radio's state folder with the tables of `path` (the default range); the
// settings table damaged when `damageSettings`.
void WriteRadioState(const QString &dir, const QString &path, bool damageSettings)
{
    ConfigurationDocument::Contents contents;
    QString error;
    QVERIFY2(ConfigurationDocument::Read(path, contents, error), qPrintable(error));
    ChannelsContext table{QString()};
    table.channels = contents.channels;
    TableImage channels, settings;
    QVERIFY(table.EncodeImage(channels, ChannelsContext::TableVersion));
    QVERIFY(contents.settings.EncodeImage(settings, SettingsContext::Version102));
    if (damageSettings)
        settings.bytes[20] ^= 0x5A;
    QVERIFY(WriteAll(dir + QStringLiteral("/channels.bin"), ImageBytes(channels)));
    QVERIFY(WriteAll(dir + QStringLiteral("/settings.bin"), ImageBytes(settings)));
}

enum Change {
    EditorCommit,
    EditorErase,
    EditorSession,
    GridDelete,
    GridCut,
    GridPaste,
    SettingsSlider,
    SettingsNumber,
    RangeChange,
    Create,
    Read
};

} // namespace

class TestEditing : public QObject, WindowTesting
{
    Q_OBJECT

    bool Modified() { return Main().edits()->IsModified(); }
    bool Starred() { return Main().windowTitle().startsWith(QLatin1Char('*')); }

    // The window with the base configuration opened: nothing to save, no history.
    void OpenBase()
    {
        WriteConfig(File(QStringLiteral("base.xml")), Base);
        QVERIFY(Main().OpenFile(File(QStringLiteral("base.xml"))));
        QVERIFY(!Modified());
    }

    // Runs the channel editor on `row`; `edit` works the open dialog.
    void Edit(int row, const std::function<void(TFormChan *)> &edit)
    {
        m_dialogs->onExec = [edit](QDialog *d) {
            auto *editor = qobject_cast<TFormChan *>(d);
            editor->show();
            edit(editor);
            return editor->result();
        };
        Main().grid()->setCurrentRow(row);
        Main().ActionEditChannel->trigger();
        m_dialogs->onExec = {};
    }

    void Make(Change change, SimProcess &sim)
    {
        TForm1 &w = Main();
        switch (change) {
        case EditorCommit:
            Edit(2, [](TFormChan *e) {
                e->CheckBoxScrambler->click();
                e->ButtonOK->click();
            });
            break;
        case EditorErase:
            Edit(3, [](TFormChan *e) {
                e->ButtonErase->click();
                e->ButtonOK->click();
            });
            break;
        case EditorSession:
            // Two channels committed in one opening: one step.
            Edit(2, [](TFormChan *e) {
                e->CheckBoxScan->click();
                e->ButtonNext->click();
                e->CheckBoxActive->click();
                e->ButtonOK->click();
            });
            QCOMPARE(w.edits()->stack()->count(), 1);
            break;
        case GridDelete:
            w.grid()->selectRows(2, 4);
            w.DeleteChannelsExecute();
            break;
        case GridCut:
            w.grid()->selectRows(5, 6);
            w.CutChannelsExecute();
            break;
        case GridPaste:
            w.grid()->selectRows(2, 3);
            w.CopyChannelsExecute();
            w.grid()->setCurrentRow(40);
            w.PasteChannelsExecute();
            break;
        case SettingsSlider:
            w.settingsPages()->page1()->findChild<QSlider *>(QStringLiteral("TrackBarVolume"))->setValue(13);
            break;
        case SettingsNumber: {
            auto *edit = w.settingsPages()->page1()->findChild<QLineEdit *>(QStringLiteral("EditTxLimit"));
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("120"));
            break;
        }
        case RangeChange:
            m_dialogs->onExec = [](QDialog *d) {
                qobject_cast<TFormFreqRange *>(d)->ComboBoxRanges->setCurrentIndex(1);
                return int(QDialog::Accepted);
            };
            w.ActionSelectFreqRange->trigger();
            m_dialogs->onExec = {};
            break;
        case Create:
            w.FileCreate->trigger();
            break;
        case Read: {
            // The radio holds another configuration.
            WriteConfig(File(QStringLiteral("radio.xml")), Radio);
            QTemporaryDir state;
            WriteRadioState(state.path(), File(QStringLiteral("radio.xml")), false);
            QVERIFY(sim.Start(kReadPort, {QStringLiteral("--no-pacing")}, state.path()));
            UsePort(kReadPort);
            w.ActionRead->trigger();
            QVERIFY2(m_dialogs->lastLog.contains(QStringLiteral("Таблица настроек прочитана")),
                     qPrintable(m_dialogs->lastLog));
            break;
        }
        }
    }

private slots:
    void initTestCase() { IsolateSettings(); }

    void init()
    {
        OpenWindows();
        // Shortcuts need the window active.
        Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Main()));
    }

    void cleanup() { CloseWindows(); }

    // --- Unsaved changes -------------------------------------------------------

    void unsavedChangesAreAskedAbout_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("saveDialogAnswered");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<bool>("changed");
        for (const char *action : {"create", "open", "read", "close"}) {
            auto row = [action](const char *answer, DialogSeam::SaveChoice choice, bool answered, bool goesOn,
                                bool changed = true) {
                QTest::addRow("%s, %s", action, answer)
                    << QString::fromLatin1(action) << int(choice) << answered << goesOn << changed;
            };
            row("save", DialogSeam::SaveChoice::Save, true, true);
            row("save, file dialog cancelled", DialogSeam::SaveChoice::Save, false, false);
            row("discard", DialogSeam::SaveChoice::Discard, false, true);
            row("cancel", DialogSeam::SaveChoice::Cancel, false, false);
            row("nothing changed", DialogSeam::SaveChoice::Cancel, false, true, false);
        }
    }

    void unsavedChangesAreAskedAbout()
    {
        QFETCH(QString, action);
        QFETCH(int, choice);
        QFETCH(bool, saveDialogAnswered);
        QFETCH(bool, goesOn);
        QFETCH(bool, changed);
        TForm1 &w = Main();
        OpenBase();
        const QString saved = File(QStringLiteral("saved.xml"));
        QFile::remove(saved);
        WriteConfig(File(QStringLiteral("vhf.xml")), Vhf);
        w.grid()->setCurrentRow(2);
        if (changed)
            w.DeleteChannelsExecute();
        QCOMPARE(Starred(), changed);
        const QByteArray edited = Images(w);

        m_dialogs->saveChoice = DialogSeam::SaveChoice(choice);
        m_dialogs->saveAnswer = saveDialogAnswered ? saved : QString();
        m_dialogs->openAnswer = File(QStringLiteral("vhf.xml"));
        UsePort(0);
        const int shownBefore = int(m_dialogs->executed.size());
        bool wentOn = false;
        if (action == QLatin1String("create")) {
            w.FileCreate->trigger();
            wentOn = !w.channels().channels[3].IsUsed();
        } else if (action == QLatin1String("open")) {
            w.FileOpen1->trigger();
            wentOn = w.channels().channels[7].IsUsed();
            QCOMPARE(m_dialogs->openDirs.size(), wentOn ? 1 : 0);
        } else if (action == QLatin1String("read")) {
            w.ActionRead->trigger();
            wentOn = m_dialogs->executed.size() > shownBefore;
        } else {
            wentOn = w.close();
            QCOMPARE(w.isVisible(), !wentOn);
        }
        QCOMPARE(m_dialogs->saveQuestions, changed ? QStringList{kQuestion} : QStringList());
        QCOMPARE(wentOn, goesOn);
        QCOMPARE(QFile::exists(saved), saveDialogAnswered);
        if (saveDialogAnswered) {
            // The edited tables went into the file before anything replaced them.
            ConfigurationDocument::Contents contents;
            QString error;
            QVERIFY(ConfigurationDocument::Read(saved, contents, error));
            QVERIFY(!contents.channels[1].IsUsed() && contents.channels[2].IsUsed());
        }
        if (!goesOn) {
            QCOMPARE(Images(w), edited);
            QVERIFY(Modified());
        }
    }

    void failedReadChangesNothing_data()
    {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<bool>("damageSettings");
        QTest::addColumn<QString>("logged");
        QTest::newRow("replies broken") << QStringList{QStringLiteral("--corrupt-every"), QStringLiteral("3")}
                                        << false << QStringLiteral("!!!");
        // The channel table decodes into the window before the settings fail.
        QTest::newRow("settings table damaged")
            << QStringList() << true << QStringLiteral("Ошибки в таблице настроек!!!");
    }

    void failedReadChangesNothing()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QStringList, radio);
        QFETCH(bool, damageSettings);
        QFETCH(QString, logged);
        TForm1 &w = Main();
        // The radio's range (the default) differs from the window's.
        WriteConfig(File(QStringLiteral("radio.xml")), Radio);
        WriteConfig(File(QStringLiteral("vhf.xml")), Vhf);
        QVERIFY(w.OpenFile(File(QStringLiteral("vhf.xml"))));
        w.grid()->setCurrentRow(8);
        w.DeleteChannelsExecute();
        const QByteArray before = Images(w);
        const int steps = w.edits()->stack()->count();

        QTemporaryDir state;
        WriteRadioState(state.path(), File(QStringLiteral("radio.xml")), damageSettings);
        SimProcess sim;
        QVERIFY(sim.Start(kHalfReadPort, QStringList{QStringLiteral("--no-pacing")} + radio, state.path()));
        UsePort(kHalfReadPort);
        w.ActionRead->trigger();
        QVERIFY2(m_dialogs->lastLog.contains(logged), qPrintable(m_dialogs->lastLog));
        QCOMPARE(Images(w), before);
        QVERIFY(w.channels().ranges.Current().Equals(VhfRange()));
        QCOMPARE(w.edits()->stack()->count(), steps);
        QVERIFY(Modified());
    }

    // --- Undo and redo ---------------------------------------------------------

    void undoAndRedoRestoreTheTables_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("savedAfter");
        QTest::newRow("editor commit") << int(EditorCommit) << false;
        QTest::newRow("editor erase") << int(EditorErase) << false;
        QTest::newRow("editor session") << int(EditorSession) << false;
        QTest::newRow("grid delete") << int(GridDelete) << false;
        QTest::newRow("grid cut") << int(GridCut) << false;
        QTest::newRow("grid paste") << int(GridPaste) << false;
        QTest::newRow("settings slider") << int(SettingsSlider) << false;
        QTest::newRow("settings number") << int(SettingsNumber) << false;
        QTest::newRow("range change") << int(RangeChange) << false;
        QTest::newRow("create") << int(Create) << true;
        QTest::newRow("read") << int(Read) << true;
    }

    void undoAndRedoRestoreTheTables()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(int, change);
        QFETCH(bool, savedAfter);
        TForm1 &w = Main();
        // Two ranges in the list, the default one current.
        WriteConfig(File(QStringLiteral("vhf.xml")), Vhf);
        QVERIFY(w.OpenFile(File(QStringLiteral("vhf.xml"))));
        OpenBase();
        QCOMPARE(w.edits()->stack()->count(), 0);
        const QByteArray before = Images(w);

        SimProcess sim;
        Make(Change(change), sim);
        const QByteArray after = Images(w);
        QVERIFY(after != before);
        // The keys go to the main window as the user would press them there.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(Starred(), !savedAfter);
        QVERIFY(w.ActionUndo->isEnabled());

        QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(Images(w), before);
        QVERIFY(w.ActionRedo->isEnabled());
        QCOMPARE(Starred(), savedAfter);
        QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(Images(w), after);
        QCOMPARE(Starred(), !savedAfter);
        w.UndoExecute();
        QCOMPARE(Images(w), before);
        QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(Images(w), after);
        // The pages show what undo put back.
        QCOMPARE(w.settingsPages()->page1()->findChild<QSlider *>(QStringLiteral("TrackBarVolume"))->value(),
                 int(w.settings().Volume));
    }

    void openingRemovesChannelsAsOneStepAndClearsTheRest()
    {
        TForm1 &w = Main();
        OpenBase();
        w.grid()->setCurrentRow(2);
        w.DeleteChannelsExecute();
        QVERIFY(w.edits()->CanUndo());
        m_dialogs->saveChoice = DialogSeam::SaveChoice::Discard;

        WriteConfig(File(QStringLiteral("vhf.xml")), Vhf);
        m_dialogs->openAnswer = File(QStringLiteral("vhf.xml"));
        w.FileOpen1->trigger();
        QVERIFY(!w.channels().channels[8].IsUsed());
        QVERIFY(!Starred());
        QCOMPARE(w.edits()->stack()->count(), 1);

        w.UndoExecute();
        QVERIFY(w.channels().channels[8] == Used(41000000, 41000000, 8));
        QVERIFY(w.channels().channels[7] == Used(150000000, 150000000, 7));
        QVERIFY(!w.edits()->CanUndo());
        QVERIFY(Starred());
        w.RedoExecute();
        QVERIFY(!w.channels().channels[8].IsUsed());
        QVERIFY(!Starred());
    }

    void settingsEditsOfOneControlAreOneStep()
    {
        TForm1 &w = Main();
        OpenBase();
        auto *volume = w.settingsPages()->page1()->findChild<QSlider *>(QStringLiteral("TrackBarVolume"));
        const int start = volume->value();
        for (int v = start + 1; v <= start + 4; ++v)
            volume->setValue(v);
        QCOMPARE(w.edits()->stack()->count(), 1);
        w.settingsPages()->page1()->findChild<QCheckBox *>(QStringLiteral("CheckBoxSquelchOn"))->click();
        QCOMPARE(w.edits()->stack()->count(), 2);
        w.UndoExecute();
        w.UndoExecute();
        QCOMPARE(w.settings().Volume, start);
        QCOMPARE(volume->value(), start);
        // Back where it began: no step at all.
        w.RedoExecute();
        volume->setValue(start);
        QCOMPARE(w.edits()->stack()->count(), 0);
    }

    // --- Channel rows ----------------------------------------------------------

    void copyAndPasteRowsThroughTheClipboard()
    {
        TForm1 &w = Main();
        OpenBase();
        const auto original = w.channels().channels;
        ChannelGrid *grid = w.grid();
        grid->setFocus();
        grid->setCurrentRow(2);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier); // channels 1..4
        QTest::keyClick(grid, Qt::Key_Insert, Qt::ControlModifier);
        const QString text = QGuiApplication::clipboard()->text();
        QVERIFY(text.startsWith(QStringLiteral("channel\tfreq_rx\tfreq_tx\t")));
        QCOMPARE(text.count(QLatin1Char('\n')), 5);

        grid->setCurrentRow(61);
        QTest::keyClick(grid, Qt::Key_Insert, Qt::ShiftModifier);
        for (int i = 0; i < 4; ++i)
            QVERIFY2(w.channels().channels[std::size_t(60 + i)] == original[std::size_t(1 + i)],
                     qPrintable(QString::number(i)));
        QCOMPARE(grid->selectedRows(), (QList<int>{61, 62, 63, 64}));
        QVERIFY(m_dialogs->messages.isEmpty());

        // Cut takes them away again, and pasting puts them back.
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ShiftModifier);
        QVERIFY(!w.channels().channels[60].IsUsed());
        grid->setCurrentRow(61);
        w.PasteChannelsExecute();
        QVERIFY(w.channels().channels[63] == original[4]);
    }

    void pastedChannelsFollowTheOpeningRule()
    {
        TForm1 &w = Main();
        OpenBase();
        QGuiApplication::clipboard()->setText(
            QStringLiteral("channel\tfreq_rx\tfreq_tx\tactive\n"
                           "1\t41000000\t41000000\t0\n"
                           "2\t150000000\t150000000\t1\n" // outside 33-48.5 MHz
                           "3\t\t\t\n"));
        w.grid()->setCurrentRow(2); // channels 1..3 are used
        w.PasteChannelsExecute();
        QCOMPARE(w.channels().channels[1].freq_rx, 41000000);
        QVERIFY(!w.channels().channels[1].active);
        QVERIFY(!w.channels().channels[2].IsUsed());
        QVERIFY(!w.channels().channels[3].IsUsed());
        QCOMPARE(m_dialogs->texts(),
                 QStringList{"При вставке были удалены каналы, не соответствующие диапазону частот."});

        m_dialogs->messages.clear();
        w.grid()->setCurrentRow(100);
        w.PasteChannelsExecute();
        QCOMPARE(w.channels().channels[99].freq_rx, 41000000);
        QVERIFY(m_dialogs->texts().contains(
            QStringLiteral("Каналы, не поместившиеся после канала 99, не вставлены.")));
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
