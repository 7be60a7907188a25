#include "xrun/RunnerConfigDialog.h"

#include <array>
#include <optional>
#include <string>

#include "common/ProfileStore.h"
#include "common/text/Text.h"
#include "xrun/SlotWriter.h"

namespace vexa::xrun {

namespace {

using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

enum : int {
  kIdOk = 1,
  kIdCancel = 2,
  kFirstEdit = 1000,    // 1000 to 1005: Reg 1 to Run 3
  kFirstBrowse = 1006,  // 1006 to 1011
  kFirstClear = 1012,   // 1012 to 1017
  kFirstToggle = 1021,  // 1021 to 1023: Run 1 to Run 3
  kFirstLabel = 1030,   // 1030 to 1035
};
constexpr int kRows = 6;
constexpr int kRegRows = 3;

constexpr std::array<std::u16string_view, kRows> kRowLabels = {u"Reg 1:", u"Reg 2:", u"Reg 3:",
                                                               u"Run 1:", u"Run 2:", u"Run 3:"};

// One row a slot: its label, the field, on Run rows the "%s" button, then "..." and "X". The Run
// fields are narrower to make room for "%s".
//
//   Reg 1: [                          ] [...] [X]
//   Run 1: [                    ] [%s] [...] [X]
platform::ui::WindowTemplate ConfigTemplate(gfx::Size screen) {
  constexpr int kWidth = 330;
  constexpr int kHeight = 232;
  platform::ui::WindowTemplate tmpl;
  tmpl.title = u"Vexa XRun 1.0a Config";
  tmpl.style = platform::ui::kCaption;
  tmpl.rect =
      gfx::Rect::FromSize((screen.width - kWidth) / 2, (screen.height - kHeight) / 2, kWidth, kHeight);
  for (int row = 0; row < kRows; ++row) {
    const int top = 8 + row * 31;
    const int bottom = top + 26;
    const bool run = row >= kRegRows;
    tmpl.controls.push_back({kFirstLabel + row,
                             ControlKind::kStatic,
                             {6, top + 4, 58, bottom},
                             std::u16string(kRowLabels[row]),
                             platform::ui::kStyleNone});
    tmpl.controls.push_back({kFirstEdit + row,
                             ControlKind::kEdit,
                             {60, top, run ? 210 : 248, bottom},
                             u"",
                             platform::ui::kStyleNone});
    if (run) {
      tmpl.controls.push_back({kFirstToggle + row - kRegRows,
                               ControlKind::kPushButton,
                               {213, top, 248, bottom},
                               u"%s",
                               platform::ui::kStyleNone});
    }
    tmpl.controls.push_back({kFirstBrowse + row,
                             ControlKind::kPushButton,
                             {252, top, 288, bottom},
                             u"...",
                             platform::ui::kStyleNone});
    tmpl.controls.push_back({kFirstClear + row,
                             ControlKind::kPushButton,
                             {292, top, 324, bottom},
                             u"X",
                             platform::ui::kStyleNone});
  }
  tmpl.controls.push_back(
      {kIdOk, ControlKind::kDefaultPushButton, {60, 196, 160, 226}, u"OK", platform::ui::kStyleNone});
  tmpl.controls.push_back(
      {kIdCancel, ControlKind::kPushButton, {170, 196, 270, 226}, u"Cancel", platform::ui::kStyleNone});
  return tmpl;
}

class RunnerConfigDialog : public platform::ui::WindowHandler {
 public:
  RunnerConfigDialog(Environment& env, std::u16string_view target, const RunnerServices& services)
      : env_(env), target_(target), services_(services) {}

  bool saved() const { return saved_; }

  void OnInit(Window& window) override {
    window.SetTitle(u"Vexa XRun 1.0a Config");
    image_ = LoadTarget(env_.platform(), window.handle(), target_);
    if (!image_) {
      window.EndModal(0);
      return;
    }
    for (int row = 0; row < kRows; ++row) {
      const SlotText slot = services_.readSlot(kFirstSlot + row);
      if (!slot.text.empty()) window.SetText(kFirstEdit + row, slot.text);
    }
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    if (id == kIdOk) return Save(window);
    if (id == kIdCancel) return Close(window);
    if (id >= kFirstBrowse && id < kFirstBrowse + kRows) return Browse(window, id - kFirstBrowse);
    if (id >= kFirstClear && id < kFirstClear + kRows)
      return window.SetText(kFirstEdit + id - kFirstClear, u"");
    if (id >= kFirstToggle && id < kFirstToggle + kRows - kRegRows) {
      const int edit = kFirstEdit + kRegRows + id - kFirstToggle;
      window.SetText(edit, ToggleArgumentsSuffix(window.GetText(edit)));
    }
  }

  bool OnClose(Window&) override {
    image_.reset();
    return true;
  }

 private:
  void Browse(Window& window, int row) {
    if (env_.platform().dialogs == nullptr) return;
    const auto chosen = env_.platform().dialogs->OpenFile(
        window.handle(), row < kRegRows ? u"Registry file(*.reg)|*.reg" : u"Execute file(*.exe)|*.exe", u"");
    if (!chosen) return;
    platform::MessageBoxRequest question;
    question.owner = window.handle();
    question.text = u"전체 경로를 설정하시겠습니까?\r\n동일 폴더에 없으면 \"예\"를 선택하세요.";
    question.caption = u"알림";
    question.buttons = platform::MessageButtons::kYesNo;
    question.icon = platform::MessageIcon::kQuestion;
    const bool fullPath = env_.platform().messageBoxes.Show(question) == platform::MessageAnswer::kYes;
    window.SetText(kFirstEdit + row, fullPath ? std::u16string_view(*chosen) : FileNameOf(*chosen));
  }

  void Save(Window& window) {
    if (!image_) return;
    // A slot that cannot be written says so; the others are still written and the file saved.
    for (int row = 0; row < kRows; ++row) {
      WriteSlot(env_.platform(), window.handle(), *image_, kFirstSlot + row,
                window.GetText(kFirstEdit + row));
    }
    if (!SaveTarget(env_.platform(), window.handle(), target_, *image_))
      return;  // stays open: OK again or Cancel
    saved_ = true;
    image_.reset();
    window.EndModal(1);
  }

  void Close(Window& window) {
    image_.reset();
    window.EndModal(0);
  }

  Environment& env_;
  std::u16string target_;
  const RunnerServices& services_;
  std::optional<std::string> image_;
  bool saved_ = false;
};

}  // namespace

std::optional<std::u16string> ConfigTargetOf(std::u16string_view commandLine) {
  constexpr std::u16string_view kSwitch = u"CONFIG:";
  if (commandLine.size() < kSwitch.size() ||
      !text::EqualsNoCase(commandLine.substr(0, kSwitch.size()), kSwitch)) {
    return std::nullopt;
  }
  return std::u16string(commandLine.substr(kSwitch.size()));
}

std::u16string ToggleArgumentsSuffix(std::u16string_view field) {
  constexpr std::u16string_view kSuffix = u" %s";
  if (field.empty()) return {};
  if (text::EndsWithNoCase(field, kSuffix))
    return std::u16string(field.substr(0, field.size() - kSuffix.size()));
  return std::u16string(field) + std::u16string(kSuffix);
}

bool RunRunnerConfigDialog(Environment& env, platform::ui::UserInterface& ui, std::u16string_view target,
                           const RunnerServices& services) {
  const auto tmpl = ConfigTemplate(ui.ScreenSize());
  RunnerConfigDialog dialog(env, target, services);
  ui.RunModal(tmpl, dialog, nullptr);
  return dialog.saved();
}

}  // namespace vexa::xrun
