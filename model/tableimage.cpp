// The image header's fields, and the radio's CRC: computed, sealed with a compensation word, checked.

#include "model/tableimage.h"

#include "model/bytes.h"

namespace {

constexpr std::uint32_t kPoly = 0x04C11DB7u;

struct CrcTable
{
    std::array<std::uint32_t, 256> entry{};
    constexpr CrcTable()
    {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t r = i << 24;
            for (int bit = 0; bit < 8; ++bit)
                r = (r & 0x80000000u) ? (r << 1) ^ kPoly : (r << 1);
            entry[i] = r;
        }
    }
};

constexpr CrcTable kTable;

} // namespace

std::uint16_t TableImage::version() const { return getU16le(data() + OffVersion); }
std::uint16_t TableImage::length() const { return getU16le(data() + OffLength); }
std::uint32_t TableImage::crc() const { return getU32le(data() + OffCrc); }
std::uint32_t TableImage::crcCompensation() const { return getU32le(data() + OffCrcCompensation); }
void TableImage::SetVersion(std::uint16_t v) { setU16le(data() + OffVersion, v); }
void TableImage::SetLength(std::uint16_t n) { setU16le(data() + OffLength, n); }

void TableImage::PrepareCrcWords()
{
    setU32le(data() + OffCrc, 0);
    setU32le(data() + OffCrcCompensation, ImageCrc(ImageView::Of(*this), OffCrc, 4, 0xFFFFFFFFu));
}

std::uint32_t ImageCrc(const ImageView &view, std::uint32_t offset, std::uint32_t count,
                       std::uint32_t initial)
{
    // Bytes are taken in reversed groups of four, so a view must hold whole groups.
    if (view.bytes == nullptr || view.size % 4 != 0)
        return 0;
    if (offset + count - 1u < offset || offset < view.base)
        return 0;
    const std::uint32_t start = offset - view.base;
    if (static_cast<std::uint64_t>(start) + count > view.size)
        return 0;

    std::uint32_t reg = initial;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t b = view.bytes[(start + i) ^ 3u];
        reg = (reg << 8) ^ kTable.entry[((reg >> 24) ^ b) & 0xFFu];
    }
    return reg;
}

bool SealImage(TableImage &image)
{
    const ImageView view = ImageView::Of(image);
    setU32le(image.data() + TableImage::OffCrc, ImageCrc(view, 0, TableImage::Size, 0xFFFFFFFFu));
    setU32le(image.data() + TableImage::OffCrcCompensation,
             ImageCrc(view, TableImage::OffCrc, 4, 0xFFFFFFFFu));
    return ImageCrc(view, 0, TableImage::Size, 0xFFFFFFFFu) == image.crc();
}

bool VerifyImageCrc(const TableImage &image)
{
    return ImageCrc(ImageView::Of(image), 0, TableImage::Size, 0xFFFFFFFFu) == image.crc();
}
