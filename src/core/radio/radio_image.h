#pragma once

#include <QtGlobal>

namespace vrx {

// The radio's memory as the clone protocol addresses it: 16-bit addresses, moved in
// blocks of 8 bytes. Channel n (1..199) is a 16-byte record at n x 16, moved as two
// blocks; the blocks after the last channel hold the radio-wide data.
namespace RadioImage {

inline constexpr int kBlockSize = 8;
inline constexpr int kRecordSize = 16;

inline constexpr quint16 kSettingsAddress = 0x0C80;   // SettingsBlock
inline constexpr quint16 kPowerDriveAddress = 0x0C88; // PowerDriveBlock (service only)
inline constexpr quint16 kIdentAddress = 0x0C90;      // IdentBlock
inline constexpr quint16 kBand1Address = 0x0CA0;      // BandLimitsBlock of band 1
inline constexpr quint16 kBand2Address = 0x0CA8;      // BandLimitsBlock of band 2

// First and second half of channel n's record.
constexpr quint16 channelAddress(int channel) {
    return quint16(channel * kRecordSize);
}
constexpr quint16 channelSecondHalfAddress(int channel) {
    return quint16(channel * kRecordSize + kBlockSize);
}

} // namespace RadioImage

} // namespace vrx
