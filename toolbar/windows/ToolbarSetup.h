#pragma once

// The controls of the settings window "SetUp Toolbar" and of its six pages, as a scenario names them.
// Each page is a child window titled by its tab ("GEN", "SHOW", "HOT", "PROG", "AUTO", "GPS").
namespace vexa::toolbar {

inline constexpr char16_t kToolbarSetupTitle[] = u"SetUp Toolbar";

enum ToolbarSetupControl : int {
  kSetupSave = 1,
  kSetupReturn = 2,
  kSetupTabs = 1001,

  // GEN
  kGenIconSizeLabel = 1101,
  kGenIconSizeFirst = 1102,  // "16", "24", "32", "48"
  kGenRotationLabel = 1106,
  kGenHorizontal = 1107,
  kGenVertical = 1108,
  kGenWidthLabel = 1109,
  kGenWidth = 1110,
  kGenWidthUp = 1111,
  kGenWidthDown = 1112,
  kGenHeightLabel = 1113,
  kGenHeight = 1114,
  kGenHeightUp = 1115,
  kGenHeightDown = 1116,
  kGenIconName = 1117,
  kGenPositionLabel = 1118,
  kGenPosition = 1119,
  kGenIconMinimizeLabel = 1120,
  kGenIconMinimize = 1121,
  kGenIconPositionLabel = 1122,
  kGenIconPosition = 1123,

  // SHOW
  kShowTask = 1201,
  kShowClock = 1202,
  kShowClockTime = 1203,
  kShowKill = 1204,
  kShowKillMessage = 1205,
  kShowMinimize = 1206,
  kShowClose = 1207,

  // HOT: for program button n (1 to 5), kHotFirst + 10 * n + the offset
  kHotFirst = 1300,
  kHotLabel = 0,
  kHotButton = 1,  // shows the Title, opens "SetUp Hotkey"
  kHotShow = 2,

  // PROG: for group n (1 to 3), kProgFirst + 10 * n + the offset
  kProgFirst = 1400,
  kProgLabel = 0,
  kProgPath = 1,
  kProgBrowse = 2,
  kProgShortNameLabel = 3,
  kProgShortName = 4,
  kProgShow = 5,

  // AUTO: for start-up program n (1 to 3), kAutoFirst + 10 * n + the offset
  kAutoFirst = 1500,
  kAutoLabel = 0,
  kAutoPath = 1,
  kAutoBrowse = 2,
  kAutoExecute = 3,

  // GPS
  kGpsAuto = 1601,
  kGpsPortLabel = 1602,
  kGpsPortList = 1603,
  kGpsSpeedLabel = 1604,
  kGpsSpeedList = 1605,
};

// The timer of the main window that opens the Position window for the icon once it shows.
inline constexpr int kSetupIconTimer = 1;
inline constexpr int kSetupIconDelayMs = 100;

}  // namespace vexa::toolbar
