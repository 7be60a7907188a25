#include "deck/pictures/PictureShow.h"

#include "deck/pictures/PictureLoader.h"

namespace vexa::deck {

void PictureShow::SetSkin(PictureSkin skin) {
  skin_ = std::move(skin);
  nextPlace_ = 0;
}

std::u16string PictureShow::PictureFolder() const {
  return env_.ExpandStorage(env_.mainSettings().GetString(u"Folder", u"Image", u""));
}

void PictureShow::Scan() { lists_.Scan(env_.platform().files, skin_.root + skin_.name, skin_.root, PictureFolder()); }

void PictureShow::StepBackground(bool next) {
  const auto last = env_.skin().GetString(u"Background", u"LastImageFile", u"");
  if (auto name = StepThrough(lists_.backgrounds, last, next)) ShowBackground(*name);
}

void PictureShow::StepPicture(bool next) {
  const auto last = env_.skin().GetString(u"Picture", u"LastImageFile", u"");
  if (auto name = StepThrough(lists_.pictures, last, next)) ShowPicture(*name);
}

std::u16string PictureShow::BackgroundPath(std::u16string_view name) const {
  if (!name.empty() && name.front() == u'+') return skin_.root + u"_Common\\background\\" + std::u16string(name.substr(1));
  return skin_.root + skin_.name + u"\\background\\" + std::u16string(name);
}

bool PictureShow::LoadBackground(std::u16string_view name) {
  const bool loaded = LoadPicture(env_.platform().pictures, BackgroundPath(name), skin_.screen, background_);
  StretchToSize(background_, skin_.screen);
  host_.BackgroundChanged();
  return loaded;
}

void PictureShow::Remember(std::u16string_view section, std::u16string_view name) {
  env_.skin().SetString(section, u"LastImageFile", name);
  if (!skin_.file.empty()) env_.skin().Save(host_.Owner(), skin_.file);
}

void PictureShow::ShowBackground(std::u16string_view name) {
  host_.StopAutoChange();
  LoadBackground(name);
  Remember(u"Background", name);
  host_.RestartAutoChange();
}

bool PictureShow::PreviewBackground(std::u16string_view name) { return LoadBackground(name); }

void PictureShow::ShowPicture(std::u16string_view name) {
  // The next place the skin defines, from where the last picture went, wrapping after the sixth.
  std::optional<int> place;
  for (std::size_t step = 0; step < skin_.places.size() && !place; ++step) {
    const std::size_t index = (nextPlace_ + step) % skin_.places.size();
    if (skin_.places[index]) {
      place = skin_.places[index];
      nextPlace_ = (index + 1) % skin_.places.size();
    }
  }
  // A skin without picture places shows nothing, and its automatic background change keeps running.
  if (!place) return;
  host_.StopAutoChange();
  gfx::Bitmap picture;
  if (LoadPicture(env_.platform().pictures, PictureFolder() + u"\\" + std::u16string(name), skin_.screen, picture)) {
    host_.ShowInPlace(*place, std::make_shared<const gfx::Bitmap>(std::move(picture)));
  }
  Remember(u"Picture", name);
  host_.RestartAutoChange();
}

}  // namespace vexa::deck
