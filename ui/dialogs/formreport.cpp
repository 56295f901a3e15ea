// The report after moving channels to or from another program's file.

#include "ui/dialogs/formreport.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormReport::TFormReport(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormReport"));
    LabelSummary = new QLabel(this);
    LabelSummary->setObjectName(QStringLiteral("LabelSummary"));
    LabelSummary->setWordWrap(true);
    MemoLines = new QPlainTextEdit(this);
    MemoLines->setObjectName(QStringLiteral("MemoLines"));
    LabelSummary->setBuddy(MemoLines);
    MemoLines->setReadOnly(true);
    // Each note is a line of its own; long ones wrap rather than scroll away.
    MemoLines->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    ButtonOK = new QPushButton(tr("OK"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonOK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelSummary);
    layout->addWidget(MemoLines, 1);
    layout->addLayout(buttons);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    resize(680, 360);
}

void TFormReport::Fill(const QString &caption, const QString &summary, const QStringList &lines)
{
    setWindowTitle(caption);
    LabelSummary->setText(summary);
    MemoLines->setPlainText(lines.join(QLatin1Char('\n')));
    MemoLines->setVisible(!lines.isEmpty());
}

QString TFormReport::summary() const
{
    return LabelSummary->text();
}

QStringList TFormReport::lines() const
{
    const QString text = MemoLines->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}
