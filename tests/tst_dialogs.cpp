#include "link/portdirectory.h"
#include "simprocess.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/formcom.h"
#include "ui/dialogs/formprogress.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

QList<PortItem> Names(const QStringList &names)
{
    QList<PortItem> items;
    for (const QString &n : names)
        items.append(PortItem{n, QStringLiteral("/dev/") + n.toLower(), QString()});
    return items;
}

QStringList EntryTexts(const PortListing &listing)
{
    QStringList out;
    for (const PortItem &i : listing.entries)
        out << i.name;
    return out;
}

QStringList ComboTexts(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

// Pixels of exactly `colour` inside a rectangle of an image.
int Count(const QImage &image, const QRect &r, const QColor &colour)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    QList<PortItem> m_ports;

    // A port dialog over a port list the test controls.
    std::unique_ptr<TFormComPort> PortDialog()
    {
        auto dialog = std::make_unique<TFormComPort>();
        dialog->SetPortSource([this] { return m_ports; });
        return dialog;
    }

private slots:
    void initTestCase() { IsolateUserSettings(m_settingsDir.path()); }
    void init() { UserSettings().clear(); }

    // --- Port enumeration ------------------------------------------------------

    // The default port where the user's settings keep it: on Windows the
    // registry value HKEY_CURRENT_USER\Software\KD_Tune\Settings\DefaultComPort
    // (read back here without Qt), elsewhere [Settings] in KD_Tune.conf.
    void defaultPortIsTheUsersSetting_data()
    {
        QTest::addColumn<QString>("port");
        QTest::newRow("COM3") << QStringLiteral("COM3");
        QTest::newRow("COM255") << QStringLiteral("COM255");
        QTest::newRow("none (OK without ports)") << QString();
    }
    void defaultPortIsTheUsersSetting()
    {
        QFETCH(QString, port);
#ifdef Q_OS_WIN
        // The registry itself, not the file the tests use instead; what the
        // user had is put back.
        const QByteArray file = qgetenv("KD_TUNE_SETTINGS_FILE");
        qunsetenv("KD_TUNE_SETTINGS_FILE");
        const QString before = ports::StoredDefaultPort();
        const auto restore = qScopeGuard([&] {
            ports::StoreDefaultPort(before);
            qputenv("KD_TUNE_SETTINGS_FILE", file);
        });
        ports::StoreDefaultPort(port);
        wchar_t value[64] = {};
        DWORD size = sizeof value;
        QCOMPARE(RegGetValueW(HKEY_CURRENT_USER, L"Software\\KD_Tune\\Settings", L"DefaultComPort", RRF_RT_REG_SZ,
                              nullptr, value, &size),
                 LONG(ERROR_SUCCESS));
        QCOMPARE(QString::fromWCharArray(value), port);
#else
        ports::StoreDefaultPort(port);
        const QSettings file(m_settingsDir.filePath(QStringLiteral("KD_Tune.conf")), QSettings::IniFormat);
        QVERIFY(file.contains(QStringLiteral("Settings/DefaultComPort")));
        QCOMPARE(file.value(QStringLiteral("Settings/DefaultComPort")).toString(), port);
#endif
        QCOMPARE(ports::StoredDefaultPort(), port);
    }

    void enumeration_data()
    {
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("chosen");

        QTest::newRow("ascending by number") << QStringList{"COM10", "COM3", "COM1"} << QString()
                                             << QStringList{"COM1", "COM3", "COM10"} << 1;
        QTest::newRow("lower case accepted") << QStringList{"com4"} << QString() << QStringList{"COM4"} << 4;
        QTest::newRow("not ports") << QStringList{"COM0", "COM256", "COMX", "LPT1", "COM"} << QString()
                                   << QStringList() << 0;
        QTest::newRow("duplicates collapse") << QStringList{"COM2", "com2", "COM2"} << QString()
                                             << QStringList{"COM2"} << 2;
        QTest::newRow("stored default") << QStringList{"COM1", "COM3"} << QStringLiteral("COM3")
                                        << QStringList{"COM1", "COM3"} << 3;
        QTest::newRow("stored default absent") << QStringList{"COM1"} << QStringLiteral("COM3")
                                               << QStringList{"COM1"} << 1;
        QTest::newRow("stored text must match exactly") << QStringList{"COM1", "COM3"} << QStringLiteral("com3")
                                                        << QStringList{"COM1", "COM3"} << 1;
        QTest::newRow("highest port") << QStringList{"COM255", "COM200"} << QStringLiteral("COM255")
                                      << QStringList{"COM200", "COM255"} << 255;
    }

    void enumeration()
    {
        QFETCH(QStringList, system);
        QFETCH(QString, stored);
        QFETCH(QStringList, entries);
        QFETCH(int, chosen);
        const PortListing listing = EnumeratePorts(Names(system), stored);
        QCOMPARE(EntryTexts(listing), entries);
        QCOMPARE(listing.chosenPort, chosen);
        QCOMPARE(listing.selected, entries.isEmpty() ? -1 : entries.indexOf(ports::PortName(chosen)));
    }

    void enumerationWithoutPortsKeepsTheChoice()
    {
        auto dialog = PortDialog();
        m_ports = Names({QStringLiteral("COM5")});
        QCOMPARE(dialog->Enumerate(), 5);
        m_ports.clear();
        QCOMPARE(dialog->Enumerate(), 5);
        QCOMPARE(dialog->ComboBoxCOM->count(), 0);
    }

    void entriesTellTheDevicesApart()
    {
        auto dialog = PortDialog();
        m_ports = {PortItem{QStringLiteral("COM34"), QStringLiteral("/dev/ttyUSB1"), QStringLiteral("CP2102 (Silicon Labs)")},
                   PortItem{QStringLiteral("COM33"), QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R (FTDI)")}};
        dialog->Enumerate();
        QCOMPARE(ComboTexts(dialog->ComboBoxCOM), (QStringList{"COM33", "COM34"}));
        QVERIFY(dialog->ComboBoxCOM->itemData(1, Qt::ToolTipRole).toString().contains(QStringLiteral("/dev/ttyUSB1")));
        QVERIFY(dialog->ComboBoxCOM->itemData(1, Qt::ToolTipRole).toString().contains(QStringLiteral("CP2102")));
        QVERIFY(dialog->LabelDevice->text().contains(QStringLiteral("/dev/ttyUSB0")));
        dialog->ComboBoxCOM->setCurrentIndex(1);
        QVERIFY(dialog->LabelDevice->text().contains(QStringLiteral("CP2102")));
    }

    void showReselectsThePreviousChoice()
    {
        auto dialog = PortDialog();
        m_ports = Names({QStringLiteral("COM1"), QStringLiteral("COM3"), QStringLiteral("COM4")});
        ports::StoreDefaultPort(QStringLiteral("COM3"));
        QCOMPARE(dialog->Enumerate(), 3);
        dialog->show();
        QCOMPARE(dialog->ComboBoxCOM->currentText(), QStringLiteral("COM3"));
        // Selecting COM1 and cancelling: the next showing still shows COM1.
        dialog->ComboBoxCOM->setCurrentIndex(0);
        dialog->ComboBoxCOMChange();
        dialog->BitBtnCancell->click();
        QCOMPARE(ports::StoredDefaultPort(), QStringLiteral("COM3"));
        dialog->show();
        QCOMPARE(dialog->ComboBoxCOM->currentText(), QStringLiteral("COM1"));
        // Confirming without a change chooses and stores what it shows.
        dialog->BitBtnOk->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->chosenPort(), 1);
        QCOMPARE(ports::StoredDefaultPort(), QStringLiteral("COM1"));
    }

    void vanishedChoiceFallsBackToWhatIsShown()
    {
        auto dialog = PortDialog();
        m_ports = Names({QStringLiteral("COM1"), QStringLiteral("COM3"), QStringLiteral("COM5")});
        dialog->Enumerate();
        dialog->ComboBoxCOM->setCurrentIndex(2);
        dialog->ComboBoxCOMChange();
        QCOMPARE(dialog->chosenPort(), 5);
        ports::StoreDefaultPort(QStringLiteral("COM3"));
        m_ports = Names({QStringLiteral("COM1"), QStringLiteral("COM3")});
        dialog->show();
        QCOMPARE(dialog->ComboBoxCOM->currentText(), QStringLiteral("COM1"));
        QCOMPARE(dialog->chosenPort(), 1);
        dialog->reject();
    }

    void okWithoutPortsKeepsTheStoredDefault()
    {
        auto dialog = PortDialog();
        ports::StoreDefaultPort(QStringLiteral("COM7"));
        m_ports.clear();
        dialog->show();
        dialog->BitBtnOk->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(ports::StoredDefaultPort(), QStringLiteral("COM7"));
        QCOMPARE(dialog->chosenPort(), 0);
    }

    // The dialog asks its ports as it opens and fills in the line under the
    // list as each answers, while the user can already choose.
    void dialogShowsWhatAnswersOnEachPort_data()
    {
        QTest::addColumn<QStringList>("simArgs");  // empty: no device behind the name
        QTest::addColumn<QString>("line");
        QTest::newRow("radio") << QStringList{"--no-pacing", "--serial", "6150"}
                               << QStringLiteral("Отвечает радиостанция КОРДАН 7К-40БМ, серийный номер 6150");
        QTest::newRow("silent radio") << QStringList{"--no-pacing", "--silent-after", "0"} << QStringLiteral("Радиостанция не отвечает");
        QTest::newRow("no device") << QStringList{} << QStringLiteral("Устройство отсутствует");
    }
    void dialogShowsWhatAnswersOnEachPort()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QStringList, simArgs);
        QFETCH(QString, line);
        SimProcess sim;
        if (simArgs.isEmpty())
            UserSettings().setValue(QStringLiteral("Ports/COM249"), m_settingsDir.filePath(QStringLiteral("no-such-device")));
        else
            QVERIFY(sim.Start(249, simArgs));
        m_ports = {PortItem{QStringLiteral("COM249"), ports::DevicePath(249), QString()}};
        auto dialog = PortDialog();
        dialog->SetPortSource([this] { return m_ports; }, true);
        dialog->show();
        QCOMPARE(dialog->LabelRadio->text(), simArgs.isEmpty() ? line : QStringLiteral("Опрос ..."));
        QTRY_COMPARE_WITH_TIMEOUT(dialog->LabelRadio->text(), line, 5000);
        QCOMPARE(dialog->ComboBoxCOM->currentText(), QStringLiteral("COM249"));
    }

    // What the window says when the radio is not where the port points.
    void radioElsewhere_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QList<int>>("radios");  // ports with a radio; the others silent
        QTest::addColumn<QString>("message");
        QTest::newRow("no port, one radio") << 0 << QList<int>{34}
                                            << QStringLiteral("Порт не выбран. Радиостанция отвечает на порту COM34: "
                                                              "выберите его командой \"Выбрать COM порт\".");
        QTest::newRow("silent port, one radio elsewhere") << 33 << QList<int>{34}
                                                          << QStringLiteral("На порту COM33 радиостанция не отвечает, а на порту COM34 "
                                                                            "отвечает: выберите его командой \"Выбрать COM порт\".");
        QTest::newRow("radio on the chosen port too") << 33 << QList<int>{33, 34} << QString();
        QTest::newRow("two radios elsewhere") << 0 << QList<int>{34, 35} << QString();
        QTest::newRow("no radio") << 33 << QList<int>{} << QString();
    }
    void radioElsewhere()
    {
        QFETCH(int, chosen);
        QFETCH(QList<int>, radios);
        QFETCH(QString, message);
        QList<PortFinding> findings;
        for (const int port : {33, 34, 35})
            findings.append(PortFinding{port, QString(), QString(), radios.contains(port) ? PortFinding::Radio : PortFinding::NoAnswer,
                                        TInfoContext(), QString()});
        QCOMPARE(RadioElsewhereMessage(chosen, findings), message);
    }

    void systemPortsIncludeMappedSimulators()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(250, {QStringLiteral("--no-pacing")}));
        TFormComPort dialog;
        dialog.Enumerate();
        const int i = dialog.ComboBoxCOM->findText(QStringLiteral("COM250"));
        QVERIFY(i >= 0);
        QVERIFY(dialog.ComboBoxCOM->itemData(i, Qt::ToolTipRole).toString().endsWith(QStringLiteral("/port")));
    }

    // --- About box -------------------------------------------------------------

    void buildDate_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("Oct  8 2014") << QStringLiteral("Oct  8 2014") << QStringLiteral("Дата сборки 8.10.2014");
        QTest::newRow("Jan  1 2015") << QStringLiteral("Jan  1 2015") << QStringLiteral("Дата сборки 1.1.2015");
        QTest::newRow("Dec 31 1999") << QStringLiteral("Dec 31 1999") << QStringLiteral("Дата сборки 31.12.1999");
        QTest::newRow("Feb 29 2024") << QStringLiteral("Feb 29 2024") << QStringLiteral("Дата сборки 29.2.2024");
    }

    void buildDate()
    {
        QFETCH(QString, date);
        QFETCH(QString, text);
        const BuildDate d = ParseBuildDate(date);
        QVERIFY(d.valid);
        QCOMPARE(BuildDateText(d), text);
    }

    void badBuildDates_data()
    {
        QTest::addColumn<QString>("date");
        QTest::newRow("unknown month") << QStringLiteral("Foo  8 2014");
        QTest::newRow("month across names") << QStringLiteral("anF  8 2014");
        QTest::newRow("no year") << QStringLiteral("Oct  8");
        QTest::newRow("empty") << QString();
    }

    void badBuildDates()
    {
        QFETCH(QString, date);
        QVERIFY(!ParseBuildDate(date).valid);
    }

    void aboutBox()
    {
        QCOMPARE(VersionText(QStringLiteral("KDT10"), QStringLiteral("1.2.3")), QStringLiteral("Версия KDT10 1.2.3"));
        QCOMPARE(VersionText(QStringLiteral("KDT10"), QString()), QStringLiteral("Версия KDT10 не определена"));
        TFormAbout about;
        about.show();
        QCOMPARE(about.windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(about.Label1->text(), QStringLiteral("Программатор каналов и настроек"));
        QCOMPARE(about.Label2->text(), QStringLiteral("мобильных радиостанций"));
        QCOMPARE(about.Label5->text(), QStringLiteral("Версия таблицы каналов 01.00"));
        QCOMPARE(about.Label6->text(), QStringLiteral("Версия таблицы настроек 01.02"));
        QVERIFY(about.LabelDate->text().startsWith(QStringLiteral("Дата сборки ")));
        QVERIFY(!about.LabelVersion->text().contains(QStringLiteral("не определена")));
        QTest::keyClick(&about, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
    }

    // --- Progress panel --------------------------------------------------------

    void progressPanel_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("barWidth");  // -1: nothing but the button face
        QTest::newRow("0 %") << 0 << 0;
        QTest::newRow("35 %") << 35 << 224;
        QTest::newRow("100 %") << 100 << 641;
        QTest::newRow("-1") << -1 << -1;
        QTest::newRow("101") << 101 << -1;
    }

    void progressPanel()
    {
        QFETCH(int, percent);
        QFETCH(int, barWidth);
        const QColor face(200, 200, 200);
        const QColor bar(0, 192, 0);
        QImage image(641, 19, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        PaintProgressPanel(p, image.rect(), percent, bar, face);
        p.end();
        if (barWidth < 0) {
            QCOMPARE(Count(image, image.rect(), face), 641 * 19);
            return;
        }
        if (barWidth > 0)
            QCOMPARE(image.pixelColor(barWidth - 1, 0), bar);
        if (barWidth < 641)
            QCOMPARE(image.pixelColor(barWidth, 0), face);
        // The figure in the middle: white over the bar, black beyond it.
        const QRect middle(300, 0, 41, 19);
        const bool overBar = barWidth > 340;
        QVERIFY(Count(image, middle, overBar ? QColor(Qt::white) : QColor(Qt::black)) > 0);
        QCOMPARE(Count(image, middle, overBar ? QColor(Qt::black) : QColor(Qt::white)), 0);
    }

    // A failed job's panel: pale red with a dark red frame and text, never
    // the bar of a job that reached its end.
    void failedPanel()
    {
        QImage image(641, 19, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        PaintFailedPanel(p, image.rect(), QStringLiteral("Ошибка: операция не выполнена, причина в журнале"));
        p.end();
        QCOMPARE(image.pixelColor(0, 0), QColor(FailedText));
        QCOMPARE(image.pixelColor(640, 18), QColor(FailedText));
        QCOMPARE(image.pixelColor(5, 9), QColor(FailedGround));
        const QRect words(200, 1, 241, 17);
        QVERIFY(Count(image, words, QColor(FailedGround)) < words.width() * words.height() - 40);
        QCOMPARE(Count(image, image.rect(), Qt::magenta), 0);
        QCOMPARE(Count(image, image.rect(), QColor(0, 192, 0)), 0);
    }

    void progressWindowLayout()
    {
        TFormProgress window;
        window.show();
        // The log keeps its height above the row of the close button.
        QCOMPARE(window.width(), 641);
        QCOMPARE(window.findChild<QWidget *>(QStringLiteral("MemoLog"))->height(), 172 - 19);
        QCOMPARE(window.panel()->height(), 19);
        QCOMPARE(window.panel()->width(), 641);
        QVERIFY(window.closeButton()->isVisible());
        // Without prepared records nothing runs, and Esc closes the window.
        QVERIFY(!window.job());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
