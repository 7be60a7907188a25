#pragma once

#include <array>
#include <cstdint>

namespace vexa::gps {

// The SiRF binary message that switches a receiver to NMEA output (message 129): GGA every second,
// GSA and GSV every five, RMC and the rest off, 9600 bit/s, checksums on.
inline constexpr std::array<std::uint8_t, 32> kSirfToNmea = {
    0xA0, 0xA2, 0x00, 0x18,                                      // start, payload length 24
    0x81, 0x02,                                                  // message 129, debug setting kept
    0x01, 0x01, 0x00, 0x01, 0x05, 0x01, 0x05, 0x01, 0x00, 0x01,  // GGA, GLL, GSA, GSV, RMC
    0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01,  // VTG, MSS, unused, ZDA, unused
    0x25, 0x80,                                                  // 9600 bit/s
    0x01, 0x3D, 0xB0, 0xB3,                                      // checksum, end
};
// Where the three writes of the switch split the message.
inline constexpr std::size_t kSirfHeaderBytes = 4;
inline constexpr std::size_t kSirfPayloadBytes = 24;

}  // namespace vexa::gps
