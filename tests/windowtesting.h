// The program's windows set up for a test, with dialogs faked and settings kept apart.
#pragma once

#include "fakedialogs.h"
#include "link/portdirectory.h"
#include "simprocess.h"
#include "ui/app/application.h"
#include "ui/dialogs/formprogress.h"
#include "ui/window/mainwindow.h"
#include "ui/window/safetyoptions.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The program's windows as kd-tune creates them, every dialog answered by
// FakeDialogs and the per-user settings and data in a folder of their own. A
// window test derives from it beside QObject and calls IsolateSettings() in
// initTestCase(), OpenWindows() in init() and CloseWindows() in cleanup().
class WindowTesting
{
protected:
    QTemporaryDir m_settingsDir;
    QTemporaryDir m_files;
    std::unique_ptr<FakeDialogs> m_dialogs;
    ProgramWindows m_windows;

    TForm1 &Main() { return *m_windows.main; }
    // A file of the test's own folder.
    QString File(const QString &name) const { return m_files.filePath(name); }
    // Exchanges run against the simulated radio on `port`; 0: no port chosen.
    void UsePort(int port) { m_windows.progress->SetPort(port); }

    void IsolateSettings() { IsolateUserSettings(m_settingsDir.path()); }

    // Every test starts as a first start does: no stored choices, recent
    // files, backups or trace; fresh windows with the main one shown.
    void OpenWindows()
    {
        UserSettings().remove(QStringLiteral("Settings"));
        QDir(UserDataFolder()).removeRecursively();
        m_dialogs = std::make_unique<FakeDialogs>();
        Restart();
    }

    // The windows of the next start, with what the last one stored; the main
    // window as the user first sees it, with the port chosen at start.
    void Restart()
    {
        m_windows = ProgramWindows();
        m_windows = CreateProgramWindows(QString());
        Main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Main()));
        Main().DetermineInitialPort();
    }

    void CloseWindows()
    {
        m_windows = ProgramWindows();
        m_dialogs.reset();
    }
};
