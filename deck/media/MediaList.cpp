#include "deck/media/MediaList.h"

#include <algorithm>
#include <array>

#include "common/text/Text.h"
#include "deck/DialogLayout.h"
#include "deck/media/MediaListModel.h"

namespace vexa::deck {

namespace {

using platform::ui::CheckState;
using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

// Rows 0 to 9 are the left column, 10 to 19 the right one. Save and Return are the dialog's OK and
// Cancel buttons.
enum : int {
  kFirstRow = 1001,
  kLastRow = kFirstRow + MediaListModel::kRowsPerPage - 1,
  kPageLabel = 1021,
  kAdd = 1022,
  kDel = 1023,
  kPrev = 1024,
  kNext = 1025,
  kSave = kIdOk,
  kReturn = kIdCancel,
};
constexpr int kRowsPerColumn = MediaListModel::kRowsPerPage / 2;

std::u16string_view TitleOf(MediaMode mode) { return mode == MediaMode::kMusic ? u"MP3" : u"MOVIE"; }

// Laid out for the small font on the room the screen leaves (at most 470 × 244), then grown for the
// large font, so that the grown window still fits a 640 × 480 screen.
platform::ui::WindowTemplate MediaListTemplate(MediaMode mode, gfx::Size screen) {
  const bool large = UsesLargeFont(screen);
  const int room = large ? screen.width * 2 / 3 : screen.width;
  const int roomHeight = large ? screen.height * 2 / 3 : screen.height;
  const int width = std::clamp(room - 6, 240, 470);
  const int height = std::clamp(roomHeight - 28, 160, 244);

  platform::ui::WindowTemplate tmpl;
  tmpl.title = std::u16string(TitleOf(mode));
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = Centred(screen, width, height);

  constexpr int margin = 4;
  constexpr int gap = 4;
  constexpr int buttonHeight = 30;
  const int rowHeight = (height - 2 * margin - buttonHeight - gap) / kRowsPerColumn;
  const int columnWidth = (width - 3 * margin) / 2;
  for (int row = 0; row < MediaListModel::kRowsPerPage; ++row) {
    const int column = row / kRowsPerColumn;
    tmpl.controls.push_back({kFirstRow + row, ControlKind::kCheckBox,
                             gfx::Rect::FromSize(margin + column * (columnWidth + margin),
                                                 margin + (row % kRowsPerColumn) * rowHeight, columnWidth,
                                                 rowHeight - 1),
                             u"", platform::ui::kHidden});
  }

  // Add Del Prev 1/3 Next Save Return
  const int top = height - margin - buttonHeight;
  const int labelWidth = 48;
  const int buttonWidth = (width - 2 * margin - labelWidth - 6 * gap) / 6;
  int left = margin;
  auto button = [&](int id, std::u16string caption, ControlKind kind = ControlKind::kPushButton) {
    tmpl.controls.push_back({id, kind, gfx::Rect::FromSize(left, top, buttonWidth, buttonHeight),
                             std::move(caption), platform::ui::kStyleNone});
    left += buttonWidth + gap;
  };
  button(kAdd, u"Add");
  button(kDel, u"Del");
  button(kPrev, u"Prev");
  tmpl.controls.push_back({kPageLabel, ControlKind::kStatic, gfx::Rect::FromSize(left, top, labelWidth, buttonHeight),
                           u"", platform::ui::kAlignCenter});
  left += labelWidth + gap;
  button(kNext, u"Next");
  button(kSave, u"Save", ControlKind::kDefaultPushButton);
  button(kReturn, u"Return");
  ScaleForLargeFont(tmpl, screen);
  return tmpl;
}

class MediaListWindow : public platform::ui::WindowHandler {
 public:
  MediaListWindow(Environment& env, const platform::ui::WindowTemplate& tmpl, gfx::Size screen, MediaListModel& list)
      : env_(env), tmpl_(tmpl), screen_(screen), list_(list) {}

  void OnInit(Window& window) override {
    ApplyLargeFont(env_, window, tmpl_, screen_);
    list_.Fill(env_.platform().files);
    ShowPage(window);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    if (id >= kFirstRow && id <= kLastRow) {
      // A file row's box has flipped itself; a folder row is walked into.
      TakeTicks(window);
      const int row = id - kFirstRow;
      const MediaEntry* entry = list_.RowEntry(row);
      if (entry != nullptr && entry->folder && list_.Tap(row) == MediaTap::kFolderChanged) {
        list_.Fill(env_.platform().files);
      }
      ShowPage(window);
      return;
    }
    switch (id) {
      case kAdd:
      case kDel:
        list_.TickAll(id == kAdd);
        ShowPage(window);
        break;
      case kPrev:
      case kNext:
        TakeTicks(window);
        if (id == kPrev) {
          list_.PreviousPage();
        } else {
          list_.NextPage();
        }
        ShowPage(window);
        break;
      case kSave:
        TakeTicks(window);
        if (SavePlaylistAndPlay(env_, window.handle(), list_)) window.EndModal(1);
        break;
      case kReturn:
        window.EndModal(0);
        break;
      default:
        break;
    }
  }

 private:
  void TakeTicks(Window& window) {
    std::array<bool, MediaListModel::kRowsPerPage> shown{};
    for (int row = 0; row < MediaListModel::kRowsPerPage; ++row) {
      shown[static_cast<std::size_t>(row)] = window.GetCheck(kFirstRow + row) == CheckState::kChecked;
    }
    list_.TakeTicks(shown);
  }

  // Folder rows read "[name]" and never show a tick; rows past the last entry are hidden.
  void ShowPage(Window& window) {
    for (int row = 0; row < MediaListModel::kRowsPerPage; ++row) {
      const int id = kFirstRow + row;
      const MediaEntry* entry = list_.RowEntry(row);
      if (entry == nullptr) {
        window.ShowControl(id, false);
        window.SetText(id, u"");
        window.SetCheck(id, CheckState::kUnchecked);
        continue;
      }
      window.SetText(id, entry->folder ? u"[" + entry->name + u"]" : entry->name);
      window.SetCheck(id, entry->ticked ? CheckState::kChecked : CheckState::kUnchecked);
      window.ShowControl(id, true);
    }
    window.SetText(kPageLabel, text::FromInt(list_.page() + 1) + u"/" + text::FromInt(list_.pageCount()));
  }

  Environment& env_;
  const platform::ui::WindowTemplate& tmpl_;
  gfx::Size screen_;
  MediaListModel& list_;
};

}  // namespace

void RunMediaList(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner, MediaMode mode,
                  std::u16string_view folder) {
  const auto screen = ui.ScreenSize();
  const auto tmpl = MediaListTemplate(mode, screen);
  // The folder setting may name the card by the token: "\%STORAGE%\음악파일".
  MediaListModel list(mode, env.ExpandStorage(folder));
  MediaListWindow window(env, tmpl, screen, list);
  ui.RunModal(tmpl, window, owner);
}

}  // namespace vexa::deck
