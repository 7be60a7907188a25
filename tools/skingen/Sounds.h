#pragma once

#include <QByteArray>

// The skins' sounds: short clicks and chimes as RIFF/WAVE files of 8-bit unsigned mono PCM at
// 11025 Hz, the one format every device can play.
namespace skingen {

inline constexpr int kSampleRate = 11025;

QByteArray ClickWave();  // a short dry click: a noise burst over a falling tone
QByteArray TickWave();   // a very short high tick
QByteArray TapWave();    // a soft rising pop for the big buttons
QByteArray BeepWave();   // two quick tones, for switching things on and off
QByteArray IntroWave();  // a one-second rising chime

}  // namespace skingen
