// The COM port dialog: the ports, what answers on each, and the default port.

#include "ui/dialogs/formcom.h"

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

QString ProbeLine(const PortFinding *finding)
{
    if (!finding)
        return QString();
    // The list's line has room for the radio's name and number; the rest of
    // what it said is in the tooltip.
    if (finding->kind == PortFinding::Radio) {
        const TInfoContext &info = finding->info;
        return TFormComPort::tr("Отвечает радиостанция %1, серийный номер %2")
            .arg(info.radioType,
                 info.serialNumber == 0xFFFFFFFFu ? TFormComPort::tr("нет") : QString::number(info.serialNumber));
    }
    QString text = FindingText(*finding);
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString RadioElsewhereMessage(int chosen, const QList<PortFinding> &findings)
{
    const int other = OnlyRadioElsewhere(chosen, findings);
    if (other == 0)
        return QString();
    if (chosen == 0)
        return TFormComPort::tr("Порт не выбран. Радиостанция отвечает на порту %1: выберите его командой \"Выбрать COM порт\".")
            .arg(ports::PortName(other));
    return TFormComPort::tr("На порту %1 радиостанция не отвечает, а на порту %2 отвечает: выберите его командой "
                            "\"Выбрать COM порт\".")
        .arg(ports::PortName(chosen), ports::PortName(other));
}

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
    ComboBoxCOM->setAccessibleName(tr("COM порт"));
    LabelDevice = new QLabel(this);
    LabelDevice->setObjectName(QStringLiteral("LabelDevice"));
    LabelDevice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LabelDevice->setMinimumWidth(1);
    LabelRadio = new QLabel(QStringLiteral(" "), this);
    LabelRadio->setObjectName(QStringLiteral("LabelRadio"));
    LabelRadio->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LabelRadio->setMinimumWidth(1);
    LabelRadio->setWordWrap(true);
    LabelRadio->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelRadio->setMinimumHeight(2 * LabelRadio->fontMetrics().lineSpacing());
    // Every port is asked while the dialog is open; answers fill in as they come.
    m_probe = new PortProbe(this);
    connect(m_probe, &PortProbe::Found, this, [this](int index) {
        const PortFinding &f = m_probe->findings().at(index);
        for (int i = 0; i < m_entries.size(); ++i) {
            if (PortNumberOfEntry(m_entries[i].name) == f.port)
                ComboBoxCOM->setItemData(i, DeviceText(m_entries[i]) + QLatin1Char('\n') + ProbeLine(&f), Qt::ToolTipRole);
        }
        ShowDevice();
    });
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
    layout->addWidget(LabelRadio);

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
    if (m_probing)
        m_probe->Start(ProbeEntries());
    ShowDevice();
}

QList<ports::PortEntry> TFormComPort::ProbeEntries() const
{
    QList<ports::PortEntry> entries;
    for (const PortItem &item : EnumeratePorts(m_source(), QString()).entries)
        entries.append(ports::PortEntry{PortNumberOfEntry(item.name), item.device, item.description});
    return entries;
}

const PortFinding *TFormComPort::FindingOf(int entry) const
{
    if (entry < 0 || entry >= m_entries.size())
        return nullptr;
    const int port = PortNumberOfEntry(m_entries[entry].name);
    for (const PortFinding &f : m_probe->findings()) {
        if (f.port == port)
            return &f;
    }
    return nullptr;
}

void TFormComPort::done(int result)
{
    // The ports are free again before the job the user chose one for opens it.
    m_probe->Stop();
    QDialog::done(result);
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
    const PortFinding *finding = FindingOf(i);
    const QString line = ProbeLine(finding);
    LabelRadio->setText(line.isEmpty() ? QStringLiteral(" ") : line);
    LabelRadio->setToolTip(finding ? FindingText(*finding) : QString());
}
