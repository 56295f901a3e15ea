// The frequency range dialog: the current range chosen from the range list.
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

// Picks the current frequency range from the range list. The main window
// fills it, shows it and applies the choice; identical texts are told apart
// by their position.
class TFormFreqRange : public QDialog
{
    Q_OBJECT
public:
    explicit TFormFreqRange(QWidget *parent = nullptr);

    void Fill(const QStringList &items, int currentIndex);
    // Position of the chosen item; -1 when the list is empty.
    int selectedIndex() const;

    QComboBox *ComboBoxRanges = nullptr;
    QPushButton *BitBtnOK = nullptr;
    QPushButton *BitBtn2 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};
