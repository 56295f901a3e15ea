// `cmake --install` of this build into a scratch root, as a package or a
// desktop sees it: every file where the desktop looks, nothing else.

#include "model/freqrangelist.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every installed file (below the prefix) and what it must be: a program, a
// text, the SVG, a manual page or a PNG of the given size.
QList<std::pair<QString, QString>> ExpectedFiles()
{
    QList<std::pair<QString, QString>> files;
    for (const char *program : {"kd-tune", "kd-cli", "kd-radio-sim"}) {
        files.append({QStringLiteral("bin/") + program, QStringLiteral("program")});
        files.append({QStringLiteral("share/man/man1/%1.1.gz").arg(program), QStringLiteral("man")});
    }
    files.append({QStringLiteral("share/applications/kd-tune.desktop"), QStringLiteral("text")});
    files.append({QStringLiteral("share/kd-tune/example-config.xml"), QStringLiteral("text")});
    files.append({QStringLiteral("share/icons/hicolor/scalable/apps/kd-tune.svg"), QStringLiteral("svg")});
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files.append({QStringLiteral("share/icons/hicolor/%1x%1/apps/kd-tune.png").arg(size), QString::number(size)});
    return files;
}

// The entry's keys of the group [Desktop Entry].
QMap<QString, QString> DesktopKeys(const QString &path)
{
    QMap<QString, QString> keys;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
        if (line.contains(QLatin1Char('=')))
            keys.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    return keys;
}

QString Run(const QString &program, const QStringList &args, int *code)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    *code = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAll());
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
    QTemporaryDir m_root;
    QString Usr(const QString &path) const { return m_root.filePath(QStringLiteral("usr/") + path); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), m_root.path());
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral(KD_CMAKE), {"--install", KD_BUILD_DIR, "--prefix", "/usr"});
        QVERIFY(p.waitForFinished(120000));
        QVERIFY2(p.exitCode() == 0, p.readAll().constData());
    }

    void filesAreWhereTheDesktopLooks_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("kind");
        for (const auto &[path, kind] : ExpectedFiles())
            QTest::newRow(qPrintable(path)) << path << kind;
    }
    void filesAreWhereTheDesktopLooks()
    {
        QFETCH(QString, path);
        QFETCH(QString, kind);
        const QFileInfo file(Usr(path));
        QVERIFY2(file.isFile(), qPrintable(path));
        QVERIFY(file.size() > 0);
        if (kind == QLatin1String("program")) {
            QVERIFY(file.isExecutable());
        } else if (kind == QLatin1String("man")) {
            int code = 0;
            const QString text = Run(QStringLiteral("gzip"), {"-dc", file.filePath()}, &code);
            QCOMPARE(code, 0);
            const QString name = file.fileName().section(QLatin1Char('.'), 0, 0);
            QVERIFY(text.startsWith(QStringLiteral(".TH ") + name.toUpper() + QStringLiteral(" 1 ")));
        } else if (kind == QLatin1String("svg")) {
            QFile f(file.filePath());
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(f.readAll().startsWith("<svg"));
        } else if (kind != QLatin1String("text")) {
            const QImage icon(file.filePath());
            QCOMPARE(icon.size(), QSize(kind.toInt(), kind.toInt()));
            // Drawn, not blank: the corner is clear and the middle is not.
            QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
            QVERIFY(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 2)) > 0);
        }
    }

    void nothingElseIsInstalled()
    {
        QStringList found;
        QDirIterator it(m_root.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(Usr(QString())).relativeFilePath(it.next());
        QStringList expected;
        for (const auto &file : ExpectedFiles())
            expected << file.first;
        found.sort();
        expected.sort();
        QCOMPARE(found, expected);
    }

    void desktopEntryIsValidAndNamesWhatIsInstalled()
    {
        const QString entry = Usr(QStringLiteral("share/applications/kd-tune.desktop"));
        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        QVERIFY2(!validator.isEmpty(), "desktop-file-validate (desktop-file-utils) is needed");
        int code = 0;
        const QString report = Run(validator, {entry}, &code);
        QCOMPARE(code, 0);
        // Hints are advice; errors and warnings are not accepted.
        QVERIFY2(!report.contains(QLatin1String("error:")) && !report.contains(QLatin1String("warning:")),
                 qPrintable(report));

        const QMap<QString, QString> keys = DesktopKeys(entry);
        const QString program = keys.value(QStringLiteral("Exec")).section(QLatin1Char(' '), 0, 0);
        QVERIFY2(QFileInfo(Usr(QStringLiteral("bin/") + program)).isExecutable(), qPrintable(program));
        const QString icon = keys.value(QStringLiteral("Icon"));
        QVERIFY(QFileInfo::exists(Usr(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(icon))));
        QVERIFY(QFileInfo::exists(Usr(QStringLiteral("share/icons/hicolor/48x48/apps/%1.png").arg(icon))));
        // Both languages name and describe the program.
        for (const char *key : {"Name", "Name[ru]", "Comment", "Comment[ru]"})
            QVERIFY2(!keys.value(QLatin1String(key)).isEmpty(), key);
    }

    void installedProgramsKeepTheRangeListInTheUserFolder()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QCOMPARE(FreqRangeList::PathFor(Usr(QStringLiteral("bin"))), config.filePath(QStringLiteral("KD_Tune/KD_config.xml")));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
