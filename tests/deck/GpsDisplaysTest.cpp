#include "deck/gpsview/GpsDisplays.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "common/text/Format.h"
#include "common/text/Text.h"
#include "tests/deck/support/DeckFakes.h"
#include "tests/support/TestDevice.h"

namespace vexa::deck {
namespace {

using gfx::Rect;

// The "display_text" records, as "slot:kind:text".
class TextLog : public platform::EffectLog {
 public:
  void Record(std::string_view event, std::initializer_list<platform::LogField> fields) override {
    if (event != "display_text") return;
    std::string line;
    for (const auto& [name, value] : fields) {
      if (!line.empty()) line += ':';
      if (const auto* n = std::get_if<std::int64_t>(&value)) line += std::to_string(*n);
      if (const auto* t = std::get_if<std::u16string>(&value)) line += text::ToUtf8(*t);
    }
    lines.push_back(line);
  }
  std::vector<std::string> lines;
};

std::vector<GaugeFrame> Frames(std::u16string_view prefix, int first, int last, int step) {
  std::vector<GaugeFrame> frames;
  for (int v = first; v <= last; v += step) {
    const auto key = text::Format(u"%03d", {std::int64_t{v}});
    frames.push_back(GaugeFrame{u"\\gauge\\" + std::u16string(prefix) + key + u".png", key});
  }
  return frames;
}

// Slots 0 speed text, 1 speed gauge, 2 latitude, 3 course, 4 course gauge, 5 HDOP.
class GpsDisplaysTest : public ::testing::Test, public GpsDisplayHost {
 protected:
  GpsDisplaysTest() {
    device.platform.log = &log;
    for (int i = 0; i < 6; ++i) {
      slots.push_back(std::make_unique<ButtonSlot>(SlotServices{&pictures, &text, &resources, &sound}));
      fakeWindow.AddControl(1001 + i, Rect::FromSize(0, 40 * i, 100, 40));
      slots.back()->Attach(fakeWindow, 1001 + i, 101 + i);
    }
    const char16_t* kinds[] = {u"DISPLAY-SPEED", u"GAUGE-SPEED", u"DISPLAY-LATITUDE",
                               u"DISPLAY-COURSE", u"GAUGE-COURSE", u"DISPLAY-HDOP"};
    for (int i = 0; i < 6; ++i) slots[static_cast<std::size_t>(i)]->SetDisplayKind(kinds[i]);
    live_.speed = 0;
    live_.speedGauge = 1;
    live_.latitude = 2;
    live_.course = 3;
    live_.courseGauge = 4;
    live_.hdop = 5;
    slots[1]->SetFrames(Frames(u"speed", 0, 200, 1));
    slots[4]->SetFrames(Frames(u"course", 0, 315, 45));
    for (const auto* slot : {slots[1].get(), slots[4].get()}) {
      for (const auto& frame : slot->frames()) pictures.Add(frame.path, gfx::Bitmap(8, 8, 0xFF102030u));
    }
  }

  platform::ui::Window* window() override { return &fakeWindow; }
  ButtonSlot* LiveSlot(std::optional<int> index) override {
    return index && *index >= 0 && *index < 6 ? slots[static_cast<std::size_t>(*index)].get() : nullptr;
  }
  const LiveSlots& live() const override { return live_; }
  bool SkinLoading() const override { return false; }

  static gps::GpsFix AtKmh(double kmh) {
    gps::GpsFix fix;
    fix.speed = kmh / 1.852 + 1e-9;
    return fix;
  }
  std::u16string Caption(int index) const { return slots[static_cast<std::size_t>(index)]->caption(); }
  std::u16string FrameKey(int index) const {
    const auto& slot = *slots[static_cast<std::size_t>(index)];
    return slot.currentFrame() < 0 ? u"" : slot.frames()[static_cast<std::size_t>(slot.currentFrame())].sortKey;
  }

  testing::TestDevice device;
  TextLog log;
  Environment env{device.platform};
  testing::FakePictureDecoder pictures;
  testing::FakeTextRenderer text;
  testing::FakeResources resources;
  testing::FakeSound sound;
  testing::FakeWindow fakeWindow;
  std::vector<std::unique_ptr<ButtonSlot>> slots;
  LiveSlots live_;
  GpsDisplays displays{env, *this};
};

TEST_F(GpsDisplaysTest, SmoothsMiddlingJumpsAndMovesTheGaugeOnlyOnChange) {
  displays.Update(AtKmh(37), true);  // a jump above 10 is shown at once
  EXPECT_EQ(Caption(0), u"37");
  EXPECT_EQ(FrameKey(1), u"037");
  EXPECT_FALSE(fakeWindow.timers.contains(GpsDisplays::kSpeedTimer));

  displays.Update(AtKmh(45), true);  // half-way now, the rest half a second later
  EXPECT_EQ(Caption(0), u"41");
  EXPECT_EQ(fakeWindow.timers[GpsDisplays::kSpeedTimer], 500);
  EXPECT_EQ(FrameKey(1), u"037");  // the last speed already is 45 when the gauge is looked at
  displays.OnSpeedTimer(true);
  EXPECT_EQ(Caption(0), u"45");
  EXPECT_FALSE(fakeWindow.timers.contains(GpsDisplays::kSpeedTimer));

  displays.Update(AtKmh(46), true);  // below 2: at once
  EXPECT_EQ(Caption(0), u"46");
  EXPECT_EQ(FrameKey(1), u"046");
  std::erase_if(log.lines, [](const std::string& line) { return !line.starts_with("1:"); });
  EXPECT_EQ(log.lines, (std::vector<std::string>{"1:DISPLAY-SPEED:37", "1:DISPLAY-SPEED:41",
                                                 "1:DISPLAY-SPEED:45", "1:DISPLAY-SPEED:46"}));
}

TEST_F(GpsDisplaysTest, DefaultFormatsAndSkinFormats) {
  gps::GpsFix fix;
  fix.latitude = 3733.2344;
  fix.course = 355.0;
  fix.hdop = 1.2;
  displays.Update(fix, true);
  EXPECT_EQ(Caption(2), u" 37:33:14.06");
  EXPECT_EQ(Caption(3), u"355\u02DA/360\u02DA");
  EXPECT_EQ(Caption(5), u"1.2 M");

  // The skin's own patterns, and a hostile one that asks for more than it is given.
  env.skin().SetString(u"Format", u"Course", u"%03d deg");
  env.skin().SetString(u"Format", u"Hdop", u"%s%s%n%d");
  env.skin().SetString(u"Format", u"Latitude", u"");  // empty: the default
  fix.course = 7.9;
  displays.Update(fix, true);
  EXPECT_EQ(Caption(3), u"007 deg");
  EXPECT_EQ(Caption(2), u" 37:33:14.06");
  EXPECT_FALSE(Caption(5).empty());
}

TEST_F(GpsDisplaysTest, HostileValuesAreClampedNotUndefined) {
  gps::GpsFix fix;
  fix.speed = 1e300;
  fix.latitude = -1e300;
  fix.course = std::numeric_limits<double>::quiet_NaN();
  displays.Update(fix, true);
  EXPECT_FALSE(Caption(0).empty());
  EXPECT_EQ(SplitPosition(std::numeric_limits<double>::infinity()), PositionParts{});
  EXPECT_EQ(SplitPosition(3733.2344), (PositionParts{37, 33, 14, 6}));
  EXPECT_EQ(SplitPosition(12701.1232), (PositionParts{127, 1, 7, 39}));
}

TEST(GaugeFrames, NearestFrameWithWrapAround) {
  const auto course = Frames(u"course", 0, 315, 45);
  const auto key = [&](std::u16string_view value) {
    const int i = NearestGaugeFrame(course, value);
    return i < 0 ? std::u16string(u"none") : course[static_cast<std::size_t>(i)].sortKey;
  };
  EXPECT_EQ(key(u"020"), u"000");
  EXPECT_EQ(key(u"023"), u"045");  // 23 from 0 against 22 from 45
  EXPECT_EQ(key(u"350"), u"000");  // 10 from 360 beats 35 from 315
  EXPECT_EQ(key(u"090"), u"090");
  const auto speed = Frames(u"speed", 0, 200, 5);
  EXPECT_EQ(speed[static_cast<std::size_t>(NearestGaugeFrame(speed, u"052"))].sortKey, u"050");
  EXPECT_EQ(NearestGaugeFrame({}, u"052"), -1);
  // Keys compare without regard to case before any number is read.
  const std::vector<GaugeFrame> named = {{u"\\a.png", u"low"}, {u"\\b.png", u"HIGH"}};
  EXPECT_EQ(NearestGaugeFrame(named, u"high"), 1);
}

TEST_F(GpsDisplaysTest, GaugeValueEmptyClearsAndUndecodableFrameKeepsTheOld) {
  ASSERT_TRUE(displays.SetGaugeValue(*slots[4], u"090"));
  EXPECT_EQ(FrameKey(4), u"090");
  EXPECT_TRUE(displays.SetGaugeValue(*slots[4], u""));
  EXPECT_EQ(slots[4]->currentFrame(), -1);

  std::vector<GaugeFrame> frames = {{u"\\missing000.png", u"000"}, {u"\\gauge\\course090.png", u"090"}};
  slots[4]->SetFrames(frames);
  ASSERT_TRUE(displays.SetGaugeValue(*slots[4], u"090"));
  EXPECT_FALSE(displays.SetGaugeValue(*slots[4], u"000"));
  EXPECT_EQ(FrameKey(4), u"090");
  pictures.Add(u"\\missing000.png", gfx::Bitmap(8, 8, 0xFF000000u));
  EXPECT_TRUE(displays.SetGaugeValue(*slots[4], u"000"));  // the next value tries again
  EXPECT_EQ(FrameKey(4), u"000");
}

TEST_F(GpsDisplaysTest, ClockFollowsARequestOnlyFromAFixAfter2007) {
  struct Setter : platform::ClockSetter {
    bool SetSystemTime(const platform::DateTime& utc) override {
      set.push_back(utc);
      return true;
    }
    std::vector<platform::DateTime> set;
  } setter;
  device.platform.clockSetter = &setter;
  gps::GpsFix fix;
  fix.time = platform::DateTime{2007, 12, 1, 31, 11, 23, 15, 0};
  displays.Update(fix, true);  // no request yet
  displays.RequestTime();
  displays.Update(fix, true);  // the emulation's 2007 date keeps the request
  EXPECT_TRUE(setter.set.empty());
  EXPECT_TRUE(displays.timeRequested());
  fix.time = platform::DateTime{2008, 1, 6, 5, 10, 0, 0, 0};
  displays.Update(fix, true);
  ASSERT_EQ(setter.set.size(), 1u);
  EXPECT_EQ(setter.set[0].year, 2008);
  EXPECT_EQ(setter.set[0].hour, 10);
  EXPECT_FALSE(displays.timeRequested());
  displays.Update(fix, true);
  EXPECT_EQ(setter.set.size(), 1u);
}

}  // namespace
}  // namespace vexa::deck
