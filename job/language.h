// The language the user reads: Russian in the sources, English from the translation, and the stored choice.
#pragma once

#include <QString>
#include <QStringList>

// The program speaks Russian, the language of its source texts, and English
// from the translation compiled into it (i18n/kd_tune_en.ts). Files and the
// radio never depend on the language; only what the user reads does.
namespace language {

// "ru" and "en", the default first.
QStringList Codes();
// Where Qt's own translations (qtbase_<code>.qm) are looked for, in order:
// Qt's translations folder, then "translations" beside the program.
QStringList QtTranslationFolders();
// The code in force in this process.
QString Current();
// Puts the language `code` in force for every text translated from now on:
// installs its translator in the running application (the one in force goes;
// Russian needs none), and Qt's own translation into it when the system has
// one. Qt then sends QEvent::LanguageChange to every widget.
// False for a code that is not in Codes() or a translation that does not
// load, which changes nothing.
bool Install(const QString &code);
// The choice kept in the per-user settings ("Language" in the group
// "Settings"); SystemDefault() for none or an unknown code.
QString Stored();
// Without a choice: on Windows the first of the user's display languages that
// the program speaks; else, and on other systems, Russian.
QString SystemDefault();
void Store(const QString &code);
// Install(Stored()): what a program calls at start.
void InstallStored();

} // namespace language
