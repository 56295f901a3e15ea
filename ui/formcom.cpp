#include "ui/formcom.h"

#include "link/portdirectory.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <map>

namespace {

QList<PortItem> SystemPorts()
{
    QList<PortItem> items;
    for (const ports::PortEntry &e : ports::ListPorts())
        items.append(PortItem{ports::PortName(e.number), e.device, e.description});
    return items;
}

QString DeviceText(const PortItem &item)
{
    if (item.description.isEmpty())
        return item.device;
    return item.device + QStringLiteral(" — ") + item.description;
}

} // namespace

int PortNumberOfEntry(const QString &text)
{
    bool ok = false;
    const int n = text.mid(3).toInt(&ok, 10);
    return ok && n >= ports::MinPort && n <= ports::MaxPort ? n : 0;
}

PortListing EnumeratePorts(const QList<PortItem> &system, const QString &storedDefault)
{
    // Ports by number; the first name that gives a number keeps its device.
    std::map<int, PortItem> present;
    for (const PortItem &item : system) {
        const QString name = item.name.toUpper();
        if (!name.startsWith(QLatin1String("COM")))
            continue;
        const int n = PortNumberOfEntry(name);
        if (n == 0 || present.count(n))
            continue;
        present[n] = PortItem{ports::PortName(n), item.device, item.description};
    }

    PortListing listing;
    for (const auto &[n, item] : present) {
        listing.entries.append(item);
        if (listing.selected < 0 || item.name == storedDefault) {
            listing.selected = int(listing.entries.size()) - 1;
            listing.chosenPort = n;
        }
    }
    return listing;
}

TFormComPort::TFormComPort(QWidget *parent) : QDialog(parent), m_source(SystemPorts)
{
    setObjectName(QStringLiteral("FormComPort"));
    setWindowTitle(tr("COM порт"));
    ComboBoxCOM = new QComboBox(this);
    ComboBoxCOM->setObjectName(QStringLiteral("ComboBoxCOM"));
    ComboBoxCOM->setEditable(false);
    LabelDevice = new QLabel(this);
    LabelDevice->setObjectName(QStringLiteral("LabelDevice"));
    LabelDevice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LabelDevice->setMinimumWidth(1);
    BitBtnOk = new QPushButton(tr("Выбрать"), this);
    BitBtnOk->setObjectName(QStringLiteral("BitBtnOk"));
    BitBtnOk->setDefault(true);
    BitBtnCancell = new QPushButton(tr("Отменить"), this);
    BitBtnCancell->setObjectName(QStringLiteral("BitBtnCancell"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ComboBoxCOM, 1);
    buttons->addWidget(BitBtnOk);
    buttons->addWidget(BitBtnCancell);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(LabelDevice);

    connect(ComboBoxCOM, &QComboBox::activated, this, &TFormComPort::ComboBoxCOMChange);
    connect(ComboBoxCOM, &QComboBox::currentIndexChanged, this, &TFormComPort::ShowDevice);
    connect(BitBtnOk, &QPushButton::clicked, this, &TFormComPort::BitBtnOkClick);
    connect(BitBtnCancell, &QPushButton::clicked, this, &QDialog::reject);

    setFixedWidth(310);
    setFixedHeight(sizeHint().height());
}

int TFormComPort::Enumerate()
{
    const PortListing listing = EnumeratePorts(m_source(), ports::StoredDefaultPort());
    m_entries = listing.entries;
    ComboBoxCOM->clear();
    for (const PortItem &item : m_entries) {
        ComboBoxCOM->addItem(item.name);
        ComboBoxCOM->setItemData(ComboBoxCOM->count() - 1, DeviceText(item), Qt::ToolTipRole);
    }
    // With no port present the choice stays as it was.
    if (listing.selected >= 0) {
        ComboBoxCOM->setCurrentIndex(listing.selected);
        m_chosenPort = listing.chosenPort;
    }
    ShowDevice();
    return m_chosenPort;
}

void TFormComPort::FormShow()
{
    const int previous = m_chosenPort;
    Enumerate();
    if (ComboBoxCOM->count() > 0) {
        ComboBoxCOM->setCurrentIndex(0);
        // What the list shows is what OK confirms.
        m_chosenPort = PortNumberOfEntry(ComboBoxCOM->currentText());
        const int again = ComboBoxCOM->findText(ports::PortName(previous));
        if (previous >= ports::MinPort && previous <= ports::MaxPort && again >= 0) {
            ComboBoxCOM->setCurrentIndex(again);
            m_chosenPort = previous;
        }
    }
    ComboBoxCOM->setFocus();
}

void TFormComPort::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormComPort::ComboBoxCOMChange()
{
    m_chosenPort = PortNumberOfEntry(ComboBoxCOM->currentText());
}

void TFormComPort::BitBtnOkClick()
{
    // With no port present the stored default stays; an empty text would
    // forget the user's port for the next start.
    if (ComboBoxCOM->currentIndex() >= 0)
        ports::StoreDefaultPort(ComboBoxCOM->currentText());
    accept();
}

void TFormComPort::ShowDevice()
{
    const int i = ComboBoxCOM->currentIndex();
    LabelDevice->setText(i >= 0 && i < m_entries.size() ? DeviceText(m_entries[i]) : tr("Порты не найдены"));
}
