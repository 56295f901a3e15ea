#include "model/bytes.h"
#include "model/settingscontext.h"

#include <QDomDocument>
#include <QTest>

namespace {

QByteArray Head(const TableImage &img, int n)
{
    return QByteArray(reinterpret_cast<const char *>(img.data()), n).toHex(' ').toUpper();
}

const QByteArray kBody100 = "00 00 00 00 00 08 03 09 00 00 0A 01 09 08 00 00 00 00 09 05 00 01";

// Re-seals an image after a test changed bytes in it.
void Reseal(TableImage &img)
{
    img.PrepareCrcWords();
    SealImage(img);
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void resetVectors_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("1.02") << 0x0102 << QByteArray("02 01 2E 00 2C D8 31 F1 D0 34 DA A2 " + kBody100 + " 00 00 02 01 01 00 4E 00 00 00 80 00");
        QTest::newRow("1.00") << 0x0100 << QByteArray("00 01 22 00 79 26 ED FA D9 47 E3 46 " + kBody100);
    }
    void resetVectors()
    {
        QFETCH(int, version);
        QFETCH(QByteArray, head);
        SettingsContext s;
        TableImage img;
        QVERIFY(s.EncodeImage(img, std::uint16_t(version)));
        const int n = int(head.count(' ')) + 1;
        QCOMPARE(Head(img, n), head);
        for (std::size_t i = std::size_t(n); i < TableImage::Size; ++i)
            QCOMPARE(img.bytes[i], std::uint8_t(0xFF));
    }

    void refusedVersions()
    {
        SettingsContext s;
        TableImage img;
        img.Fill(0x11);
        QVERIFY(!s.EncodeImage(img, 0x0200));
        QCOMPARE(img.bytes[0], std::uint8_t(0x11));  // untouched
        QCOMPARE(s.version, std::uint16_t(0x0200));
        QVERIFY(!s.EncodeImage(img, 0x0103));
        QVERIFY(std::all_of(img.bytes.begin(), img.bytes.end(), [](std::uint8_t b) { return b == 0xFF; }));
    }

    void roundTripEveryVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("1.00") << 0x0100;
        QTest::newRow("1.01") << 0x0101;
        QTest::newRow("1.02") << 0x0102;
    }
    void roundTripEveryVersion()
    {
        QFETCH(int, version);
        SettingsContext s;
        s.Intensity = 3; s.IntensityKeys = 4; s.Volume = 16; s.MinVolume = 0; s.BeepMin = 2; s.BeepMax = 15;
        s.TxLimit = 900; s.TxPause = 600; s.StartChannel = 99; s.SpecChannel = 42; s.ScanPause = 60;
        s.TxPower = true; s.Squelch_On = false; s.SquelchAutoVol_On = false; s.ExtSpeaker_On = false;
        s.SpecChannelLock = true; s.StartChannelLock = true; s.MicAmp = 3; s.TxPowerPassword = 12345;
        s.MaxTxPower = 4; s.Squelch = 6; s.Tamp = false; s.TxPowerCommon = true; s.SqlCommon = true;
        s.ID = 254; s.KeyLock = true; s.KeyBeep = false; s.DigitalDelay = false; s.MultiplexedChannel = true;
        s.SqwMonitorPolarity = true; s.TxVoiceMonitor = false; s.DeemphasisOff = true;
        s.Output1Function = 8; s.Output2Function = 5; s.Output3Function = 1; s.StartupMode = 0x40;
        s.ProgramCount = 77;
        TableImage img;
        QVERIFY(s.EncodeImage(img, std::uint16_t(version)));
        QCOMPARE(getU32le(img.data() + 12), 77u);
        SettingsContext back;
        QVERIFY(back.DecodeImage(img));
        back.ProgramCount = s.ProgramCount;  // not read from the image
        SettingsContext expected = s;
        if (version < 0x0101) {
            expected.TxPowerPassword = 0; expected.MaxTxPower = 3; expected.Squelch = 1;
            expected.Tamp = true; expected.TxPowerCommon = false; expected.SqlCommon = false;
        }
        if (version < 0x0102) {
            expected.ID = 1; expected.KeyLock = false; expected.KeyBeep = true; expected.DigitalDelay = true;
            expected.MultiplexedChannel = false; expected.SqwMonitorPolarity = false; expected.TxVoiceMonitor = true;
            expected.DeemphasisOff = false; expected.Output1Function = 0; expected.Output2Function = 0;
            expected.Output3Function = 0; expected.StartupMode = 0x80;
        }
        QVERIFY(back == expected);
    }

    void squelchEightTravelsAsZero()
    {
        SettingsContext s;
        s.Squelch = 8;
        TableImage img;
        QVERIFY(s.EncodeImage(img, 0x0101));
        QCOMPARE(img.bytes[23] & 7, 0);
        SettingsContext back;
        QVERIFY(back.DecodeImage(img));
        QCOMPARE(back.Squelch, 0);
    }

    void secondTampCopyWins()
    {
        SettingsContext s;
        s.Tamp = false;
        TableImage img;
        QVERIFY(s.EncodeImage(img, 0x0102));
        img.bytes[40] |= 0x02;
        Reseal(img);
        SettingsContext back;
        QVERIFY(back.DecodeImage(img));
        QVERIFY(back.Tamp);
    }

    void rejectedImages_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("breakCrc");
        QTest::newRow("1.02 with length 38") << 0x0102 << 38 << false;
        QTest::newRow("1.00 with length 46") << 0x0100 << 46 << false;
        QTest::newRow("version 1.03") << 0x0103 << 46 << false;
        QTest::newRow("version 2.00") << 0x0200 << 34 << false;
        QTest::newRow("crc broken") << 0x0102 << 46 << true;
    }
    void rejectedImages()
    {
        QFETCH(int, version);
        QFETCH(int, length);
        QFETCH(bool, breakCrc);
        SettingsContext src;
        src.Volume = 1;
        TableImage img;
        QVERIFY(src.EncodeImage(img, 0x0102));
        img.SetVersion(std::uint16_t(version));
        img.SetLength(std::uint16_t(length));
        Reseal(img);
        if (breakCrc)
            img.bytes[30] ^= 1;
        SettingsContext s;
        QVERIFY(!s.DecodeImage(img));
        QCOMPARE(s.version, std::uint16_t(version));  // taken before the checks
        QCOMPARE(s.Volume, 10);                        // nothing else changed
    }

    void xmlRoundTripAndVersionAttribute_data()
    {
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<int>("version");
        QTest::newRow("missing") << QString() << 0x0100;
        QTest::newRow("decimal") << "258" << 0x0102;
        QTest::newRow("hex") << "0x0102" << 0x0102;
        QTest::newRow("not a number") << "new" << 0x0100;
        QTest::newRow("low 16 bits") << "0x10101" << 0x0101;
    }
    void xmlRoundTripAndVersionAttribute()
    {
        QFETCH(QString, attribute);
        QFETCH(int, version);
        QDomDocument doc;
        const QString attr = attribute.isNull() ? QString() : QStringLiteral(" version='%1'").arg(attribute);
        QVERIFY(doc.setContent(QStringLiteral("<Settings%1><Volume>3</Volume><Squelch_On>0</Squelch_On><MaxTxPower>x</MaxTxPower></Settings>").arg(attr)));
        SettingsContext s;
        s.ProgramCount = 5;
        s.ReadXml(doc.documentElement());
        QCOMPARE(int(s.version), version);
        QCOMPARE(s.Volume, 3);
        QVERIFY(!s.Squelch_On);
        QCOMPARE(s.MaxTxPower, 3);   // the file's default differs from Reset's 2
        QCOMPARE(s.ProgramCount, 5u);
    }

    void writeXmlOrderAndRoundTrip()
    {
        SettingsContext s;
        s.version = 0x0102;
        s.ScanPause = 17;
        s.StartupMode = 0xC0;
        QDomDocument doc;
        QDomElement e = doc.createElement(QStringLiteral("Settings"));
        doc.appendChild(e);
        s.WriteXml(e);
        QCOMPARE(e.attribute(QStringLiteral("version")), QStringLiteral("0x0102"));
        QStringList names;
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            names << c.tagName();
        QCOMPARE(names.size(), 36);
        QCOMPARE(names.indexOf(QStringLiteral("ScanPause")), names.indexOf(QStringLiteral("StartChannelLock")) + 1);
        QCOMPARE(names.first(), QStringLiteral("Intensity"));
        QCOMPARE(names.last(), QStringLiteral("StartupMode"));
        SettingsContext back;
        back.ReadXml(e);
        back.ProgramCount = s.ProgramCount;
        QVERIFY(back == s);
    }

    void absentElementGivesFileDefaults()
    {
        SettingsContext s;
        s.Volume = 1;
        s.ReadXml(QDomElement());
        QCOMPARE(s.Volume, 10);
        QCOMPARE(s.MaxTxPower, 3);
        QCOMPARE(s.version, std::uint16_t(0x0100));
    }
};

QTEST_APPLESS_MAIN(TestSettings)
#include "tst_settings.moc"
