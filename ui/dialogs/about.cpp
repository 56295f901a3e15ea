// The about box: the program's version and build date.

#include "ui/dialogs/about.h"

#include "job/programmerid.h"
#include "ui/grid/pictures.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#ifdef Q_OS_WIN
#include <QDir>
#include <string>
#include <vector>
#include <windows.h>
#endif

#ifndef KD_TUNE_VERSION
#define KD_TUNE_VERSION ""
#endif

BuildDate ParseBuildDate(const QString &text)
{
    static const QString months = QStringLiteral("JanFebMarAprMayJunJulAugSepOctNovDec");
    BuildDate date;
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 3 || parts[0].size() != 3)
        return date;
    const int position = months.indexOf(parts[0]);
    bool dayOk = false;
    bool yearOk = false;
    date.day = parts[1].toInt(&dayOk);
    date.year = parts[2].toInt(&yearOk);
    if (position < 0 || position % 3 != 0 || !dayOk || !yearOk)
        return BuildDate();
    date.month = position / 3 + 1;
    date.valid = true;
    return date;
}

QString BuildDateText(const BuildDate &date)
{
    return TFormAbout::tr("Дата сборки %1.%2.%3").arg(date.day).arg(date.month).arg(date.year);
}

QString VersionText(const QString &programmerId, const QString &version)
{
    if (version.isEmpty())
        return TFormAbout::tr("Версия ") + programmerId + TFormAbout::tr(" не определена");
    return TFormAbout::tr("Версия ") + programmerId + QLatin1Char(' ') + version;
}

QString FileVersionOf(const QString &path)
{
#ifdef Q_OS_WIN
    const std::wstring file = QDir::toNativeSeparators(path).toStdWString();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data()))
        return {};
    void *translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &translation, &length) || length <= 3)
        return {};
    const auto *words = static_cast<const WORD *>(translation);
    // Language and code page as eight upper-case hex digits: 041904E3.
    const QString block8 = QString::number(quint32(words[0]) << 16 | words[1], 16).rightJustified(8, QLatin1Char('0')).toUpper();
    const QString query = QStringLiteral("\\StringFileInfo\\") + block8 + QStringLiteral("\\FileVersion");
    void *text = nullptr;
    if (!VerQueryValueW(block.data(), reinterpret_cast<LPCWSTR>(query.utf16()), &text, &length) || length == 0)
        return {};
    return QString::fromWCharArray(static_cast<const wchar_t *>(text)).trimmed();
#else
    Q_UNUSED(path);
    return {};
#endif
}

QString ProgramVersion()
{
#ifdef Q_OS_WIN
    // What the executable's version resource says, as Explorer shows it.
    return FileVersionOf(QCoreApplication::applicationFilePath());
#else
    return QStringLiteral(KD_TUNE_VERSION);
#endif
}

TFormAbout::TFormAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(tr("О программе"));
    Image1 = new QLabel(this);
    Image1->setPixmap(SvgPixmap(QStringLiteral(":/kd-tune"), QSize(32, 32)));
    Image1->setFixedSize(32, 32);
    Label1 = new QLabel(tr("Программатор каналов и настроек"), this);
    Label2 = new QLabel(this);
    LabelVersion = new QLabel(this);
    LabelDate = new QLabel(this);
    Label5 = new QLabel(tr("Версия таблицы каналов 01.00"), this);
    Label6 = new QLabel(tr("Версия таблицы настроек 01.02"), this);
    BitBtn1 = new QPushButton(tr("OK"), this);
    BitBtn1->setDefault(true);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2->setFont(bold);

    auto *texts = new QVBoxLayout;
    for (QLabel *l : {Label1, Label2})
        texts->addWidget(l);
    texts->addSpacing(8);
    for (QLabel *l : {LabelVersion, LabelDate, Label5, Label6})
        texts->addWidget(l);
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    FormShow();
}

void TFormAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormAbout::FormShow()
{
    Label2->setText(tr("мобильных радиостанций"));
    LabelDate->setText(BuildDateText(ParseBuildDate(QString::fromLatin1(__DATE__))));
    LabelVersion->setText(VersionText(ProgrammerId(), ProgramVersion()));
}
