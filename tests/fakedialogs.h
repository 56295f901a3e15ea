// Dialogs answered by the test: every message, file chooser and modal window recorded, none blocking.
#pragma once

#include "ui/app/dialogseam.h"
#include "ui/dialogs/formprogress.h"

#include <QDialog>
#include <QList>
#include <QTest>

#include <functional>

// Stands in for every message box, file chooser and modal dialog: records what
// the windows asked for and answers as the test says, without blocking.
class FakeDialogs : public DialogSeam
{
public:
    struct Shown
    {
        Icon icon;
        QString text;
    };

    QList<Shown> messages;
    QString openAnswer;
    QString saveAnswer;
    QStringList openDirs;
    QString saveDir, saveFilter, saveSuffix;
    QList<QDialog *> executed;
    // Decides a dialog's result; by default a progress window runs its job to
    // the end and everything else is cancelled.
    std::function<int(QDialog *)> onExec;
    QString lastLog;
    // Questions about unsaved changes, and the answer each one gets.
    QStringList saveQuestions;
    SaveChoice saveChoice = SaveChoice::Discard;
    QStringList shownFolders;

    FakeDialogs() { DialogSeam::Install(this); }
    ~FakeDialogs() override { DialogSeam::Install(nullptr); }

    void Message(QWidget *, Icon icon, const QString &text) override { messages.append({icon, text}); }
    QString OpenFileName(QWidget *, const QString &dir) override
    {
        openDirs << dir;
        return openAnswer;
    }
    QString SaveFileName(QWidget *, const QString &dir, const QString &filter, const QString &suffix) override
    {
        saveDir = dir;
        saveFilter = filter;
        saveSuffix = suffix;
        return saveAnswer;
    }
    bool ShowFolder(QWidget *, const QString &path) override
    {
        shownFolders << path;
        return true;
    }
    int Exec(QDialog *dialog) override
    {
        executed << dialog;
        if (onExec)
            return onExec(dialog);
        if (auto *progress = qobject_cast<TFormProgress *>(dialog))
            return RunToEnd(progress);
        return QDialog::Rejected;
    }

    SaveChoice AskSave(QWidget *, const QString &text) override
    {
        saveQuestions << text;
        return saveChoice;
    }

    // Shows the progress window, waits for its job and closes it, as a user
    // who reads the log and presses Esc.
    int RunToEnd(TFormProgress *progress)
    {
        progress->show();
        if (!QTest::qWaitFor([progress] { return progress->finished(); }, 60000))
            qWarning("the job did not end within a minute");
        lastLog = progress->logText();
        progress->done(QDialog::Accepted);
        return QDialog::Accepted;
    }

    // Shows the progress window and closes it as soon as its log says a table
    // is being read, as a user who changes their mind; false when no read
    // began within half a minute.
    bool CloseOnceReading(TFormProgress *progress)
    {
        progress->show();
        const bool reading = QTest::qWaitFor(
            [progress] { return progress->logText().contains(QStringLiteral("Чтение ...")); }, 30000);
        progress->done(QDialog::Rejected);
        return reading;
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Shown &m : messages)
            out << m.text;
        return out;
    }
};
