// The about box: the program's version and build date.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// A build date of the compiler's form "Oct  8 2014".
struct BuildDate
{
    int day = 0;
    int month = 0;  // 1..12
    int year = 0;
    bool valid = false;
};

BuildDate ParseBuildDate(const QString &text);
// "Дата сборки 8.10.2014"
QString BuildDateText(const BuildDate &date);
// "Версия <id> <version>", or "Версия <id> не определена" without a version.
QString VersionText(const QString &programmerId, const QString &version);
// The program's version: on Windows the file version in the executable's
// version resource (empty without one), elsewhere as the build set it.
QString ProgramVersion();
// The "FileVersion" text of the version resource of the Windows executable
// `path`, in the language and code page of its first translation entry;
// empty when there is none, and on other systems.
QString FileVersionOf(const QString &path);

// The about box: what the program is, its programmer identifier and version,
// its build date and the table versions it writes.
class TFormAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TFormAbout(QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *LabelVersion = nullptr;
    QLabel *LabelDate = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QPushButton *BitBtn1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
};
