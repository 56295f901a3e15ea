// A serial port played from a script, for the receiver tests: chunks and silences wait by wait.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>

// A device that hands out one scripted chunk per wait, as a serial port hands
// out what arrived while the reader slept. An empty chunk is a silent wait.
class ScriptedDevice : public QIODevice
{
public:
    explicit ScriptedDevice(QList<QByteArray> chunks) : m_chunks(std::move(chunks))
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    void Append(const QByteArray &chunk) { m_chunks.append(chunk); }
    int waits() const { return m_waits; }
    qint64 bytesAvailable() const override { return m_pending.size() + QIODevice::bytesAvailable(); }
    bool waitForReadyRead(int) override
    {
        ++m_waits;
        if (m_chunks.isEmpty())
            return false;
        m_pending += m_chunks.takeFirst();
        return !m_pending.isEmpty();
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = qMin<qint64>(maxSize, m_pending.size());
        memcpy(data, m_pending.constData(), size_t(n));
        m_pending.remove(0, n);
        return n;
    }
    qint64 writeData(const char *, qint64 size) override { return size; }

private:
    QList<QByteArray> m_chunks;
    QByteArray m_pending;
    int m_waits = 0;
};
