// The viewer of the last exchange's trace.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;

// The frames of the last traced exchange, read-only: one line per frame with
// its time, its direction (">" sent, "<" received) and its bytes in hex; lines
// starting with "#" name the steps of a guarded write.
class TFormTrace : public QDialog
{
    Q_OBJECT
public:
    // Larger files show their end.
    static constexpr qint64 MaxShown = 8 * 1024 * 1024;

    explicit TFormTrace(QWidget *parent = nullptr);

    // False, with the reason in `error`, when the file cannot be read.
    bool Load(const QString &path, QString &error);

    QLabel *LabelFile = nullptr;
    QPlainTextEdit *MemoTrace = nullptr;
};
