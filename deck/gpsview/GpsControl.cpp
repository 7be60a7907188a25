#include "deck/gpsview/GpsControl.h"

#include "common/SettingValues.h"

namespace vexa::deck {

GpsControl::~GpsControl() {
  if (receiver_) receiver_->Close();
}

gps::GpsReceiver* GpsControl::Receiver() {
  if (!receiver_) {
    platform::Platform& platform = env_.platform();
    if (platform.clock == nullptr) return nullptr;
    auto* window = host_.window();
    receiver_ = std::make_unique<gps::GpsReceiver>(gps::GpsServices{
        platform.serialPorts, platform.threads, *platform.clock, platform.messageBoxes, env_.KoreanUi(),
        window != nullptr ? window->handle() : platform::kNoWindow});
  }
  return receiver_.get();
}

gps::GpsFix GpsControl::Fix() const { return receiver_ ? receiver_->Fix() : gps::GpsFix{}; }

void GpsControl::UpdateDisplays() { displays_.Update(Fix(), running_); }

void GpsControl::Start() {
  if (running_) {
    Stop();
    return;
  }
  const LiveSlots& live = host_.live();
  UpdateDisplays();
  if (ButtonSlot* gauge = host_.LiveSlot(live.speedGauge)) displays_.SetGaugeValue(*gauge, u"000");
  if (ButtonSlot* speed = host_.LiveSlot(live.speed); speed != nullptr && !speed->IsVisible()) speed->Show(true);

  gps::GpsReceiver* receiver = Receiver();
  if (receiver == nullptr) {
    displays_.SetText(live.speed, u"ERR");
    return;
  }
  receiver->SetOwner(host_.window());
  receiver->SetEmulation(IsYesIgnoringCase(settings_.store().GetString(u"Gps", u"Emulation", u"")));
  const std::u16string port = settings_.GpsPort();
  const int speed = settings_.GpsSpeed();
  if (!receiver->Open(std::u16string_view(port).substr(0, 4), speed)) {
    displays_.SetText(live.speed, u"ERR");
    receiver->Close();
    return;
  }
  if (settings_.store().GetString(u"Gps", u"SirfToNmea", u"N") == u"Y") {
    displays_.SetText(live.speed, u"SRF");
    receiver->SendSirfToNmea();
    env_.platform().clock->Sleep(300);
  }
  running_ = true;
}

void GpsControl::Stop() {
  if (!running_) return;
  running_ = false;
  if (receiver_) receiver_->Close();
  UpdateDisplays();
  if (auto* window = host_.window()) window->KillTimer(GpsDisplays::kSpeedTimer);
  const LiveSlots& live = host_.live();
  ButtonSlot* gauge = host_.LiveSlot(live.speedGauge);
  if (gauge != nullptr) displays_.SetGaugeValue(*gauge, u"");
  displays_.SetText(live.speed, u"OFF");
  // A speed text drawn inside the gauge goes with the needle.
  ButtonSlot* speed = host_.LiveSlot(live.speed);
  if (gauge != nullptr && speed != nullptr) {
    const gfx::Rect s = speed->rect();
    const gfx::Rect g = gauge->rect();
    if (s.left >= g.left && s.top >= g.top && s.right <= g.right && s.bottom <= g.bottom) speed->Show(false);
  }
}

}  // namespace vexa::deck
