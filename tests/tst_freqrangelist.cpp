#include "model/freqrangelist.h"
#include "testdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kDefaultFile =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
    "<root>\r\n"
    "\t<FreqRangeList>\r\n"
    "\t\t<FreqRange>\r\n"
    "\t\t\t<rx0 begin=\"33000000\" end=\"48500000\"/>\r\n"
    "\t\t\t<tx0 begin=\"33000000\" end=\"48500000\"/>\r\n"
    "\t\t</FreqRange>\r\n"
    "\t</FreqRangeList>\r\n"
    "</root>\r\n";

const char *kRange300 = "<FreqRange><rx0 begin='300000000' end='301000000'/><tx0 begin='300000000' end='301000000'/></FreqRange>";

QByteArray ListFile(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"windows-1251\"?><root><FreqRangeList>" + body + "</FreqRangeList></root>";
}

} // namespace

class TestFreqRangeList : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString Path() const { return m_dir.filePath(QStringLiteral("KD_config.xml")); }

private slots:
    void init()
    {
        QFile::remove(Path());
        QFile::remove(Path() + QStringLiteral(".bak"));
    }

    void missingFileWritesTheDefault()
    {
        FreqRangeList list;
        QVERIFY(!list.Load(Path()));
        QCOMPARE(list.count(), 1);
        QVERIFY(list.modified());
        QString text;
        QVERIFY(list.CurrentText(text));
        QCOMPARE(text, QStringLiteral("( 33-48.5 МГц)"));
        QVERIFY(list.Save(Path()));
        QCOMPARE(ReadAll(Path()), kDefaultFile);
        QVERIFY(!QFile::exists(Path() + QStringLiteral(".bak")));
    }

    void loadShapes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("backup");  // the file is kept aside before it is replaced
        QTest::newRow("default file") << kDefaultFile << 1 << false << false;
        QTest::newRow("duplicates collapse") << ListFile(QByteArray(kRange300) + kRange300) << 1 << false << false;
        QTest::newRow("two ranges") << ListFile(QByteArray(kRange300) +
                                                "<FreqRange><rx0 begin='33000000' end='48500000'/><tx0 begin='33000000' end='48500000'/></FreqRange>")
                                    << 2 << false << false;
        QTest::newRow("hole skipped") << ListFile("<FreqRange><rx0 begin='1' end='2'/><tx0 begin='1' end='2'/><tx2 begin='5' end='6'/></FreqRange>"
                                                  "<FreqRange><rx0 begin='300000000' end='301000000'/><rx1 begin='301000000' end='302000000'/>"
                                                  "<tx0 begin='300000000' end='301000000'/><tx1 begin='310000000' end='311000000'/></FreqRange>")
                                      << 1 << false << false;
        QTest::newRow("1 GHz skipped") << ListFile("<FreqRange><rx0 begin='1' end='1000000000'/><tx0 begin='1' end='2'/></FreqRange>") << 1 << false << false;
        QTest::newRow("other case skipped") << ListFile("<freqrange><rx0 begin='1' end='2'/><tx0 begin='1' end='2'/></freqrange>") << 1 << false << false;
        QTest::newRow("no usable range") << ListFile("<Junk/>") << 1 << false << false;
        QTest::newRow("no FreqRangeList") << QByteArray("<root><Other/></root>") << 1 << true << true;
        QTest::newRow("malformed") << QByteArray("<root><FreqRangeList>") << 1 << true << true;
        QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe<\x01\x02", 6) << 1 << true << true;
        QTest::newRow("empty file") << QByteArray() << 1 << true << true;
        QTest::newRow("unclosed nesting") << (QByteArray(2000, '<').replace("<", "<a>") + QByteArray("x")) << 1 << true << true;
        QTest::newRow("deep nesting") << (QByteArray(100000, '<').replace("<", "<a>") + QByteArray(100000, '>').replace(">", "</a>")) << 1 << true << true;
    }
    void loadShapes()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(bool, modified);
        QFETCH(bool, backup);
        QVERIFY(WriteAll(Path(), file));
        FreqRangeList list;
        list.Load(Path());
        QCOMPARE(list.count(), count);
        QCOMPARE(list.modified(), modified);
        QCOMPARE(list.CurrentIndex(), 0);
        for (int i = 0; i < list.count(); ++i)
            QVERIFY(list.at(i).IsValid());
        if (modified) {
            QVERIFY(list.Save(Path()));
            QCOMPARE(ReadAll(Path() + QStringLiteral(".bak")), file);
            QCOMPARE(ReadAll(Path()), kDefaultFile);
        }
        QCOMPARE(QFile::exists(Path() + QStringLiteral(".bak")), backup);
    }

    void addSelectAndModified()
    {
        QVERIFY(WriteAll(Path(), kDefaultFile));
        FreqRangeList list;
        QVERIFY(list.Load(Path()));
        FreqRange r300;
        r300.AddRx(300000000, 301000000);
        r300.AddTx(300000000, 301000000);
        FreqRange def;
        def.SetDefault();
        QCOMPARE(list.Add(&def), 0);
        QVERIFY(!list.modified());
        QCOMPARE(list.Add(&r300), 1);
        QVERIFY(list.modified());
        QCOMPARE(list.Add(&r300), 1);
        QCOMPARE(list.Add(nullptr), -1);
        QCOMPARE(list.IndexOf(nullptr), -1);
        QVERIFY(list.Select(1));
        QVERIFY(list.Current().Equals(r300));
        QVERIFY(!list.Select(2));
        QVERIFY(!list.Select(-1));
        QCOMPARE(list.CurrentIndex(), 1);
        QStringList texts;
        list.FillStrings(texts);
        QCOMPARE(texts, (QStringList{QStringLiteral("( 33-48.5 МГц)"), QStringLiteral("(300-301 МГц)")}));

        QVERIFY(list.Save(Path()));
        FreqRangeList again;
        QVERIFY(again.Load(Path()));
        QCOMPARE(again.count(), 2);
        QCOMPARE(again.CurrentIndex(), 0);  // the selection itself is not stored
    }

    void invalidRangesAreNotWritten()
    {
        FreqRangeList list;
        FreqRange bad;
        bad.AddRx(5, 4);
        bad.AddTx(5, 4);
        list.Add(&bad);
        QCOMPARE(list.count(), 2);
        QVERIFY(list.Save(Path()));
        QCOMPARE(ReadAll(Path()), kDefaultFile);
    }

    void fourIntervalsAreWrittenAndRead()
    {
        FreqRangeList list;
        FreqRange four;
        for (std::uint32_t i = 1; i <= 4; ++i) {
            four.AddRx(i * 100000000, i * 100000000 + 1000000);
            four.AddTx(i * 100000000, i * 100000000 + 1000000);
        }
        QCOMPARE(list.Add(&four), 1);
        QVERIFY(list.Save(Path()));
        FreqRangeList again;
        again.Load(Path());
        QCOMPARE(again.count(), 2);
        QVERIFY(again.at(1).Equals(four));
    }

    void unwritableTargetFailsAndKeepsNothingHalfWritten()
    {
        FreqRangeList list;
        FreqRange r;
        r.AddRx(300000000, 301000000);
        r.AddTx(300000000, 301000000);
        list.Add(&r);
        QVERIFY(!list.Save(m_dir.filePath(QStringLiteral("no/such/dir/KD_config.xml"))));
        QVERIFY(list.modified());
    }

    // Folders made under a scratch root: the program's, and the others it has.
    void pathFollowsHowTheProgramIsPlaced_data()
    {
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<bool>("beside");
        QTest::newRow("build folder") << "build/bin" << QStringList{} << true;
        QTest::newRow("copy elsewhere") << "copy" << QStringList{} << true;
        QTest::newRow("installed") << "usr/bin" << QStringList{"usr/share/kd-tune"} << false;
        QTest::newRow("installed in a home prefix") << "home/.local/bin" << QStringList{"home/.local/share/kd-tune"}
                                                    << false;
        QTest::newRow("another program's data") << "opt/bin" << QStringList{"opt/share/other"} << true;
        QTest::newRow("no program folder") << "" << QStringList{} << false;
    }
    void pathFollowsHowTheProgramIsPlaced()
    {
        QFETCH(QString, programDir);
        QFETCH(QStringList, folders);
        QFETCH(bool, beside);
        QTemporaryDir root;
        QVERIFY(root.isValid());
#ifdef Q_OS_WIN
        // Installed on Windows: %LOCALAPPDATA%\KD_Tune (Program Files is not writable).
        const QString config = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
        QVERIFY(!config.isEmpty());
#else
        const QString config = root.filePath(QStringLiteral("config"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
#endif
        const QString dir = programDir.isEmpty() ? QString() : root.filePath(programDir);
        if (!programDir.isEmpty())
            folders << programDir;
        for (const QString &f : folders)
            QVERIFY(QDir(root.path()).mkpath(f));

        const QString path = FreqRangeList::PathFor(dir);
        QCOMPARE(path, beside ? dir + QStringLiteral("/KD_config.xml") : config + QStringLiteral("/KD_Tune/KD_config.xml"));
        // The list can be saved where it is placed.
        FreqRangeList list;
        QVERIFY(list.Save(path));
        QCOMPARE(QFileInfo::exists(dir + QStringLiteral("/KD_config.xml")), beside);
    }
};

QTEST_APPLESS_MAIN(TestFreqRangeList)
#include "tst_freqrangelist.moc"
