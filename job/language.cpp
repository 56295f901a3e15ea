// The program's and Qt's translators put in force, and the language taken when the user chose none.

#include "job/language.h"

#include "link/portdirectory.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace language {

namespace {

const QString kDefault = QStringLiteral("ru");
const QString kSettingsKey = QStringLiteral("Settings/Language");

// The translators in force, the program's own and Qt's (its file choosers,
// print preview and standard buttons); children of the application, so they
// go with it.
QPointer<QTranslator> g_translator;
QPointer<QTranslator> g_qtTranslator;

void Replace(QPointer<QTranslator> &slot, QTranslator *next)
{
    if (slot) {
        QCoreApplication::removeTranslator(slot);
        delete slot;
    }
    slot = next;
    if (next)
        QCoreApplication::installTranslator(next);
}

// Qt's own texts in `code` when the system has them (on Debian the package
// qt6-translations-l10n) or the program carries them; without them Qt speaks
// English.
QTranslator *QtTranslator(const QString &code)
{
    auto *qt = new QTranslator(QCoreApplication::instance());
    for (const QString &folder : QtTranslationFolders()) {
        if (qt->load(QStringLiteral("qtbase_") + code, folder))
            return qt;
    }
    delete qt;
    return nullptr;
}
QString g_current = kDefault;

} // namespace

QStringList QtTranslationFolders()
{
    // Qt's own folder is the system's on Linux; a Windows copy has no Qt
    // installation and carries the files in "translations" beside itself.
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
            QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
}

QStringList Codes()
{
    return {kDefault, QStringLiteral("en")};
}

QString Current()
{
    return g_current;
}

bool Install(const QString &code)
{
    if (!Codes().contains(code) || !QCoreApplication::instance())
        return false;
    QTranslator *next = nullptr;
    if (code != kDefault) {
        next = new QTranslator(QCoreApplication::instance());
        if (!next->load(QStringLiteral(":/i18n/kd_tune_%1.qm").arg(code))) {
            delete next;
            return false;
        }
    }
    Replace(g_qtTranslator, QtTranslator(code));
    Replace(g_translator, next);
    // Qt's dialogs write dates and numbers as the language does.
    QLocale::setDefault(QLocale(code));
    g_current = code;
    return true;
}

QString SystemDefault()
{
#ifdef Q_OS_WIN
    // Windows users pick their display language with the system; the first of
    // theirs that the program speaks.
    for (const QString &name : QLocale::system().uiLanguages()) {
        const QString code = QLocale(name).name().section(QLatin1Char('_'), 0, 0);
        if (Codes().contains(code))
            return code;
    }
#endif
    return kDefault;
}

QString Stored()
{
    const QString code = UserSettings().value(kSettingsKey).toString();
    return Codes().contains(code) ? code : SystemDefault();
}

void Store(const QString &code)
{
    if (Codes().contains(code))
        UserSettings().setValue(kSettingsKey, code);
}

void InstallStored()
{
    Install(Stored());
}

} // namespace language
