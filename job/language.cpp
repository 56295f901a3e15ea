#include "job/language.h"

#include "link/portdirectory.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace language {

namespace {

const QString kDefault = QStringLiteral("ru");
const QString kSettingsKey = QStringLiteral("Settings/Language");

// The translator in force; a child of the application, so it goes with it.
QPointer<QTranslator> g_translator;
QString g_current = kDefault;

} // namespace

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
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator);
        delete g_translator;
    }
    g_translator = next;
    if (next)
        QCoreApplication::installTranslator(next);
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
