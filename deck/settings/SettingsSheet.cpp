#include "deck/settings/SettingsSheet.h"

#include <algorithm>
#include <array>
#include <memory>

#include "deck/DeckSettings.h"
#include "deck/DialogLayout.h"
#include "deck/settings/SettingsPages.h"

namespace vexa::deck {

namespace {

using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;
using platform::ui::WindowTemplate;

enum : int { kTabs = 1001 };

// Laid out for the small font; ScaleForLargeFont makes it 630 × 339 on screens of 640 × 480 and up.
// Small screens get the extra width they have, so that the eight tabs fit on one row; the height
// leaves room for the caption bar above it on a 272-pixel screen.
constexpr int kWidth = 420;
constexpr int kSmallScreenWidth = 470;
constexpr int kHeight = 226;
constexpr int kSmallTabFont = 10;
constexpr int kLargeTabFont = 17;

WindowTemplate SheetTemplate(gfx::Size screen) {
  const int width = UsesLargeFont(screen) ? kWidth : std::min(kSmallScreenWidth, screen.width);
  WindowTemplate tmpl;
  tmpl.title = u"Vexa Deck Setup";
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = Centred(screen, width, kHeight);
  tmpl.controls = {
      {kTabs, ControlKind::kTab, {4, 4, width - 4, 194}, u"", 0},
      {kIdOk, ControlKind::kDefaultPushButton, {width - 204, 198, width - 108, 223}, u"Save", 0},
      {kIdCancel, ControlKind::kPushButton, {width - 100, 198, width - 4, 223}, u"Cancel", 0},
  };
  ScaleForLargeFont(tmpl, screen);
  return tmpl;
}

// The tab labels; the first and "GPS" read the same in both languages.
constexpr std::array<const char16_t*, kSettingsPageCount> kEnglishTabs = {
    u"VexaDeck", u"Main", u"Exec", u"Folder", u"Resolution", u"Skin", u"GPS", u"Etc"};
constexpr std::array<const char16_t*, kSettingsPageCount> kKoreanTabs = {
    u"VexaDeck", u"기본", u"실행", u"폴더", u"해상도", u"스킨", u"GPS", u"기타"};

// The order in which Save stores the pages.
constexpr SettingsPageKind kStoreOrder[] = {SettingsPageKind::kMain,       SettingsPageKind::kExec,
                                            SettingsPageKind::kFolder,     SettingsPageKind::kResolution,
                                            SettingsPageKind::kSkin,       SettingsPageKind::kGps,
                                            SettingsPageKind::kEtc};

class SettingsSheet : public platform::ui::WindowHandler {
 public:
  SettingsSheet(Environment& env, platform::ui::UserInterface& ui, const WindowTemplate& tmpl,
                const SettingsSheetOptions& options)
      : env_(env), settings_(env), tmpl_(tmpl), options_(options), context_{env, settings_, ui, ui.ScreenSize()} {}

  SettingsOutcome outcome() const { return outcome_; }

  void OnInit(Window& window) override {
    context_.sheet = &window;
    ApplyLargeFont(env_, window, tmpl_, context_.screen);
    // Eight labels share one row: they get a lighter, smaller face than the controls, so every tab
    // shows whole without scrolling.
    env_.SetControlFont({window.handle(), kTabs}, UsesLargeFont(context_.screen) ? kLargeTabFont : kSmallTabFont, 400);
    const auto& labels = env_.KoreanUi() ? kKoreanTabs : kEnglishTabs;
    for (const char16_t* label : labels) window.AddItem(kTabs, label);
    const auto area = window.TabPageArea(kTabs);
    for (int i = 0; i < kSettingsPageCount; ++i) {
      auto& slot = pages_[static_cast<std::size_t>(i)];
      slot.handler = MakeSettingsPage(static_cast<SettingsPageKind>(i), context_);
      auto page = slot.handler->Template();
      page.rect = area;
      ScaleForLargeFontInPlace(page);
      slot.window = &context_.ui.CreateChild(window, page, *slot.handler);
      ApplyLargeFont(env_, *slot.window, page, context_.screen);
      slot.window->Show(false);
    }
    const int first = static_cast<int>(options_.firstPage);
    window.Select(kTabs, first);
    ShowPage(first);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (id == kTabs && notification == Notification::kSelectionChanged) {
      ShowPage(window.Selection(kTabs));
      return;
    }
    if (notification != Notification::kClicked) return;
    if (id == kIdCancel) window.EndModal(0);
    if (id == kIdOk) Save(window);
  }

 private:
  struct Page {
    std::unique_ptr<SettingsPage> handler;
    Window* window = nullptr;
  };

  Page& PageOf(SettingsPageKind kind) { return pages_[static_cast<std::size_t>(kind)]; }

  // The pages share the dialog's scale: half as large again where the dialog uses the large font.
  void ScaleForLargeFontInPlace(WindowTemplate& page) const {
    if (!UsesLargeFont(context_.screen)) return;
    for (auto& control : page.controls) {
      auto& r = control.rect;
      r = {r.left * 3 / 2, r.top * 3 / 2, r.right * 3 / 2, r.bottom * 3 / 2};
    }
  }

  void ShowPage(int index) {
    if (index < 0 || index >= kSettingsPageCount) return;
    for (int i = 0; i < kSettingsPageCount; ++i) {
      if (auto* page = pages_[static_cast<std::size_t>(i)].window) page->Show(i == index);
    }
  }

  void Save(Window& window) {
    auto& resolution = PageOf(SettingsPageKind::kResolution);
    if (!CheckResolutionPage(*resolution.handler, *resolution.window)) return;
    for (SettingsPageKind kind : kStoreOrder) {
      auto& page = PageOf(kind);
      page.handler->Store(*page.window);
    }
    // A file that cannot be written is reported by the store; the sheet closes all the same, and the
    // launcher goes on with what was stored.
    settings_.Save(window.handle());
    outcome_.saved = true;
    outcome_.editSkin = SkinEditRequested(*PageOf(SettingsPageKind::kSkin).window);
    window.EndModal(1);
  }

  Environment& env_;
  DeckSettings settings_;
  const WindowTemplate& tmpl_;
  SettingsSheetOptions options_;
  SettingsContext context_;
  std::array<Page, kSettingsPageCount> pages_;
  SettingsOutcome outcome_;
};

}  // namespace

SettingsOutcome RunSettingsSheet(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                                 const SettingsSheetOptions& options) {
  const auto tmpl = SheetTemplate(ui.ScreenSize());
  SettingsSheet sheet(env, ui, tmpl, options);
  ui.RunModal(tmpl, sheet, owner);
  return sheet.outcome();
}

}  // namespace vexa::deck
