// What a technician new to kd-tune runs into: each case here once misled or
// cost work.

#include "ui/application.h"
#include "ui/formchannel.h"
#include "ui/mainwindow.h"
#include "ui/statuspanels.h"
#include "windowtesting.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>

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
};

QTEST_MAIN(TestNewUser)
#include "tst_newuser.moc"
