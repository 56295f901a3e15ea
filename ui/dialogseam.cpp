#include "ui/dialogseam.h"

#include "ui/application.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

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
    QString OpenFileOfType(QWidget *parent, const QString &dir, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, QString(), dir, filter);
    }
};

RealDialogs g_real;
DialogSeam *g_current = &g_real;

} // namespace

DialogSeam &DialogSeam::Current()
{
    return *g_current;
}

void DialogSeam::Install(DialogSeam *seam)
{
    g_current = seam ? seam : &g_real;
}
