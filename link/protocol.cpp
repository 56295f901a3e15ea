// Replies checked block by block, write requests cut from an image, and the error messages.

#include "link/protocol.h"

#include "model/bytes.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Protocol)
};

} // namespace

namespace protocol {

std::size_t InfoDataLength(std::uint8_t subCommand)
{
    switch (subCommand) {
    case 0: return InfoMainLength;
    case 1: return InfoExtendedLength;
    default: return 0;
    }
}

QString ErrorMessage(int code)
{
    switch (code) {
    case ErrChecksum: return Tr::tr("Ошибка контрольной суммы !!!");
    case ErrBadReply: return Tr::tr("Ошибка. Неверный ответ !!!");
    case ErrBlockLength: return Tr::tr("Ошибка длины блока!!!");
    case ErrAccess: return Tr::tr("Ошибка доступа!!!");
    case ErrBaudRate: return Tr::tr("Ошибка установки скорости обмена!!!");
    case ErrBufferPointer: return Tr::tr("Ошибка указателя на буфер!!!");
    case ErrCompare: return Tr::tr("Ошибка. Несовпадение данных при сравнении!!!");
    case ErrNoReply: return Tr::tr("Ошибка. Ответ не получен за отведенное время!!!");
    default: return Tr::tr("Ошибка!!!");
    }
}

Check CheckInfoReply(const std::uint8_t *payload, std::size_t length, std::uint8_t subCommand,
                     std::uint8_t *out)
{
    if (length < 2 || payload[0] != CmdInfo || payload[1] != subCommand)
        return Check::Bad(ErrBadReply);
    const std::size_t n = InfoDataLength(subCommand);
    if (n == 0)
        return Check::Bad(ErrNone);
    if (length != n + 2)
        return Check::Bad(ErrBlockLength);
    std::memcpy(out, payload + 2, n);
    return Check::Good();
}

Check CheckReadReply(const std::uint8_t *payload, std::size_t length, std::uint16_t block,
                     std::uint8_t *image, bool &done)
{
    if (length < 1 || payload[0] != CmdReadBlock)
        return Check::Bad(ErrBadReply);
    if (length < 4)
        return Check::Bad(ErrBlockLength);
    if (getU16le(payload + 2) != block)
        return Check::Bad(ErrBadReply);

    const std::size_t n = length - 4;
    const std::uint8_t *data = payload + 4;
    const std::size_t slot = block & 3u;
    if (slot == 0) {
        if (n < 4)
            return Check::Bad(ErrBlockLength);
        const std::size_t lim = getU16le(data + 2);
        if (lim < n || n > BlockSize || (lim > BlockSize && n != BlockSize))
            return Check::Bad(ErrBlockLength);
        std::memcpy(image, data, n);
        if (n == lim)
            done = true;
        return Check::Good();
    }
    if (n < 1 || n > BlockSize)
        return Check::Bad(ErrBlockLength);
    const std::size_t lim = getU16le(image + 2);
    const std::size_t pos = slot * BlockSize;
    if ((lim > pos + BlockSize && n != BlockSize) || pos + n > lim)
        return Check::Bad(ErrBlockLength);
    std::memcpy(image + pos, data, n);
    if (pos + n == lim)
        done = true;
    return Check::Good();
}

Check CheckWriteReply(const std::uint8_t *payload, std::size_t length, std::uint16_t block)
{
    if (length < 1 || payload[0] != CmdWriteBlock)
        return Check::Bad(ErrBadReply);
    if (length != 4)
        return Check::Bad(ErrBlockLength);
    if (getU16le(payload + 2) != block)
        return Check::Bad(ErrBadReply);
    return Check::Good();
}

std::size_t BuildWriteRequest(const std::uint8_t *image, std::uint16_t block, std::uint8_t *out,
                              bool &done)
{
    const std::uint16_t lim = getU16le(image + 2);
    const std::uint16_t pos = static_cast<std::uint16_t>((block & 3u) * BlockSize);
    // The difference is taken as 16-bit unsigned, so a slot past the end sends
    // a full block rather than a negative count.
    const std::uint16_t left = static_cast<std::uint16_t>(lim - pos);
    const std::size_t n = std::min<std::size_t>(left, BlockSize);
    out[0] = CmdWriteBlock;
    out[1] = 0;
    setU16le(out + 2, block);
    std::memcpy(out + 4, image + pos, n);
    if (pos + n >= lim)
        done = true;
    return n + 4;
}

std::uint32_t ComputeProgress(std::uint32_t done, std::uint32_t partial, std::uint32_t total)
{
    if (total == 0)
        return 99;
    const std::uint64_t v = (static_cast<std::uint64_t>(done) + partial) * 98u / total + 1u;
    return v >= 100 ? 99 : static_cast<std::uint32_t>(v);
}

} // namespace protocol

