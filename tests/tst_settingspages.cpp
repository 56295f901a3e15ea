#include "job/jobrunner.h"
#include "model/infocontext.h"
#include "model/settingscontext.h"
#include "simprocess.h"
#include "testdata.h"
#include "ui/grid/cellpainter.h"
#include "ui/settings/settingspages.h"
#include "ui/settings/trackbar.h"
#include "ui/settings/volumediagram.h"

#include <QComboBox>
#include <QDir>
#include <QDomDocument>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

constexpr int kSimPort = 120;
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);

// Every field differs from its default and survives the image of 1.02.
const char kSample[] = "<Settings><Intensity>3</Intensity><IntensityKeys>7</IntensityKeys><Volume>12</Volume>"
                       "<MinVolume>4</MinVolume><BeepMin>4</BeepMin><BeepMax>11</BeepMax><TxLimit>120</TxLimit>"
                       "<TxPause>30</TxPause><StartChannel>12</StartChannel><SpecChannel>34</SpecChannel>"
                       "<TxPower>1</TxPower><Squelch_On>0</Squelch_On><SquelchAutoVol_On>0</SquelchAutoVol_On>"
                       "<ExtSpeaker_On>0</ExtSpeaker_On><SpecChannelLock>1</SpecChannelLock><ScanPause>7</ScanPause>"
                       "<MicAmp>2</MicAmp><TxPowerPassword>123</TxPowerPassword><MaxTxPower>2</MaxTxPower>"
                       "<Squelch>5</Squelch><Tamp>0</Tamp><TxPowerCommon>1</TxPowerCommon><SqlCommon>1</SqlCommon>"
                       "<ID>77</ID><KeyLock>1</KeyLock><KeyBeep>0</KeyBeep><DigitalDelay>0</DigitalDelay>"
                       "<MultiplexedChannel>1</MultiplexedChannel><SqwMonitorPolarity>1</SqwMonitorPolarity>"
                       "<TxVoiceMonitor>0</TxVoiceMonitor><DeemphasisOff>1</DeemphasisOff>"
                       "<Output1Function>3</Output1Function><Output2Function>8</Output2Function>"
                       "<StartupMode>64</StartupMode></Settings>";

SettingsContext Sample(std::uint16_t version)
{
    QDomDocument doc;
    doc.setContent(QByteArray(kSample));
    SettingsContext s;
    s.ReadXml(doc.documentElement());
    s.version = version;
    return s;
}

// Every field but ProgramCount, in a form QCOMPARE can print.
QString Xml(const SettingsContext &s)
{
    QDomDocument doc;
    QDomElement e = doc.createElement(QStringLiteral("Settings"));
    doc.appendChild(e);
    s.WriteXml(e);
    return doc.toString(-1);
}

int Field(const SettingsContext &s, const QString &name)
{
    QDomDocument doc;
    doc.setContent(Xml(s));
    return doc.documentElement().firstChildElement(name).text().toInt();
}

// What a control shows, as one comparable text.
QString Shown(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->displayText();
    if (auto *s = qobject_cast<QSlider *>(w))
        return QString::number(s->value());
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->currentText();
    if (auto *t = qobject_cast<QToolButton *>(w)) {
        // The locked picture has a red body, the unlocked one a green body.
        const QColor body = t->icon().pixmap(24, 24).toImage().pixelColor(6, 19);
        return body.red() > body.green() ? QStringLiteral("locked") : QStringLiteral("unlocked");
    }
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return QString::number(b->isChecked());
    if (auto *g = qobject_cast<QGroupBox *>(w)) {
        for (QRadioButton *r : g->findChildren<QRadioButton *>())
            if (r->isChecked())
                return r->text();
        return QStringLiteral("none");
    }
    return QStringLiteral("?");
}

bool IsRed(QWidget *edit)
{
    return edit->palette().color(QPalette::Base) == kRed;
}

// Acts on a control as the user would; edits are typed key by key.
void Apply(QWidget *w, const QString &input)
{
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        e->selectAll();
        if (input.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, input);
    } else if (auto *s = qobject_cast<QSlider *>(w)) {
        s->setValue(input.toInt());
    } else if (auto *c = qobject_cast<QComboBox *>(w)) {
        c->setCurrentIndex(input.toInt());
    } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        b->click();
    }
}

// The main window's part: both pages in a page control.
struct Window
{
    explicit Window(const SettingsContext &s) : settings(s)
    {
        tabs.addTab(pages.page1(), QStringLiteral("1"));
        tabs.addTab(pages.page2(), QStringLiteral("2"));
        pages.ShowSettings();
    }
    template <typename T = QWidget>
    T *get(const QString &name)
    {
        T *w = pages.page1()->findChild<T *>(name);
        return w ? w : pages.page2()->findChild<T *>(name);
    }
    bool ShowPageOf(QWidget *w)
    {
        tabs.setCurrentWidget(pages.page1()->isAncestorOf(w) ? pages.page1() : pages.page2());
        tabs.resize(960, 520);
        tabs.show();
        tabs.activateWindow();
        return QTest::qWaitForWindowActive(&tabs);
    }

    SettingsContext settings;
    TInfoContext info;
    CellPainter painter;
    SettingsPages pages{settings, info, painter};
    QTabWidget tabs;
};

QPoint Centre(QWidget *w)
{
    return w->mapToGlobal(w->rect().center());
}

struct Probe
{
    QPoint at;
    QColor colour;  // invalid: the button face around the plot
};

} // namespace

Q_DECLARE_METATYPE(Probe)

class TestSettingsPages : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;

private slots:
    void initTestCase() { IsolateUserSettings(m_settingsDir.path()); }

    void versionDecidesTheControls_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("common");  // 1.01 fields
        QTest::addColumn<bool>("full");    // 1.02 fields and the second page
        QTest::newRow("1.00") << 0x0100 << false << false;
        QTest::newRow("1.01") << 0x0101 << true << false;
        QTest::newRow("1.02") << 0x0102 << true << true;
    }
    void versionDecidesTheControls()
    {
        QFETCH(int, version);
        QFETCH(bool, common);
        QFETCH(bool, full);
        SettingsContext s = Sample(std::uint16_t(version));
        s.SqlCommon = false;
        Window w(s);
        QSignalSpy second(&w.pages, &SettingsPages::secondPageVisibleChanged);
        w.pages.ShowSettings();
        QCOMPARE(second.count(), 1);
        QCOMPARE(second.first().first().toBool(), full);

        auto visible = [&](const char *name) { return w.get(QLatin1String(name))->isVisibleTo(w.pages.page1()); };
        for (const char *name : {"ComboBoxSquelchCommon", "GroupBoxTxPower", "ComboBoxMaxTxPower", "MaskEditPassword",
                                 "LabelPassword"})  // TxPowerCommon is set
            QVERIFY2(visible(name) == common, name);
        for (const char *name : {"CheckBoxKeyBeep", "CheckBoxDigitalDelay"})
            QVERIFY2(visible(name) == full, name);
        QVERIFY(!visible("ComboBoxSquelchLevel"));  // SqlCommon is clear
        QVERIFY(visible("CheckBoxSquelchOn") && visible("RadioGroupMicAmp"));
        // Key clicks cannot be switched off before 1.02; the sample has them off.
        QCOMPARE(w.get<VolumeDiagram>("PaintBoxVolume")->beepShown(), !full);
        // The grid shows common values only where the version has them.
        QCOMPARE(w.painter.CommonTxPower, common);
        QCOMPARE(Xml(w.settings), Xml(s));
    }

    void tableShownOnThePages_data()
    {
        QTest::addColumn<QString>("shown");
        const QList<std::pair<const char *, const char *>> rows{
            {"EditIntensity", "3"}, {"TrackBarIntensity", "3"}, {"EditIntensityKeys", "7"}, {"TrackBarVolume", "12"},
            {"EditMinVolume", "4"}, {"TrackBarMinVolume", "5"}, {"EditBeepMin", "4"}, {"EditBeepMax", "11"},
            {"EditStartChannel", "12"}, {"EditSpecChannel", "34"}, {"EditTxLimit", "120"}, {"EditTxPause", "30"},
            {"EditScanPause", "7"}, {"EditID", "77"}, {"RadioButtonTxMax", "1"}, {"RadioButtonTxMin", "0"},
            {"CheckBoxSquelchOn", "0"}, {"CheckBoxSquelchAutoVolume", "0"}, {"CheckBoxExtSpeaker", "0"},
            {"ButtonSpecChannelLock", "locked"}, {"ButtonStartChannelLock", "unlocked"},
            {"RadioGroupMicAmp", "3.2"}, {"ComboBoxSquelchCommon", "Общий на все каналы"},
            {"ComboBoxSquelchLevel", "L5"}, {"ComboBoxTxPowerCommon", "Общая на все каналы"},
            {"ComboBoxMaxTxPower", "мин: 5Вт / макс: 20Вт"}, {"MaskEditPassword", "00123"}, {"CheckBoxTamp", "0"},
            {"CheckBoxKeyLock", "1"}, {"CheckBoxKeyBeep", "0"}, {"CheckBoxDigitalDelay", "0"},
            {"CheckBoxMuxChannel", "1"}, {"CheckBoxTxVoiceMonitor", "0"}, {"CheckBoxDeemphasisOff", "1"},
            {"ComboBoxSqwMonitorPolarity", "+5В: ЕСТЬ принимаемый  сигнал"},
            {"ComboBoxOutput1Function", "Активен при недостаточной мощности"},
            {"ComboBoxOutput2Function", "Активен при готовности приемника"},
            {"ComboBoxOutput3Function", "Пассивен всегда"}, {"ComboBoxStartupMode", "Выключить станцию"}};
        for (const auto &[control, shown] : rows)
            QTest::newRow(control) << QString::fromUtf8(shown);
    }
    void tableShownOnThePages()
    {
        QFETCH(QString, shown);
        Window w(Sample(0x0102));
        QWidget *control = w.get(QLatin1String(QTest::currentDataTag()));
        QVERIFY(control);
        QCOMPARE(Shown(control), shown);
        QCOMPARE(Xml(w.settings), Xml(Sample(0x0102)));  // showing changes nothing
    }

    // The main window has the controls built after its first paint: they must
    // show the table as ShowSettings would, without reporting an edit or
    // offering the second page, and the grid's common values must be in force
    // before any control exists.
    void controlsBuiltLateShowTheTableQuietly_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("common");
        QTest::newRow("1.00") << 0x0100 << false;
        QTest::newRow("1.01") << 0x0101 << true;
        QTest::newRow("1.02") << 0x0102 << true;
    }
    void controlsBuiltLateShowTheTableQuietly()
    {
        QFETCH(int, version);
        QFETCH(bool, common);
        SettingsContext settings = Sample(std::uint16_t(version));
        TInfoContext info;
        CellPainter painter;
        SettingsPages pages(settings, info, painter);
        QCOMPARE(painter.CommonTxPower, common);
        QCOMPARE(painter.CommonSquelch, common);
        if (common) {
            QCOMPARE(painter.CommonTxPowerLevel, 2);
            QCOMPARE(painter.CommonSquelchLevel, 5);
        }
        QCOMPARE(pages.secondPageVisible(), version >= 0x0102);

        QSignalSpy edited(&pages, &SettingsPages::settingsEdited);
        QSignalSpy second(&pages, &SettingsPages::secondPageVisibleChanged);
        QSignalSpy repaint(&pages, &SettingsPages::gridRepaintNeeded);
        pages.EnsureBuilt();
        QCOMPARE(edited.count(), 0);
        QCOMPARE(second.count(), 0);
        QCOMPARE(repaint.count(), 0);
        QCOMPARE(Xml(settings), Xml(Sample(std::uint16_t(version))));

        Window shown(Sample(std::uint16_t(version)));
        int compared = 0;
        for (QWidget *page : {shown.pages.page1(), shown.pages.page2()}) {
            QWidget *latePage = page == shown.pages.page1() ? pages.page1() : pages.page2();
            for (QWidget *expected : page->findChildren<QWidget *>()) {
                if (expected->objectName().isEmpty())
                    continue;
                QWidget *late = latePage->findChild<QWidget *>(expected->objectName());
                QVERIFY2(late, qPrintable(expected->objectName()));
                QCOMPARE(Shown(late), Shown(expected));
                QCOMPARE(late->isVisibleTo(latePage), expected->isVisibleTo(page));
                ++compared;
            }
        }
        QVERIFY(compared > 30);
    }

    // Stored values no control can show: the bars clamp and the output lists
    // fall back to their first item, so what is shown is stored; the rest
    // stays stored as it is.
    void oddStoredValues()
    {
        SettingsContext s = Sample(0x0102);
        s.BeepMin = 0;
        s.BeepMax = 20;
        s.MinVolume = 12;
        s.StartChannel = 150;
        s.MicAmp = 7;
        s.Output1Function = 12;
        s.StartupMode = 0xC0;
        s.Squelch = 0;  // level 8 travels as 0
        s.TxPowerPassword = 123456;
        s.MaxTxPower = 9;
        Window w(s);
        SettingsContext expected = s;
        expected.BeepMin = 1;
        expected.BeepMax = 16;
        expected.MinVolume = 9;
        expected.Output1Function = 0;
        QCOMPARE(Xml(w.settings), Xml(expected));
        QCOMPARE(Shown(w.get("TrackBarMinVolume")), QStringLiteral("0"));
        QCOMPARE(Shown(w.get("EditStartChannel")), QStringLiteral("150"));
        QVERIFY(IsRed(w.get("EditStartChannel")) && !IsRed(w.get("EditSpecChannel")));
        QCOMPARE(Shown(w.get("RadioGroupMicAmp")), QStringLiteral("none"));
        QCOMPARE(Shown(w.get("ComboBoxOutput1Function")), QStringLiteral("Пассивен всегда"));
        QCOMPARE(Shown(w.get("ComboBoxStartupMode")), QStringLiteral("Восстановить состояние"));
        QCOMPARE(Shown(w.get("ComboBoxSquelchLevel")), QStringLiteral("L8"));
        QCOMPARE(Shown(w.get("ComboBoxMaxTxPower")), QStringLiteral("мин: 5Вт / макс: 40Вт"));
        QVERIFY(IsRed(w.get("MaskEditPassword")));
        QCOMPARE(w.painter.CommonSquelchLevel, 8);
        QCOMPARE(w.painter.CommonTxPowerLevel, 9);
    }

    void userChangeWritesItsField_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("red");
        // The sample holds TxLimit 120, ID 77 and password 123. Typed key by key,
        // a red text leaves the value of the last valid one.
        QTest::newRow("limit 900") << "EditTxLimit" << "900" << "TxLimit" << 900 << false;
        QTest::newRow("limit with blanks") << "EditTxLimit" << " 45 " << "TxLimit" << 45 << false;
        QTest::newRow("limit 007") << "EditTxLimit" << "007" << "TxLimit" << 0 << true;
        QTest::newRow("limit empty") << "EditTxLimit" << "" << "TxLimit" << 120 << true;
        QTest::newRow("limit 1000") << "EditTxLimit" << "1000" << "TxLimit" << 100 << true;
        QTest::newRow("limit +5") << "EditTxLimit" << "+5" << "TxLimit" << 120 << true;
        QTest::newRow("id 255") << "EditID" << "255" << "ID" << 25 << true;
        QTest::newRow("password in two positions") << "MaskEditPassword" << "12" << "TxPowerPassword" << 12000 << false;
        QTest::newRow("password beyond 16 bits") << "MaskEditPassword" << "70000" << "TxPowerPassword" << 123 << true;
        QTest::newRow("start-up off") << "ComboBoxStartupMode" << "0" << "StartupMode" << 64 << false;
        QTest::newRow("start-up receive") << "ComboBoxStartupMode" << "1" << "StartupMode" << 132 << false;
        QTest::newRow("start-up restore") << "ComboBoxStartupMode" << "2" << "StartupMode" << 0 << false;
        QTest::newRow("output 2") << "ComboBoxOutput2Function" << "5" << "Output2Function" << 5 << false;
        QTest::newRow("polarity") << "ComboBoxSqwMonitorPolarity" << "0" << "SqwMonitorPolarity" << 0 << false;
        QTest::newRow("squelch L8") << "ComboBoxSquelchLevel" << "7" << "Squelch" << 8 << false;
        QTest::newRow("max power first") << "ComboBoxMaxTxPower" << "0" << "MaxTxPower" << 1 << false;
        QTest::newRow("power minimum") << "RadioButtonTxMin" << "" << "TxPower" << 0 << false;
        QTest::newRow("microphone 10.0") << "RadioButtonMicAmp0" << "" << "MicAmp" << 0 << false;
        QTest::newRow("start channel lock") << "ButtonStartChannelLock" << "" << "StartChannelLock" << 1 << false;
        QTest::newRow("key beep") << "CheckBoxKeyBeep" << "" << "KeyBeep" << 1 << false;
        QTest::newRow("min volume bar top") << "TrackBarMinVolume" << "0" << "MinVolume" << 9 << false;
    }
    void userChangeWritesItsField()
    {
        QFETCH(QString, control);
        QFETCH(QString, input);
        QFETCH(QString, field);
        QFETCH(int, value);
        QFETCH(bool, red);
        Window w(Sample(0x0102));
        QWidget *widget = w.get(control);
        QVERIFY(widget);
        Apply(widget, input);
        QCOMPARE(Field(w.settings, field), value);
        if (qobject_cast<QLineEdit *>(widget))
            QCOMPARE(IsRed(widget), red);
    }

    void painterFollowsTheCommonChoices()
    {
        SettingsContext s = Sample(0x0101);
        s.SqlCommon = false;
        Window w(s);
        QSignalSpy repaint(&w.pages, &SettingsPages::gridRepaintNeeded);
        auto *level = w.get<QComboBox>("ComboBoxSquelchLevel");
        w.get<QComboBox>("ComboBoxSquelchCommon")->setCurrentIndex(1);
        QVERIFY(w.painter.CommonSquelch && !level->isHidden());
        level->setCurrentIndex(2);
        QCOMPARE(w.painter.CommonSquelchLevel, 3);
        w.get<QComboBox>("ComboBoxMaxTxPower")->setCurrentIndex(2);
        QCOMPARE(w.painter.CommonTxPowerLevel, 3);
        w.get<QComboBox>("ComboBoxTxPowerCommon")->setCurrentIndex(0);
        QVERIFY(!w.painter.CommonTxPower && !w.settings.TxPowerCommon);
        QVERIFY(w.get("MaskEditPassword")->isHidden() && w.get("ComboBoxMaxTxPower")->isHidden());
        QCOMPARE(repaint.count(), 4);
    }

    void beepBarsDragEachOther_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("beepMin");
        QTest::addColumn<int>("beepMax");
        // The sample starts at 4..11; "stored crossed" shows a table as it is.
        QTest::newRow("min above max") << "TrackBarBeepMin" << 14 << 14 << 14;
        QTest::newRow("max below min") << "TrackBarBeepMax" << 2 << 2 << 2;
        QTest::newRow("stored crossed") << "" << 0 << 12 << 5;
    }
    void beepBarsDragEachOther()
    {
        QFETCH(QString, bar);
        QFETCH(int, position);
        QFETCH(int, beepMin);
        QFETCH(int, beepMax);
        SettingsContext s = Sample(0x0102);
        if (bar.isEmpty()) {
            s.BeepMin = beepMin;
            s.BeepMax = beepMax;
        }
        Window w(s);
        if (!bar.isEmpty())
            w.get<QSlider>(bar)->setValue(position);
        QCOMPARE(w.settings.BeepMin, beepMin);
        QCOMPARE(w.settings.BeepMax, beepMax);
        for (const char *name : {"TrackBarBeepMin", "TrackBarBeepMax"}) {
            auto *b = w.get<TrackBar>(name);
            QCOMPARE(b->selectionStart(), std::min(beepMin, beepMax));
            QCOMPARE(b->selectionEnd(), std::max(beepMin, beepMax));
        }
        QCOMPARE(Shown(w.get("TrackBarBeepMin")), QString::number(beepMin));
        QCOMPARE(Shown(w.get("EditBeepMax")), QString::number(beepMax));
    }

    void maxPowerList_data()
    {
        QTest::addColumn<QList<int>>("levels");  // empty: the record's defaults
        QTest::addColumn<int>("maxTxPower");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("selected");
        const QString item = QStringLiteral("мин: %1Вт / макс: %2Вт");
        QTest::newRow("defaults") << QList<int>{} << 2
                                  << QStringList{item.arg(5).arg(10), item.arg(5).arg(20), item.arg(5).arg(40)} << 1;
        QTest::newRow("stops at first zero") << QList<int>{2, 15, 0, 30} << 3 << QStringList{item.arg(2).arg(15)} << 0;
        QTest::newRow("below the list") << QList<int>{1, 10, 25, 0} << 0
                                        << QStringList{item.arg(1).arg(10), item.arg(1).arg(25)} << 0;
        QTest::newRow("no level") << QList<int>{5, 0, 20, 40} << 2 << QStringList{} << -1;
    }
    void maxPowerList()
    {
        QFETCH(QList<int>, levels);
        QFETCH(int, maxTxPower);
        QFETCH(QStringList, items);
        QFETCH(int, selected);
        SettingsContext s = Sample(0x0101);
        s.MaxTxPower = maxTxPower;
        Window w(s);
        if (!levels.isEmpty()) {
            std::array<std::uint8_t, TInfoContext::ExtendedLength> reply{};
            for (int i = 0; i < 4; ++i)
                reply[100 + i] = std::uint8_t(levels[i]);
            w.info.DecodeExtended(reply.data());
            w.pages.ShowSettings();
        }
        auto *combo = w.get<QComboBox>("ComboBoxMaxTxPower");
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        QCOMPARE(shown, items);
        QCOMPARE(combo->currentIndex(), selected);
        QCOMPARE(w.settings.MaxTxPower, maxTxPower);
    }

    void wheel_data()
    {
        QTest::addColumn<QString>("under");   // empty: over the diagram, the focus on `focused`
        QTest::addColumn<QString>("preset");  // typed or set before the wheel turns
        QTest::addColumn<int>("delta");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("focused");
        QTest::newRow("limit at 900, up") << "EditTxLimit" << "900" << 120 << "TxLimit" << 900 << "EditTxLimit";
        QTest::newRow("red limit, down") << "EditTxLimit" << "1000" << -120 << "TxLimit" << 99 << "EditTxLimit";
        QTest::newRow("vertical bar, up") << "TrackBarMinVolume" << "5" << 120 << "MinVolume" << 5 << "TrackBarMinVolume";
        QTest::newRow("vertical box, down") << "EditMinVolume" << "" << -120 << "MinVolume" << 3 << "TrackBarMinVolume";
        QTest::newRow("volume at 16, up") << "TrackBarVolume" << "16" << 120 << "Volume" << 16 << "TrackBarVolume";
        QTest::newRow("focused edit") << "" << "" << 120 << "ScanPause" << 8 << "EditScanPause";
    }
    void wheel()
    {
        QFETCH(QString, under);
        QFETCH(QString, preset);
        QFETCH(int, delta);
        QFETCH(QString, field);
        QFETCH(int, value);
        QFETCH(QString, focused);
        Window w(Sample(0x0102));  // MinVolume 4, ScanPause 7
        QWidget *target = w.get(under.isEmpty() ? focused : under);
        QVERIFY(w.ShowPageOf(target));
        if (!preset.isEmpty())
            Apply(target, preset);
        QPoint pos = Centre(target);
        if (under.isEmpty()) {
            target->setFocus();
            pos = Centre(w.get("PaintBoxVolume"));
        }
        QVERIFY(w.pages.HandleWheel(pos, delta));
        QCOMPARE(Field(w.settings, field), value);
        QVERIFY(w.get(focused)->hasFocus());
        if (auto *edit = qobject_cast<QLineEdit *>(target))
            QCOMPARE(edit->text(), QString::number(value));
    }

    void wheelLeftToTheWindowAndBoxClick()
    {
        Window w(Sample(0x0102));
        QWidget *diagram = w.get("PaintBoxVolume");
        QVERIFY(w.ShowPageOf(diagram));
        w.get("CheckBoxExtSpeaker")->setFocus();
        QVERIFY(!w.pages.HandleWheel(Centre(diagram), 120));
        QVERIFY(!w.pages.HandleWheel(Centre(w.get("EditID")), 120));  // page 2 is not on screen
        QCOMPARE(Xml(w.settings), Xml(Sample(0x0102)));
        // A slider's number box hands the focus to its bar.
        QTest::mouseClick(w.get("EditVolume"), Qt::LeftButton);
        QVERIFY(w.get("TrackBarVolume")->hasFocus());
    }

    void volumeDiagram_data()
    {
        QTest::addColumn<QList<int>>("levels");  // Volume, MinVolume, BeepMin, BeepMax
        QTest::addColumn<bool>("beep");
        QTest::addColumn<QList<Probe>>("probes");
        const QColor white(255, 255, 255);
        // y0 = 112: line (0,112)-(240,8); P1 (32,99), P2 (112,64); volume (144,50); key click (80,78).
        QTest::newRow("reset values")
            << QList<int>{10, 9, 3, 8} << true
            << QList<Probe>{{{0, 112}, kGreen},    {{240, 8}, kGreen},     {{200, 25}, kGreen},  {{72, 81}, kRed},
                            {{144, 200}, kGreen},  {{145, 50}, kGreen},    {{243, 50}, kGreen},  {{82, 79}, kRed},
                            {{245, 81}, kRed},     {{32, 8}, kRed},        {{112, 8}, kRed},     {{10, 220}, white},
                            {{250, 250}, QColor()}, {{245, 200}, QColor()}, {{100, 4}, QColor()}};
        // y0 = 232: line (0,232)-(240,8), all of it the key click span; no volume marks.
        QTest::newRow("silent, full span")
            << QList<int>{0, 0, 1, 16} << true
            << QList<Probe>{{{120, 120}, kRed}, {{144, 200}, white}, {{243, 50}, QColor()}, {{240, 9}, kRed}};
        // A table read but not yet shown (a message box open on top) is drawn as
        // the bars will show it: 16, 0, 1, 16. Guides at x 240 (green) and 241 (red).
        QTest::newRow("fields beyond the bars")
            << QList<int>{1000000000, -1000000000, -2000000000, 2000000000} << true
            << QList<Probe>{{{120, 120}, kRed}, {{240, 231}, kGreen}, {{241, 231}, kRed}, {{144, 200}, white}};
        QTest::newRow("silent, key clicks off")
            << QList<int>{0, 0, 1, 16} << false
            << QList<Probe>{{{120, 120}, kGreen}, {{0, 232}, kGreen}, {{240, 8}, kGreen}, {{1, 100}, white}};
    }
    void volumeDiagram()
    {
        QFETCH(QList<int>, levels);
        QFETCH(bool, beep);
        QFETCH(QList<Probe>, probes);
        SettingsContext s;
        s.Volume = levels[0];
        s.MinVolume = levels[1];
        s.BeepMin = levels[2];
        s.BeepMax = levels[3];
        VolumeDiagram diagram(s);
        diagram.SetBeepShown(beep);
        QImage image(VolumeDiagram::Side, VolumeDiagram::Side, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        diagram.Render(painter);
        painter.end();
        const QColor face = diagram.palette().color(QPalette::Button);
        for (const Probe &p : probes) {
            const QColor expected = p.colour.isValid() ? p.colour : face;
            QVERIFY2(image.pixelColor(p.at) == expected, qPrintable(QStringLiteral("(%1,%2) is %3")
                                                                        .arg(p.at.x())
                                                                        .arg(p.at.y())
                                                                        .arg(image.pixelColor(p.at).name())));
        }
    }

    // A table of each version read from the radio shows on the pages; edits made
    // there are written back and read back equal.
    void roundTripThroughTheRadio_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("1.00") << 0x0100;
        QTest::newRow("1.01") << 0x0101;
        QTest::newRow("1.02") << 0x0102;
    }
    void roundTripThroughTheRadio()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(int, version);
        const auto v = std::uint16_t(version);
        QTemporaryDir state;
        TableImage image;
        QVERIFY(Sample(v).EncodeImage(image, v));
        QVERIFY(WriteAll(QDir(state.path()).filePath(QStringLiteral("settings.bin")), ImageBytes(image)));
        SimProcess sim;
        QVERIFY(sim.Start(kSimPort, {"--no-pacing", "--settings-version", QString::number(version)}, state.path()));

        JobRecords records{QString()};
        QVERIFY(RunJobToEnd(records, ProgrammingJob::OpRead, kSimPort, nullptr, nullptr, nullptr)->succeeded());
        Window w(records.settings);
        QCOMPARE(Shown(w.get("EditTxLimit")), QStringLiteral("120"));
        QCOMPARE(Shown(w.get("ButtonSpecChannelLock")), QStringLiteral("locked"));
        QCOMPARE(w.pages.secondPageVisible(), v >= 0x0102);
        if (v >= 0x0101)
            QCOMPARE(Shown(w.get("ComboBoxSquelchLevel")), QStringLiteral("L5"));
        if (v >= 0x0102)
            QCOMPARE(Shown(w.get("ComboBoxOutput2Function")), QStringLiteral("Активен при готовности приемника"));

        Apply(w.get("EditTxLimit"), QStringLiteral("321"));
        Apply(w.get("TrackBarVolume"), QStringLiteral("3"));
        Apply(w.get("ButtonSpecChannelLock"), QString());
        if (v >= 0x0101)
            Apply(w.get("ComboBoxSquelchLevel"), QStringLiteral("2"));
        if (v >= 0x0102)
            Apply(w.get("ComboBoxStartupMode"), QStringLiteral("1"));
        QVERIFY(RunJobToEnd(records.channels, w.settings, records.info, ProgrammingJob::OpWrite, kSimPort, nullptr,
                            nullptr, nullptr)
                    ->succeeded());

        JobRecords back{QString()};
        QVERIFY(RunJobToEnd(back, ProgrammingJob::OpRead, kSimPort, nullptr, nullptr, nullptr)->succeeded());
        back.settings.ProgramCount = w.settings.ProgramCount;  // not carried back by the image
        QCOMPARE(Xml(back.settings), Xml(w.settings));
        QVERIFY(back.settings == w.settings);
        QCOMPARE(back.settings.TxLimit, 321);
        QCOMPARE(back.settings.Volume, 3);
        QCOMPARE(back.settings.Squelch, v >= 0x0101 ? 3 : 1);
        QCOMPARE(back.settings.StartupMode, v >= 0x0102 ? 132 : 0x80);
    }
};

QTEST_MAIN(TestSettingsPages)
#include "tst_settingspages.moc"
