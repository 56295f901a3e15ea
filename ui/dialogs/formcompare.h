// The comparison window: the radio's tables beside the program's, before a write.
#pragma once

#include "ui/dialogs/comparison.h"

#include <QColor>
#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

// "Сравнить с радиостанцией": what the radio holds beside what the program
// would write, channel by channel (two rows each, the radio's above the
// program's) and setting by setting, with the cells that differ highlighted.
// Before a write it asks "Записать" or "Отменить"; otherwise it only closes.
class TFormCompare : public QDialog
{
    Q_OBJECT
public:
    enum class Mode { Compare, BeforeWrite };

    explicit TFormCompare(QWidget *parent = nullptr);

    void Show(const comparison::Comparison &comparison, Mode mode);

    // The background of a cell that differs.
    static QColor ChangedColour();

    const comparison::Comparison &shown() const { return m_comparison; }
    QLabel *LabelSummary = nullptr;
    QTableWidget *GridChannels = nullptr;
    QTableWidget *GridSettings = nullptr;
    QPushButton *ButtonWrite = nullptr;
    QPushButton *ButtonCancel = nullptr;
    QPushButton *ButtonClose = nullptr;

private:
    void FillChannels();
    void FillSettings();

    comparison::Comparison m_comparison;
    QLabel *m_channelsTitle = nullptr;
    QLabel *m_settingsTitle = nullptr;
};
