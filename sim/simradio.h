// The simulated radio's memory and replies, with the faults a test asks it to play.
#pragma once

#include "job/programmerid.h"
#include "model/tableimage.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// What the simulated radio is, and which faults it plays.
struct SimOptions
{
    QString programmerId = ProgrammerId();
    std::uint16_t settingsVersion = 0x0102;
    std::uint16_t txBase = 2640;
    std::uint16_t rxBase = 2640;
    std::uint16_t step = 12500;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> pairs{{0, 1240}};
    std::array<std::uint8_t, 4> power{5, 10, 20, 40};
    std::uint32_t serial = 1001;
    std::uint32_t programCount = 7;
    QString radioType = QStringLiteral("КОРДАН 7К-40БМ");
    QString firmware = QStringLiteral("1.05");
    QString comment;

    bool echo = false;            // send every request back before the reply
    int junk = 0;                 // noise bytes before every reply
    int ignoreFirst = 0;          // leave the first N requests unanswered
    int corruptEvery = 0;         // break the frame check of every Nth reply
    int wrongCommandEvery = 0;    // every Nth reply carries another command byte
    int wrongBlockEvery = 0;      // ... another block number (or info sub-command)
    int wrongLengthEvery = 0;     // ... a payload of the wrong length
    int silentAfter = -1;         // answer nothing after N requests
    bool storeChanged = false;    // store written tables with one byte changed
    bool staleReply = false;      // a block reply of an earlier exchange before the first reply
};

// The radio's side of the protocol: requests in, reply payloads out, and the two
// table images it keeps.
class SimRadio
{
public:
    enum Table { Channels = 0, Settings = 1 };

    explicit SimRadio(SimOptions options);

    // Empty channel table and reset settings of the configured version.
    void ResetMemory();

    TableImage &image(Table t) { return m_images[t]; }

    struct Reply
    {
        bool answer = false;       // false: stay silent
        QByteArray payload;        // reply payload (before framing)
        bool breakCheck = false;   // send it with a wrong frame check
        bool stored = false;       // a table write completed: `storedTable` changed
        int storedTable = 0;
    };

    // Handles one decoded request payload.
    Reply Handle(const QByteArray &request);

    // The reply to a read of the channel table's first block, as a radio still
    // answering an exchange that was cut short sends it.
    QByteArray StaleBlockReply() const;

private:
    QByteArray InfoMain() const;
    QByteArray InfoExtended() const;
    QByteArray ReadBlock(std::uint16_t block) const;
    bool WriteBlock(std::uint16_t block, const QByteArray &data, int &storedTable);

    SimOptions m_opt;
    std::array<TableImage, 2> m_images;
    std::array<TableImage, 2> m_incoming;
    int m_requests = 0;
    int m_replies = 0;
};
