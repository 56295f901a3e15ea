// The COM port dialog: the ports, what answers on each, and the default port.
#pragma once

#include "job/portprobe.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

// A serial port as the system names it, with what tells the user which
// device it is.
struct PortItem
{
    QString name;         // "COM3"; any case, possibly not a port name at all
    QString device;       // "/dev/ttyUSB0", "\\.\COM3"
    QString description;  // the adapter's description, when known
};

// The dialog's list: entries "COM%d" in ascending order, one per port number
// 1..255, and the entry chosen by the stored default (else the first).
struct PortListing
{
    QList<PortItem> entries;  // names normalised to "COM%d"
    int selected = -1;        // -1 when the list is empty
    int chosenPort = 0;       // the selected entry's number; 0 when empty
};

PortListing EnumeratePorts(const QList<PortItem> &system, const QString &storedDefault);

// The number of an entry text: "COM7" -> 7; 0 when the rest is not a number
// in 1..255.
int PortNumberOfEntry(const QString &text);

// The line under the list about what answers on the selected entry's port:
// the radio, or why there is none; empty before the port was asked.
QString ProbeLine(const PortFinding *finding);

// What "Информация", "Прочитать" and "Записать" say when no port is chosen
// (0) or none answers on the chosen one while a radio answers on exactly one
// other port: that port, named; empty otherwise. They never switch to it.
QString RadioElsewhereMessage(int chosen, const QList<PortFinding> &findings);

// The serial port the programming job opens, chosen from the ports present and
// remembered as "DefaultComPort" in the group "Settings" when confirmed.
class TFormComPort : public QDialog
{
    Q_OBJECT
public:
    using PortSource = std::function<QList<PortItem>()>;

    explicit TFormComPort(QWidget *parent = nullptr);

    // Where the ports come from; the system's ports by default. Ports of
    // another source are asked for a radio only when `probe` says so, as the
    // system's always are.
    void SetPortSource(PortSource source, bool probe = false)
    {
        m_source = std::move(source);
        m_probing = probe;
    }
    bool probing() const { return m_probing; }
    // The ports of the source as a probe asks them.
    QList<ports::PortEntry> ProbeEntries() const;
    // What the last showing found on each port so far; its probe runs while
    // the dialog is shown and is stopped when it closes.
    const QList<PortFinding> &findings() const { return m_probe->findings(); }

    // Rebuilds the list from the ports present and chooses a port; the main
    // window calls it once at start without showing the dialog.
    int Enumerate();
    // 0 = none; else 1..255.
    int chosenPort() const { return m_chosenPort; }

    QComboBox *ComboBoxCOM = nullptr;
    QPushButton *BitBtnOk = nullptr;
    QPushButton *BitBtnCancell = nullptr;
    QLabel *LabelDevice = nullptr;
    QLabel *LabelRadio = nullptr;

public slots:
    void ComboBoxCOMChange();
    void BitBtnOkClick();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void ShowDevice();
    const PortFinding *FindingOf(int entry) const;

    PortSource m_source;
    bool m_probing = true;
    PortProbe *m_probe = nullptr;
    QList<PortItem> m_entries;
    int m_chosenPort = 0;
};
