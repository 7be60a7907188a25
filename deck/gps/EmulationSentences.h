#pragma once

#include <array>
#include <string_view>

namespace vexa::gps {

// The emulation's canned drive, fed in this order and again when nearly used up: a track north-east
// on 31 December 2007 with the speed rising from 0 to 70 knots by 10 a second. The two characters
// after each '*' are placeholders that FillChecksum replaces before the sentence is fed. The 2007
// date keeps the emulation from ever setting the clock.
inline constexpr std::array<std::string_view, 10> kEmulationSentences = {
    "$GPGGA,215235.670,3735.0064,N,12701.6746,E,1,03,1.2,35.9,M,19.6,M,0.0,0000*4F\r\n",
    "$GPRMC,112315.540,A,3733.2344,N,12701.1232,E,0.00,0.000,311207,,*10\r\n",
    "$GPRMC,112316.540,A,3733.3455,N,12701.2332,E,10.00,5.000,311207,,*10\r\n",
    "$GPRMC,112317.540,A,3733.5455,N,12701.3324,E,20.00,10.000,311207,,*13\r\n",
    "$GPRMC,112318.539,A,3733.6454,N,12701.4764,E,30.00,15.000,311207,,*1C\r\n",
    "$GPGGA,215235.670,3735.0064,N,12701.6746,E,1,03,1.7,34.8,M,18.5,M,0.0,0000*4F\r\n",
    "$GPRMC,112319.539,A,3733.7882,N,12701.5277,E,40.00,10.000,311207,,*13\r\n",
    "$GPRMC,112320.539,A,3733.8334,N,12701.6523,E,50.00,5.000,311207,,*12\r\n",
    "$GPRMC,112321.539,A,3733.9354,N,12701.7230,E,60.00,0.000,311207,,*18\r\n",
    "$GPRMC,112322.539,A,3734.0442,N,12701.8432,E,70.00,355.000,311207,,*18\r\n",
};

}  // namespace vexa::gps
