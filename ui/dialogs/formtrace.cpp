// The viewer of the last exchange's trace.

#include "ui/dialogs/formtrace.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormTrace::TFormTrace(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormTrace"));
    setWindowTitle(tr("Трасса последнего обмена"));
    LabelFile = new QLabel(this);
    LabelFile->setObjectName(QStringLiteral("LabelFile"));
    LabelFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    MemoTrace = new QPlainTextEdit(this);
    MemoTrace->setObjectName(QStringLiteral("MemoTrace"));
    LabelFile->setBuddy(MemoTrace);
    MemoTrace->setReadOnly(true);
    MemoTrace->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoTrace->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close = buttons->addButton(tr("Закрыть"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelFile);
    layout->addWidget(MemoTrace, 1);
    layout->addWidget(buttons);
    resize(820, 480);
}

bool TFormTrace::Load(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    const qint64 size = file.size();
    const bool cut = size > MaxShown;
    if (cut) {
        file.seek(size - MaxShown);
        file.readLine(); // the rest of a line cut in two
    }
    const QString text = QString::fromUtf8(file.readAll());
    const QString when = QFileInfo(file).lastModified().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    QString caption = tr("Файл %1, записан %2").arg(QDir::toNativeSeparators(path), when);
    if (cut)
        caption += tr(" (показан конец файла)");
    LabelFile->setText(caption);
    MemoTrace->setPlainText(text);
    return true;
}
