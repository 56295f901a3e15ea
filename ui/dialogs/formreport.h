// The report after moving channels to or from another program's file.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// A report after moving channels to or from another program's file: a summary
// line above the list of what could not be carried over, one item a line.
class TFormReport : public QDialog
{
    Q_OBJECT
public:
    explicit TFormReport(QWidget *parent = nullptr);

    void Fill(const QString &caption, const QString &summary, const QStringList &lines);

    QString summary() const;
    QStringList lines() const;

    QLabel *LabelSummary = nullptr;
    QPlainTextEdit *MemoLines = nullptr;
    QPushButton *ButtonOK = nullptr;
};
