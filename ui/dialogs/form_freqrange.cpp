// The frequency range dialog: the current range chosen from the range list.

#include "ui/dialogs/form_freqrange.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFormFreqRange::TFormFreqRange(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormFreqRange"));
    setWindowTitle(tr("Диапазон частот"));
    ComboBoxRanges = new QComboBox(this);
    ComboBoxRanges->setObjectName(QStringLiteral("ComboBoxRanges"));
    ComboBoxRanges->setEditable(false);
    ComboBoxRanges->setAccessibleName(tr("Диапазон частот"));
    // A range with several intervals has a long text: the dialog widens to it.
    ComboBoxRanges->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    BitBtnOK = new QPushButton(tr("Выбрать"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setDefault(true);
    BitBtn2 = new QPushButton(tr("Отменить"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ComboBoxRanges);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    // Only the width can change: the list stretches with it.
    resize(242, 80);
    setMinimumWidth(242);
    setFixedHeight(80);
}

void TFormFreqRange::Fill(const QStringList &items, int currentIndex)
{
    ComboBoxRanges->clear();
    ComboBoxRanges->addItems(items);
    ComboBoxRanges->setCurrentIndex(currentIndex >= 0 && currentIndex < items.size() ? currentIndex : -1);
    adjustSize();
    setFixedHeight(80);
}

int TFormFreqRange::selectedIndex() const
{
    return ComboBoxRanges->currentIndex();
}

void TFormFreqRange::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ComboBoxRanges->setFocus();
}
