// The GPS time program's own settings table: exact comparison, first match, duplicates, the one
// section written back, and the fall-backs of its three settings.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "gpstime/GpsTimeSettings.h"

namespace vexa::gpstime {
namespace {

SettingsTable Parsed(std::string_view bytes) {
  SettingsTable table;
  table.Parse(bytes);
  return table;
}

TEST(SettingsTableTest, FindsKeysExactlyAndTakesTheFirstOfDuplicates) {
  const auto table = Parsed(
      "GpsPort=COM5:\r\n"  // before any section: not taken
      "[ Main ]\r\n"
      "  GpsPort =  com3: \r\n"
      "no equals sign\r\n"
      "GpsPort=COM4:\r\n"
      "GpsSpeed=4800=x\r\n"
      "[main]\r\n"
      "SuccessToExit=Y\r\n");
  EXPECT_EQ(table.Get(u"Main", u"GpsPort", u"?"), u"com3:");
  EXPECT_EQ(table.Get(u"Main", u"GpsSpeed", u"?"), u"4800=x");
  EXPECT_EQ(table.Get(u"Main", u"gpsport", u"?"), u"?");
  EXPECT_EQ(table.Get(u"Main", u"SuccessToExit", u"?"), u"?");  // it lies in "main"
  EXPECT_EQ(table.Get(u"main", u"SuccessToExit", u"?"), u"Y");
  EXPECT_EQ(table.entries().size(), 4u);

  // Only CR LF ends a line: with bare LFs the whole file is one line, here a section header.
  EXPECT_TRUE(Parsed("[Main]\nGpsPort=COM1:\n").entries().empty());
}

TEST(SettingsTableTest, SetReplacesTheFirstEntryOrAppendsAndOnlyMainIsWritten) {
  auto table = Parsed("[Other]\r\nGpsPort=COM1:\r\n[Main]\r\nGpsPort=COM3:\r\nGpsPort=COM4:\r\n");
  table.Set(u"Main", u"GpsPort", u"COM6:");
  table.Set(u"Main", u"SuccessToExit", u"Y");
  table.Set(u"Main", u"gpsport", u"포트");
  EXPECT_EQ(table.Serialize(),
            "[Main]\r\nGpsPort=COM6:\r\nGpsPort=COM4:\r\nSuccessToExit=Y\r\ngpsport=\xC6\xF7\xC6\xAE\r\n");

  // Nothing is cut: a table far beyond a few kilobytes is written whole.
  SettingsTable large;
  for (int i = 0; i < 1000; ++i) large.Set(u"Main", u"Key" + std::u16string(1, u'A' + i % 26) + u"_" +
                                                      std::u16string(i / 26 + 1, u'x'), u"value");
  const auto written = large.Serialize();
  EXPECT_GT(written.size(), 4096u);
  EXPECT_EQ(Parsed(written).entries().size(), 1000u);
}

TEST(GpsTimeSettingsTest, FallBacksOfPortSpeedAndExit) {
  auto port = [](std::string_view value) {
    return GpsTimeSettings::PortOf(Parsed("[Main]\r\nGpsPort=" + std::string(value) + "\r\n"));
  };
  EXPECT_EQ(GpsTimeSettings::PortOf(SettingsTable{}), u"COM2:");
  EXPECT_EQ(port("com7:"), u"COM7:");
  EXPECT_EQ(port("COM9:"), u"COM2:");
  EXPECT_EQ(port("COM3"), u"COM2:");

  auto speed = [](std::string_view value) {
    const auto table = Parsed("[Main]\r\nGpsSpeed=" + std::string(value) + "\r\n");
    return std::make_pair(GpsTimeSettings::BaudOf(table), GpsTimeSettings::SpeedTextOf(table));
  };
  EXPECT_EQ(GpsTimeSettings::BaudOf(SettingsTable{}), 9600);
  EXPECT_EQ(speed("19200"), std::make_pair(19200, std::u16string(u"9600")));  // the list cannot show it
  EXPECT_EQ(speed("19600"), std::make_pair(9600, std::u16string(u"19600")));  // the list offers it
  EXPECT_EQ(speed("14400"), std::make_pair(14400, std::u16string(u"14400")));
  EXPECT_EQ(speed("4800baud"), std::make_pair(4800, std::u16string(u"9600")));

  EXPECT_TRUE(GpsTimeSettings::SuccessToExitOf(Parsed("[Main]\r\nSuccessToExit=y\r\n")));
  EXPECT_FALSE(GpsTimeSettings::SuccessToExitOf(Parsed("[Main]\r\nSuccessToExit=Yes\r\n")));
}

}  // namespace
}  // namespace vexa::gpstime
