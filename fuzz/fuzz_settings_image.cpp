// The settings table image decoded and encoded again in its version. Input: one
// flag byte, then the image. Flag bits 0..1 give the version (1.00, 1.01, 1.02,
// or 3: keep the input's version and length), bit 2 keeps the input's CRC words
// (else the image is sealed, so that decoding gets past the check).
//
// What the layout changes on purpose: unused bits of the flag bytes, byte 45
// and the fill are written as 0, 0 and 0xFF; Tamp is read from byte 40 in 1.02
// and written to bytes 37 and 40 alike; fields a version lacks decode as their
// defaults. The decoded record must therefore reproduce itself exactly.

#include "model/settingscontext.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t flags = data[0];
    TableImage image;
    image.Fill(0xFF);
    std::memcpy(image.data(), data + 1, std::min<std::size_t>(size - 1, TableImage::Size));
    if ((flags & 3) != 3) {
        const std::uint16_t version = SettingsContext::Version100 + (flags & 3);
        image.SetVersion(version);
        image.SetLength(SettingsContext::LengthForVersion(version));
    }
    if (!(flags & 4))
        SealImage(image);

    SettingsContext first;
    if (!first.DecodeImage(image))
        return 0;
    TableImage second;
    if (!first.EncodeImage(second, image.version()))
        __builtin_trap();
    SettingsContext again;
    if (!again.DecodeImage(second) || !(again == first))
        __builtin_trap();
    TableImage third;
    if (!again.EncodeImage(third, image.version()) || third.bytes != second.bytes)
        __builtin_trap();
    return 0;
}
