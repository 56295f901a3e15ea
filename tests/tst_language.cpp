// English beside Russian: the translation file against the sources, the
// translator, the windows with English chosen, and files that stay the same.

#include "fakedialogs.h"
#include "job/language.h"
#include "model/configdocument.h"
#include "simprocess.h"
#include "ui/app/application.h"
#include "ui/editor/formchannel.h"
#include "ui/grid/cellpainter.h"
#include "ui/settings/settingspages.h"
#include "ui/window/mainwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDomDocument>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTsFile = QStringLiteral(KD_SOURCE_DIR "/i18n/kd_tune_en.ts");

struct Message
{
    QString context, source, comment, translation, type;
};

QList<Message> ReadTs(const QString &path)
{
    QList<Message> messages;
    QFile f(path);
    QDomDocument doc;
    if (!f.open(QIODevice::ReadOnly) || !doc.setContent(&f))
        return messages;
    for (QDomElement c = doc.documentElement().firstChildElement(QStringLiteral("context")); !c.isNull();
         c = c.nextSiblingElement(QStringLiteral("context"))) {
        const QString context = c.firstChildElement(QStringLiteral("name")).text();
        for (QDomElement m = c.firstChildElement(QStringLiteral("message")); !m.isNull();
             m = m.nextSiblingElement(QStringLiteral("message"))) {
            const QDomElement t = m.firstChildElement(QStringLiteral("translation"));
            messages.append({context, m.firstChildElement(QStringLiteral("source")).text(),
                             m.firstChildElement(QStringLiteral("comment")).text(), t.text(),
                             t.isNull() ? QStringLiteral("missing") : t.attribute(QStringLiteral("type"))});
        }
    }
    return messages;
}

QStringList Keys(const QList<Message> &messages)
{
    QStringList keys;
    for (const Message &m : messages)
        keys << m.context + QLatin1Char('|') + m.source + QLatin1Char('|') + m.comment;
    keys.sort();
    return keys;
}

bool HasCyrillic(const QString &text)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return text.contains(cyrillic);
}

QStringList Placeholders(const QString &text)
{
    static const QRegularExpression mark(QStringLiteral("%(\\d|d)"));
    QStringList found;
    for (auto it = mark.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// The texts a user reads on `root` and everything in it, each with where it
// was found; what the user typed or the radio sent (edit fields) is not ours.
QStringList OwnTexts(QWidget *root)
{
    QStringList texts;
    auto add = [&texts](const QObject *o, const QString &what, const QString &text) {
        if (!text.isEmpty())
            texts << o->metaObject()->className() + QLatin1Char(' ') + o->objectName() + QLatin1Char(' ') + what
                         + QStringLiteral(": ") + text;
    };
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *w : widgets) {
        if (w->isWindow())
            add(w, QStringLiteral("caption"), w->windowTitle());
        add(w, QStringLiteral("tip"), w->toolTip());
        if (auto *l = qobject_cast<QLabel *>(w))
            add(w, QStringLiteral("text"), l->text());
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            add(w, QStringLiteral("text"), b->text());
        if (auto *g = qobject_cast<QGroupBox *>(w))
            add(w, QStringLiteral("title"), g->title());
        if (auto *c = qobject_cast<QComboBox *>(w); c && !c->isEditable())
            for (int i = 0; i < c->count(); ++i)
                add(w, QStringLiteral("item"), c->itemText(i));
        if (auto *t = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < t->count(); ++i)
                add(w, QStringLiteral("tab"), t->tabText(i));
        if (auto *m = qobject_cast<QMenu *>(w))
            add(w, QStringLiteral("title"), m->title());
    }
    for (const QAction *a : root->findChildren<QAction *>()) {
        add(a, QStringLiteral("text"), a->text());
        add(a, QStringLiteral("tip"), a->toolTip());
        add(a, QStringLiteral("icon text"), a->iconText());
    }
    return texts;
}

// The language menu names itself in both languages and each language in
// itself, on purpose.
bool LanguageMenuText(const QString &text)
{
    return text.endsWith(QStringLiteral("Язык / Language")) || text.endsWith(QStringLiteral("Русский"));
}

QStringList RussianLeft(const QStringList &texts)
{
    QStringList left;
    for (const QString &t : texts)
        if (HasCyrillic(t) && !LanguageMenuText(t))
            left << t;
    return left;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settings;

private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.isValid());
        IsolateUserSettings(m_settings.path());
    }
    void cleanup() { language::Install(QStringLiteral("ru")); }

    // Every text of the .ts file, translated in full and into English.
    void everyTextIsTranslated_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QString>("type");
        const QList<Message> messages = ReadTs(kTsFile);
        QVERIFY(messages.size() > 400);
        for (const Message &m : messages)
            QTest::newRow(qPrintable(m.context + QStringLiteral(": ") + m.source)) << m.source << m.translation << m.type;
    }
    void everyTextIsTranslated()
    {
        QFETCH(QString, source);
        QFETCH(QString, translation);
        QFETCH(QString, type);
        QCOMPARE(type, QString());  // not missing, "unfinished", "vanished" or "obsolete"
        QVERIFY(!translation.trimmed().isEmpty());
        QVERIFY2(!HasCyrillic(translation), qPrintable(translation));
        QCOMPARE(Placeholders(translation), Placeholders(source));
    }

    // Qt Linguist finds exactly the texts of the file in the sources today.
    void translationFileFollowsTheSources()
    {
        if (QStringLiteral(KD_LUPDATE).isEmpty())
            QSKIP("lupdate is a program of the build machine in a cross-build; the native build runs this");
        QTemporaryDir dir;
        const QString fresh = dir.filePath(QStringLiteral("fresh_en.ts"));
        QProcess lupdate;
        lupdate.setWorkingDirectory(QStringLiteral(KD_SOURCE_DIR));
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(KD_LUPDATE), {"-locations", "none", "-no-obsolete", "-I", ".", "-extensions", "cpp,h", "xml",
                                                   "model", "link", "job", "ui", "cli", "-ts", fresh});
        QVERIFY(lupdate.waitForFinished(120000));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());
        QCOMPARE(Keys(ReadTs(kTsFile)), Keys(ReadTs(fresh)));
    }

    void languageIsInstalledAndKept_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("summary");
        QTest::newRow("English") << "en" << true << "Result: read not done (stopped on request).";
        QTest::newRow("Russian") << "ru" << true << "Итог: чтение не выполнено (остановлено по запросу).";
        QTest::newRow("unknown") << "de" << false << "Result: read not done (stopped on request).";
        QTest::newRow("empty") << "" << false << "Result: read not done (stopped on request).";
    }
    void languageIsInstalledAndKept()
    {
        QFETCH(QString, code);
        QFETCH(bool, taken);
        QFETCH(QString, summary);
        QVERIFY(language::Install(QStringLiteral("en")));
        language::Store(QStringLiteral("en"));
        QCOMPARE(language::Install(code), taken);
        language::Store(code);
        const QString inForce = taken ? code : QStringLiteral("en");
        QCOMPARE(language::Current(), inForce);
        QCOMPARE(language::Stored(), inForce);
        // A core text, as kd-cli and the progress window print it.
        const QString what = QCoreApplication::translate("ProgrammingJob", "чтение не выполнено");
        const QString cause = QCoreApplication::translate("ProgrammingJob", "остановлено по запросу");
        QCOMPARE(QCoreApplication::translate("ProgrammingJob", "Итог: %1 (%2).").arg(what, cause), summary);
    }

    // As at a start with English kept: no window text of the program's own
    // is left in Russian, on any page, in any dialog.
    void windowsBuiltInEnglishHoldNoRussian()
    {
        FakeDialogs dialogs;
        QVERIFY(language::Install(QStringLiteral("en")));
        ProgramWindows w = CreateProgramWindows(QString());
        w.main->settings().version = SettingsContext::Version102;  // both settings pages
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        w.main->settingsPages()->EnsureBuilt();
        w.main->ShowSettings();
        // A channel with a CTCSS tone fills the editor's tone list.
        Channel &c = w.main->channels().channels[0];
        c.freq_rx = c.freq_tx = 40000000;
        c.subtone_rx = c.subtone_tx = 13;
        w.chan->Prepare(&w.main->channels(), &w.main->painter(), 0, [](int) {});
        QVERIFY(w.main->pageVisible(TForm1::PageSettings2));

        const QStringList texts = OwnTexts(w.main.get());
        const QStringList left = RussianLeft(texts);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
        // Numbers are written as English writes them: "25.0 kHz" beside "100.0 Hz".
        static const QRegularExpression decimalComma(QStringLiteral("\\d,\\d"));
        const QStringList commas = texts.filter(decimalComma);
        QVERIFY2(commas.isEmpty(), qPrintable(commas.join(QLatin1Char('\n'))));
        QVERIFY(texts.contains(QStringLiteral("QComboBox  item: 100.0 Hz")));
        for (int column = 0; column < CellPainter::Columns; ++column)
            for (const QString &line : CellPainter::HeaderTexts(column))
                QVERIFY2(!HasCyrillic(line), qPrintable(line));
        QVERIFY(w.main->ActionLanguageEn->isChecked());
    }

    // Chosen from the menu: the main window changes at once, says what waits
    // for the next start, and comes back to exactly its Russian texts.
    void menuSwitchesTheMainWindowAtOnce()
    {
        FakeDialogs dialogs;
        ProgramWindows w = CreateProgramWindows(QString());
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.main.get()));
        auto mainTexts = [&w] {
            QStringList texts;
            for (const QAction *a : w.main->findChildren<QAction *>(Qt::FindDirectChildrenOnly))
                texts << a->text() + QLatin1Char('|') + a->toolTip() + QLatin1Char('|') + a->iconText();
            for (const QAction *m : w.main->menuBar()->actions())
                texts << m->text();
            for (int i = 0; i < w.main->pageControl()->count(); ++i)
                texts << w.main->pageControl()->tabText(i);
            texts << w.main->windowTitle();
            return texts;
        };
        const QStringList russian = mainTexts();
        const QString heading = CellPainter::HeaderTexts(0).at(0);

        w.main->ActionLanguageEn->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(language::Current(), QStringLiteral("en"));
        QCOMPARE(language::Stored(), QStringLiteral("en"));
        const QStringList english = mainTexts();
        const QStringList left = RussianLeft(english);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
        QCOMPARE(CellPainter::HeaderTexts(0).at(0), QStringLiteral("Channel"));
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages.first().text.contains(QLatin1String("restarted")));

        w.main->ActionLanguageRu->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(mainTexts(), russian);
        QCOMPARE(CellPainter::HeaderTexts(0).at(0), heading);
        QCOMPARE(language::Stored(), QStringLiteral("ru"));
        QVERIFY(dialogs.messages.last().text.startsWith(QStringLiteral("Меню, вкладки")));
    }

    // Qt's own dialogs speak the language too, where the system has Qt's
    // translation of it.
    void qtTextsFollowTheLanguage()
    {
        const QStringList folders = language::QtTranslationFolders();
        if (std::none_of(folders.begin(), folders.end(),
                         [](const QString &f) { return QFile::exists(f + QStringLiteral("/qtbase_ru.qm")); }))
            QSKIP("Qt's Russian translation is neither installed (qt6-translations-l10n) nor beside the program");
        QVERIFY(language::Install(QStringLiteral("ru")));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Перейти к:"));
        QVERIFY(language::Install(QStringLiteral("en")));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    }

    // The configuration file is the radio's, not the user's language.
    void filesDoNotDependOnTheLanguage()
    {
        ChannelsContext channels{QString()};
        SettingsContext settings;
        channels.ResetAll();
        settings.Reset();
        const QByteArray russian = ConfigurationDocument::Serialize(channels, settings);
        QVERIFY(language::Install(QStringLiteral("en")));
        QCOMPARE(ConfigurationDocument::Serialize(channels, settings), russian);
    }
};

int main(int argc, char **argv)
{
    KdApplication app(argc, argv);
    TestLanguage test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_language.moc"
