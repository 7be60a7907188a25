#pragma once

#include <memory>

#include "common/Environment.h"
#include "deck/DeckSettings.h"
#include "deck/gps/GpsFix.h"
#include "deck/gps/GpsReceiver.h"
#include "deck/gpsview/GpsDisplays.h"

namespace vexa::deck {

// The launcher's control of the continuous GPS link: starting it with the settings' port, speed,
// emulation and SiRF switch, stopping it, and what the speed display and gauge show meanwhile ("ERR"
// when the start failed, "SRF" while the switch goes out, "OFF" once stopped).
class GpsControl {
 public:
  GpsControl(Environment& env, DeckSettings& settings, GpsDisplayHost& host, GpsDisplays& displays)
      : env_(env), settings_(settings), host_(host), displays_(displays) {}
  ~GpsControl();

  // GPS-SPEED: starts the link, or stops it when it runs.
  void Start();
  // Stops the link (nothing when it does not run).
  void Stop();
  bool running() const { return running_; }

  // The latest fix; all zero until a receiver reported.
  gps::GpsFix Fix() const;
  // Refreshes every display from the latest fix.
  void UpdateDisplays();

 private:
  gps::GpsReceiver* Receiver();

  Environment& env_;
  DeckSettings& settings_;
  GpsDisplayHost& host_;
  GpsDisplays& displays_;
  std::unique_ptr<gps::GpsReceiver> receiver_;
  bool running_ = false;
};

}  // namespace vexa::deck
