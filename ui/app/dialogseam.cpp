// The one seam through which every modal dialog, file chooser and message box goes.

#include "ui/app/dialogseam.h"

#include "ui/app/application.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {

class RealDialogs : public DialogSeam
{
public:
    void Message(QWidget *parent, Icon icon, const QString &text) override
    {
        const QString title = ApplicationTitle();
        switch (icon) {
        case Icon::Information:
            QMessageBox::information(parent, title, text);
            break;
        case Icon::Warning:
            QMessageBox::warning(parent, title, text);
            break;
        case Icon::Error:
            QMessageBox::critical(parent, title, text);
            break;
        }
    }
    QString OpenFileName(QWidget *parent, const QString &dir) override
    {
        return QFileDialog::getOpenFileName(parent, QString(), dir);
    }
    QString SaveFileName(QWidget *parent, const QString &dir, const QString &filter, const QString &suffix) override
    {
        QFileDialog dialog(parent, QString(), dir, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    }
    int Exec(QDialog *dialog) override { return dialog->exec(); }
    SaveChoice AskSave(QWidget *parent, const QString &text) override
    {
        QMessageBox box(QMessageBox::Warning, ApplicationTitle(), text, QMessageBox::NoButton, parent);
        QPushButton *save = box.addButton(QCoreApplication::translate("DialogSeam", "Сохранить"),
                                          QMessageBox::AcceptRole);
        QPushButton *discard = box.addButton(QCoreApplication::translate("DialogSeam", "Не сохранять"),
                                             QMessageBox::DestructiveRole);
        QPushButton *cancel = box.addButton(QCoreApplication::translate("DialogSeam", "Отменить"),
                                            QMessageBox::RejectRole);
        box.setDefaultButton(save);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == save)
            return SaveChoice::Save;
        if (box.clickedButton() == discard)
            return SaveChoice::Discard;
        return SaveChoice::Cancel;
    }
    QString OpenFileOfType(QWidget *parent, const QString &dir, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, QString(), dir, filter);
    }
};

RealDialogs g_real;
DialogSeam *g_current = &g_real;

} // namespace

bool DialogSeam::ShowFolder(QWidget *, const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

DialogSeam &DialogSeam::Current()
{
    return *g_current;
}

void DialogSeam::Install(DialogSeam *seam)
{
    g_current = seam ? seam : &g_real;
}
