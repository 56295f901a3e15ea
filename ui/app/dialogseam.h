// The one seam through which every modal dialog, file chooser and message box goes.
#pragma once

#include <QString>

class QDialog;
class QWidget;

// Every modal dialog, file chooser and message box of the windows goes through
// this one seam. The program uses the real dialogs; a test installs its own so
// it never blocks and can read the exact texts.
class DialogSeam
{
public:
    enum class Icon { Information, Warning, Error };
    enum class SaveChoice { Save, Discard, Cancel };

    virtual ~DialogSeam() = default;

    // A message box with one OK button.
    virtual void Message(QWidget *parent, Icon icon, const QString &text) = 0;
    // Empty when the user cancelled.
    virtual QString OpenFileName(QWidget *parent, const QString &dir) = 0;
    virtual QString SaveFileName(QWidget *parent, const QString &dir, const QString &filter, const QString &suffix) = 0;
    // Shows `dialog` modally and returns its result (QDialog::Accepted or Rejected).
    virtual int Exec(QDialog *dialog) = 0;
    // Unsaved changes: "Сохранить", "Не сохранять" or "Отменить" (also Esc and
    // the close box).
    virtual SaveChoice AskSave(QWidget *parent, const QString &text) = 0;
    // Opens `path` in the desktop's file manager; false when none took it.
    // Not pure, so that seams written before it need not know it.
    virtual bool ShowFolder(QWidget *parent, const QString &path);
    // An open chooser that offers only files matching `filter` ("Name (*.ext)");
    // a seam that does not tell the two apart answers as for OpenFileName.
    virtual QString OpenFileOfType(QWidget *parent, const QString &dir, const QString &filter)
    {
        Q_UNUSED(filter);
        return OpenFileName(parent, dir);
    }

    // The seam in force; the real dialogs unless a test replaced them.
    static DialogSeam &Current();
    // Installs `seam` (not owned); null restores the real dialogs.
    static void Install(DialogSeam *seam);
};
