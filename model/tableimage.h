// The 2048-byte image a table travels in to and from the radio: its header and its CRC.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// A table travels to and from the radio as a fixed 2048-byte image:
//
//   offset  width  field
//   0       u16    version          major in the high byte (0x0102 = 1.02)
//   2       u16    length           meaningful bytes from offset 0, header included
//   4       u32    crc              CRC of all 2048 bytes
//   8       u32    crcCompensation  makes the CRC of the whole image equal crc
//   12      ...    body             table records
//   length  ...    fill             0xFF up to byte 2047 (covered by the CRC)
struct TableImage
{
    static constexpr std::size_t Size = 2048;
    static constexpr std::size_t OffVersion = 0;
    static constexpr std::size_t OffLength = 2;
    static constexpr std::size_t OffCrc = 4;
    static constexpr std::size_t OffCrcCompensation = 8;
    static constexpr std::size_t OffBody = 12;

    std::array<std::uint8_t, Size> bytes{};

    std::uint8_t *data() { return bytes.data(); }
    const std::uint8_t *data() const { return bytes.data(); }

    void Fill(std::uint8_t value = 0xFF) { bytes.fill(value); }

    std::uint16_t version() const;
    std::uint16_t length() const;
    std::uint32_t crc() const;
    std::uint32_t crcCompensation() const;
    void SetVersion(std::uint16_t v);
    void SetLength(std::uint16_t n);

    // Sets crc to 0 and crcCompensation to the CRC of that zero word; SealImage
    // overwrites both, so only the order of the encoder's steps depends on it.
    void PrepareCrcWords();
};

// The buffer within which CRC requests must lie.
struct ImageView
{
    const std::uint8_t *bytes = nullptr;
    std::uint32_t base = 0;
    std::uint32_t size = 0;

    static ImageView Of(const TableImage &image)
    {
        return ImageView{image.data(), 0, static_cast<std::uint32_t>(TableImage::Size)};
    }
};

// CRC-32 (poly 0x04C11DB7, MSB first, no reflection, no final XOR) over `count`
// bytes from `offset`, each aligned group of four taken from its last byte down.
// Returns 0 when the request does not lie inside the view.
std::uint32_t ImageCrc(const ImageView &view, std::uint32_t offset, std::uint32_t count,
                       std::uint32_t initial);

// Computes crc and crcCompensation; returns whether the whole image then checks.
bool SealImage(TableImage &image);

// True when the CRC over the whole image equals the stored crc.
bool VerifyImageCrc(const TableImage &image);
