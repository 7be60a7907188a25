#include "platform/runtime/ProgramRuntime.h"

#include <QApplication>
#include <QEventLoop>

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <variant>

#include "common/text/Text.h"
#include "platform/DeviceLocale.h"
#include "platform/Shell.h"
#include "platform/headless/FixedLocaleNames.h"
#include "platform/headless/InProcessWindowList.h"
#include "platform/headless/JsonEffectLog.h"
#include "platform/headless/LoggingClockSetter.h"
#include "platform/headless/LoggingFileSystem.h"
#include "platform/headless/LoggingProcesses.h"
#include "platform/headless/LoggingRegistry.h"
#include "platform/headless/LoggingSerialPorts.h"
#include "platform/headless/LoggingFontRegistry.h"
#include "platform/headless/LoggingSound.h"
#include "platform/headless/LoggingWindowList.h"
#include "platform/headless/RecordingProcesses.h"
#include "platform/headless/Scenario.h"
#include "platform/headless/ScenarioDialogs.h"
#include "platform/headless/ScenarioPump.h"
#include "platform/headless/ScriptedFileWatcher.h"
#include "platform/headless/ScriptedSerialPorts.h"
#include "platform/headless/SilentSound.h"
#include "platform/headless/VirtualClock.h"
#include "platform/headless/VirtualThreads.h"
#include "platform/posix/AlsaSound.h"
#include "platform/posix/FileRegistry.h"
#include "platform/posix/HostClockSetter.h"
#include "platform/posix/HostExecutable.h"
#include "platform/posix/HostSerialPorts.h"
#include "platform/posix/InotifyFileWatcher.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcesses.h"
#include "platform/posix/PosixThreads.h"
#include "platform/qt/QtAutomation.h"
#include "platform/qt/QtCommonDialogs.h"
#include "platform/qt/QtControlFonts.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtFolderPicker.h"
#include "platform/qt/QtFontRegistry.h"
#include "platform/qt/QtLocaleNames.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtPictureDecoder.h"
#include "platform/qt/QtResources.h"
#include "platform/qt/QtTextRenderer.h"
#include "platform/qt/QtTimerService.h"
#include "platform/qt/QtUserInterface.h"
#include "platform/runtime/DisplayCheck.h"
#include "platform/runtime/RuntimeFolder.h"
#include "platform/runtime/RuntimeOptions.h"
#include "platform/runtime/SystemClock.h"
#include "platform/x11/X11WindowList.h"

namespace vexa::platform {

namespace {

constexpr int kStartFailed = 2;

const char* Environment(const char* name) {
  return std::getenv(name);
}

bool HasVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

std::string ResourceSetOf(const ProgramInfo& info) {
  if (!info.resourceSet.empty()) return info.resourceSet;
  std::string set = text::ToUtf8(text::ToLower(info.name));
  if (set.starts_with("vexa") && set.size() > 4) set.erase(0, 4);
  return set;
}

// Why LocateModule found nothing, in words the user can act on.
std::string LocateProblem(const LocateOptions& locate) {
  std::error_code error;
  if (locate.deviceRoot && !std::filesystem::is_directory(*locate.deviceRoot, error)) {
    return "the device root \"" + *locate.deviceRoot + "\" is not a folder";
  }
  if (!locate.deviceRoot) {
    return "no device tree found: no folder above \"" + locate.hostExecutable +
           "\" holds a \"Windows\" folder; give --device-root DIR or set VEXA_DEVICE_ROOT";
  }
  return "\"" + locate.hostExecutable + "\" lies outside the device tree \"" + *locate.deviceRoot +
         "\"; give its device path with --module-path";
}

// Pictures, canvases and file buffers of a screen's size (1.5 MB at 800 × 480) are made and freed on
// every full repaint and skin load. Left to itself the allocator maps each one afresh and unmaps it
// when freed, so every page is faulted in and cleared again each time; kept in the heap, freed ones
// are reused. Only blocks larger than any screen's picture (a huge PNG decoded before it is reduced)
// are still mapped apart and given back at once.
void KeepScreenSizedBuffers() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

// The Qt application, made once per process; headless runs draw offscreen, desktop runs on the
// platform the display check chose (none: Qt's own choice). Qt sees only the program path and the
// platform: the other arguments are the device program's, not Qt's.
std::unique_ptr<QApplication> MakeApplication(const char* program, bool headless,
                                              const std::string& platform) {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  if (headless) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static std::string programPath;
  static std::string platformOption = "-platform";
  static std::string platformName;
  static char* qtArgv[4] = {nullptr, nullptr, nullptr, nullptr};
  static int qtArgc = 1;
  programPath = program;
  qtArgv[0] = programPath.data();
  qtArgc = 1;
  if (!headless && !platform.empty()) {
    platformName = platform;
    qtArgv[1] = platformOption.data();
    qtArgv[2] = platformName.data();
    qtArgc = 3;
  }
  return std::make_unique<QApplication>(qtArgc, qtArgv);
}

}  // namespace

int RunProgram(int argc, char** argv, const ProgramInfo& info, const ProgramMain& main) {
  KeepScreenSizedBuffers();
  const std::string name = info.name.empty() ? std::string("program") : text::ToUtf8(info.name);
  const auto fail = [&](const std::string& message) {
    std::cerr << name << ": " << message << std::endl;
    return kStartFailed;
  };

  // Options.
  RuntimeOptions options = ParseRuntimeOptions(argc, argv, Environment);
  if (options.help) {
    std::cout << HelpText(name, info.commandLineHelp.empty()
                                    ? "the arguments that are not options of the list above, as they are"
                                    : info.commandLineHelp)
              << std::flush;
    return 0;
  }
  for (const std::string& problem : options.device.problems) {
    std::cerr << name << ": " << problem << " (ignored)" << std::endl;
  }
  if (!options.errors.empty()) {
    for (const std::string& error : options.errors) std::cerr << name << ": " << error << std::endl;
    return kStartFailed;
  }
  options.device.locate.hostExecutable = HostExecutablePath();
  const std::optional<ModuleLocation> location = LocateModule(options.device.locate);
  if (!location) return fail(LocateProblem(options.device.locate));
  // The device's language: the one named, else the host's.
  std::uint16_t langId = LanguageFromEnvironment();
  if (options.device.language) {
    if (const std::optional<std::uint16_t> named = LanguageFromName(*options.device.language))
      langId = *named;
  }
  if (options.printRegistry) {
    PosixFileSystem deviceFiles(location->hostRoot);
    FileRegistry deviceRegistry(deviceFiles, DeviceLocale(langId).AnsiCodePage());
    const RegistryTree* tree = deviceRegistry.Tree();
    if (tree == nullptr) {
      return fail("the registry file " + text::ToUtf8(FileRegistry::kRegistryFile) +
                  " of the device tree cannot be read or is not a registry file");
    }
    std::cout << text::ToUtf8(tree->Listing()) << std::flush;
    return 0;
  }

  // Qt aborts the process when its platform cannot connect: look at the displays first.
  std::string platformName;
  if (!options.headless && QCoreApplication::instance() == nullptr) {
    auto display = ChooseDisplay(Environment, HostDisplayProbes());
    if (const auto* problem = std::get_if<std::string>(&display)) return fail(*problem);
    platformName = std::get<DisplayChoice>(display).platform;
  }

  // Time and the log.
  SystemClock systemClock;
  std::unique_ptr<VirtualClock> virtualClock;
  if (options.headless) {
    virtualClock = std::make_unique<VirtualClock>(options.startTime.value_or(VirtualClock::kDefaultStart));
  }
  Clock& clock = virtualClock ? static_cast<Clock&>(*virtualClock) : systemClock;
  NullEffectLog nullLog;
  std::unique_ptr<JsonEffectLog> jsonLog;
  if (options.log) {
    auto file = std::make_unique<std::ofstream>(*options.log, std::ios::binary | std::ios::trunc);
    if (!*file) return fail("cannot write the log file \"" + *options.log + "\"");
    jsonLog = std::make_unique<JsonEffectLog>(clock, std::move(file));
  }
  EffectLog& log = jsonLog ? static_cast<EffectLog&>(*jsonLog) : nullLog;

  // The scenario is read whole before anything runs: a wrong line stops the start (and is logged).
  Scenario scenario;
  if (options.scenario) {
    std::ifstream in(*options.scenario, std::ios::binary);
    if (!in) return fail("cannot read the scenario file \"" + *options.scenario + "\"");
    std::ostringstream content;
    content << in.rdbuf();
    auto parsed = Scenario::Parse(content.str());
    if (const auto* error = std::get_if<ScenarioError>(&parsed)) {
      log.Record("scenario_error",
                 {{"line", static_cast<std::int64_t>(error->line)}, {"message", error->message}});
      return fail(*options.scenario + " line " + std::to_string(error->line) + ": " + error->message);
    }
    scenario = std::get<Scenario>(std::move(parsed));
  }

  // Made before the application and removed after it.
  const std::unique_ptr<RuntimeFolder> runtimeFolder =
      QCoreApplication::instance() == nullptr ? RuntimeFolder::ProvideIfMissing() : nullptr;
  const std::unique_ptr<QApplication> application =
      MakeApplication(argc > 0 ? argv[0] : "vexa", options.headless, platformName);
  std::optional<QtFontWarmUp> fontWarmUp;
  if (application != nullptr) fontWarmUp.emplace();

  // The device.
  PosixFileSystem hostFiles(location->hostRoot);
  LoggingFileSystem files(hostFiles, log);
  DeviceLocale locale(langId);
  // The device registry, kept in a file of the device tree in both modes; every change is logged.
  FileRegistry fileRegistry(files, locale.AnsiCodePage());
  LoggingRegistry registry(fileRegistry, log);
  // Day and month names: the host's locale data on a desktop, fixed tables of the same texts headless.
  std::unique_ptr<LocaleNames> localeNames;
  if (options.headless) {
    localeNames = std::make_unique<FixedLocaleNames>(locale.UserDefaultLangId());
  } else {
    localeNames = std::make_unique<QtLocaleNames>(locale.UserDefaultLangId());
  }
  Shell shell(files, locale);
  std::unique_ptr<Processes> hostProcesses;
  if (options.headless) {
    hostProcesses = std::make_unique<RecordingProcesses>(hostFiles);
  } else {
    hostProcesses = std::make_unique<PosixProcesses>(hostFiles);
  }
  LoggingProcesses processes(*hostProcesses, log);

  // Headless serial ports, worker threads and the clock setter: the lines the scenario feeds (those
  // its serial actions name, and --port COMn:=script), workers in step with virtual time, and the
  // virtual clock's wall time.
  std::unique_ptr<ScriptedSerialPorts> scriptedPorts;
  std::unique_ptr<LoggingSerialPorts> headlessPorts;
  std::unique_ptr<VirtualThreads> virtualThreads;
  std::unique_ptr<LoggingClockSetter> headlessClockSetter;
  if (options.headless) {
    scriptedPorts = std::make_unique<ScriptedSerialPorts>(*virtualClock, log);
    for (const int port : scenario.SerialPorts()) scriptedPorts->AddPort(port);
    for (const int port :
         ScriptedSerialPorts::ScriptedPortsFromArguments(argc, argv, Environment("VEXA_PORTS"))) {
      scriptedPorts->AddPort(port);
    }
    headlessPorts = std::make_unique<LoggingSerialPorts>(*scriptedPorts, log);
    virtualThreads = std::make_unique<VirtualThreads>(*virtualClock);
    headlessClockSetter = std::make_unique<LoggingClockSetter>(*virtualClock, log);
    // What a worker posted is handled at the virtual moment it ran.
    virtualClock->SetHostEvents([] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
  }

  // Loops and timers.
  std::unique_ptr<QtTimerService> realTimers;
  std::unique_ptr<QtEventPump> realPump;
  std::unique_ptr<ScenarioPump> scenarioPump;
  if (options.headless) {
    scenarioPump = std::make_unique<ScenarioPump>(std::move(scenario), *virtualClock, log, std::cerr);
    scenarioPump->SetHostEvents([] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    std::string scenarioFolder;
    if (options.scenario) scenarioFolder = std::filesystem::path(*options.scenario).parent_path().string();
    scenarioPump->SetSerialPorts(scriptedPorts.get(), scenarioFolder);
  } else {
    realTimers = std::make_unique<QtTimerService>();
    realPump = std::make_unique<QtEventPump>();
  }
  ui::TimerService& timers = virtualClock ? static_cast<ui::TimerService&>(*virtualClock) : *realTimers;
  ui::EventPump& pump = scenarioPump ? static_cast<ui::EventPump&>(*scenarioPump) : *realPump;

  // Windows and what goes with them.
  QtUserInterface ui(timers, pump, log, options.screen);
  QtResources resources(ResourceSetOf(info));
  ui.SetResources(&resources);
  QtAutomation automation(ui);
  if (scenarioPump) scenarioPump->SetAutomation(&automation);
  QtControlFonts controlFonts(ui);
  QtPictureDecoder pictures(hostFiles);
  QtFontRegistry hostFonts(hostFiles);
  LoggingFontRegistry fonts(hostFonts, log);
  QtTextRenderer textRenderer;

  std::unique_ptr<ScenarioDialogs> scenarioDialogs;
  std::unique_ptr<QtMessageBoxes> qtMessageBoxes;
  std::unique_ptr<QtCommonDialogs> qtDialogs;
  std::unique_ptr<QtFolderPicker> qtFolderPicker;
  MessageBoxes* messageBoxes = nullptr;
  ui::CommonDialogs* dialogs = nullptr;
  FolderPicker* folderPicker = nullptr;
  if (scenarioPump) {
    scenarioDialogs = std::make_unique<ScenarioDialogs>(*scenarioPump, log);
    messageBoxes = scenarioDialogs.get();
    dialogs = scenarioDialogs.get();
    folderPicker = scenarioDialogs.get();
  } else {
    qtMessageBoxes = std::make_unique<QtMessageBoxes>(ui, log);
    qtDialogs = std::make_unique<QtCommonDialogs>(ui, hostFiles, log);
    qtFolderPicker = std::make_unique<QtFolderPicker>(ui, hostFiles, log);
    messageBoxes = qtMessageBoxes.get();
    dialogs = qtDialogs.get();
    folderPicker = qtFolderPicker.get();
  }

  std::unique_ptr<ui::Sound> hostSound;
  if (options.headless) {
    hostSound = std::make_unique<SilentSound>(hostFiles);
  } else {
    hostSound = std::make_unique<AlsaSound>(hostFiles);
  }
  LoggingSound sound(*hostSound, log);

  // The window list: the X server's when there is one, else this program's own windows.
  // The display's list logs through a decorator; the in-process one logs by itself.
  std::unique_ptr<ui::WindowList> displayWindows;
  std::unique_ptr<ui::WindowList> windowList;
  if (!options.headless && HasVariable("DISPLAY") && platformName != "wayland") {
    auto x11 = X11WindowList::Open();
    if (x11) {
      ui.SetNativeWindowHook([list = x11.get()](std::uint64_t nativeId, const std::u16string& className) {
        list->PrepareWindow(nativeId, className);
      });
    }
    displayWindows = std::move(x11);
  }
  if (displayWindows) {
    windowList = std::make_unique<LoggingWindowList>(*displayWindows, log);
  } else {
    auto inProcess = std::make_unique<InProcessWindowList>(ui, log);
    // The scenario's window actions put other programs' windows into this list.
    if (scenarioPump) scenarioPump->SetForeignWindows(inProcess.get(), &pictures);
    windowList = std::move(inProcess);
  }

  Platform platform{
      files, processes, *messageBoxes, locale, shell, location->devicePath, options.device.CommandLine()};
  platform.folderPicker = folderPicker;
  platform.controlFonts = &controlFonts;
  platform.ui = &ui;
  platform.dialogs = dialogs;
  platform.pictures = &pictures;
  platform.fonts = &fonts;
  platform.text = &textRenderer;
  platform.resources = &resources;
  platform.sound = &sound;
  platform.windowList = windowList.get();
  platform.clock = &clock;
  platform.log = &log;
  platform.localeNames = localeNames.get();
  platform.registry = &registry;
  if (options.headless) {
    platform.serialPorts = headlessPorts.get();
    platform.threads = virtualThreads.get();
    platform.clockSetter = headlessClockSetter.get();
  }

  // Desktop: the serial ports the options map, real threads, and the device clock kept in the
  // device tree (or, with --host-clock, the host's own clock).
  std::unique_ptr<HostSerialPorts> hostPorts;
  std::unique_ptr<PosixThreads> hostThreads;
  std::unique_ptr<HostClockSetter> hostClock;
  std::unique_ptr<LoggingSerialPorts> loggedHostPorts;
  std::unique_ptr<LoggingClockSetter> loggedHostClock;
  if (!options.headless) {
    hostPorts = std::make_unique<HostSerialPorts>(options.ports, name, std::cerr);
    hostThreads = std::make_unique<PosixThreads>();
    loggedHostPorts = std::make_unique<LoggingSerialPorts>(*hostPorts, log);
    platform.serialPorts = loggedHostPorts.get();
    platform.threads = hostThreads.get();
    ClockSetter* setter = &systemClock;
    if (options.hostClock) {
      hostClock = std::make_unique<HostClockSetter>(name, std::cerr);
      setter = hostClock.get();
    } else {
      systemClock.FollowDeviceClock(files);
    }
    loggedHostClock = std::make_unique<LoggingClockSetter>(*setter, log);
    platform.clockSetter = loggedHostClock.get();
  }

  // The file watcher: the scenario's file-changed actions headless, inotify on a desktop. The program
  // sees it only when asked to follow its skin.
  std::unique_ptr<ScriptedFileWatcher> scriptedWatcher;
  std::unique_ptr<InotifyFileWatcher> inotifyWatcher;
  if (scenarioPump) {
    scriptedWatcher = std::make_unique<ScriptedFileWatcher>(log);
    scenarioPump->SetFileWatcher(scriptedWatcher.get(), &files);
    if (options.watchSkin) platform.fileWatcher = scriptedWatcher.get();
  } else if (options.watchSkin) {
    inotifyWatcher = std::make_unique<InotifyFileWatcher>(hostFiles);
    platform.fileWatcher = inotifyWatcher.get();
  }

  int exitCode = main(platform, ui);
  if (exitCode == 0) exitCode = ui.exitCode();
  if (scenarioPump && scenarioPump->exitCode() != 0) exitCode = scenarioPump->exitCode();
  return exitCode;
}

}  // namespace vexa::platform
