#include "deck/media/MediaListModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "common/text/Text.h"
#include "tests/support/TestDevice.h"

namespace vexa::deck {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestDevice;
using Start = platform::RecordingProcesses::StartRecord;

std::vector<std::u16string> Names(const MediaListModel& list) {
  std::vector<std::u16string> names;
  for (const auto& entry : list.entries()) names.push_back(entry.folder ? u"[" + entry.name + u"]" : entry.name);
  return names;
}

platform::FindEntry File(std::u16string name, bool archive = true) { return {std::move(name), false, archive, 1}; }
platform::FindEntry Folder(std::u16string name) { return {std::move(name), true, false, 0}; }

MediaListModel Listed(MediaMode mode, const std::vector<platform::FindEntry>& listing,
                      std::u16string_view folder = u"\\Storage Card\\Music") {
  MediaListModel list(mode, folder);
  list.FillFrom(listing);
  return list;
}

TEST(MediaListFilling, EachModeListsItsOwnExtensionsWhateverTheirCase) {
  TestDevice device;
  for (const char* name : {"a.mp3", "b.MP3", "c.wma", "x.divx", "y.wm", "z.wmv.txt", "notes.txt", "mp3"}) {
    device.tree.WriteHostFile(std::string("Storage Card/Music/") + name, "x");
  }
  device.tree.MakeDir("Storage Card/Music/Album");

  MediaListModel music(MediaMode::kMusic, u"\\Storage Card\\Music");
  music.Fill(device.files);
  EXPECT_THAT(Names(music), ElementsAre(u"[..]", u"[Album]", u"a.mp3", u"b.MP3"));

  MediaListModel movie(MediaMode::kMovie, u"\\Storage Card\\Music");
  movie.Fill(device.files);
  EXPECT_THAT(Names(movie), ElementsAre(u"[..]", u"[Album]", u"a.mp3", u"b.MP3", u"c.wma", u"x.divx", u"y.wm"));
  // Files come ticked, folders never.
  for (const auto& entry : movie.entries()) EXPECT_EQ(entry.ticked, !entry.folder);
}

TEST(MediaListFilling, OnlyArchivedFilesWithNamesTheDeviceCouldHoldAreListed) {
  const auto list = Listed(MediaMode::kMusic, {File(u"old.mp3", false), File(u"new.mp3"), Folder(u"."),
                                               Folder(u".."), File(u"line\nbreak.mp3"), File(u"a\\b.mp3"),
                                               Folder(u"Sub"), File(u"")});
  EXPECT_THAT(Names(list), ElementsAre(u"[..]", u"[Sub]", u"new.mp3"));
}

TEST(MediaListFilling, TheRootHasNoWayUpAndAMissingFolderOnlyTheWayUp) {
  TestDevice device;
  device.tree.WriteHostFile("top.mp3", "x");
  for (std::u16string_view root : {u"", u"\\"}) {
    MediaListModel list(MediaMode::kMusic, root);
    list.Fill(device.files);
    EXPECT_EQ(list.folder(), u"");
    EXPECT_EQ(list.PlaylistPath(), u"\\playlist.pls");
    const auto names = Names(list);
    EXPECT_THAT(names, ::testing::Not(::testing::Contains(u"[..]")));
    EXPECT_THAT(names, ::testing::Contains(u"top.mp3"));
  }

  MediaListModel missing(MediaMode::kMovie, u"\\Storage Card\\Nowhere\\");
  missing.Fill(device.files);
  EXPECT_THAT(Names(missing), ElementsAre(u"[..]"));
  EXPECT_EQ(missing.PlaylistPath(), u"\\Storage Card\\Nowhere\\playlist.pls");
}

TEST(MediaListFilling, TapsWalkIntoFoldersAndUpToTheRoot) {
  TestDevice device;
  device.tree.WriteHostFile("Storage Card/Music/Album/song.mp3", "x");
  MediaListModel list(MediaMode::kMusic, u"\\Storage Card\\Music");
  list.Fill(device.files);
  ASSERT_THAT(Names(list), ElementsAre(u"[..]", u"[Album]"));

  EXPECT_EQ(list.Tap(1), MediaTap::kFolderChanged);
  list.Fill(device.files);
  EXPECT_EQ(list.folder(), u"\\Storage Card\\Music\\Album");
  EXPECT_THAT(Names(list), ElementsAre(u"[..]", u"song.mp3"));
  EXPECT_EQ(list.Tap(1), MediaTap::kTickFlipped);
  EXPECT_FALSE(list.entries()[1].ticked);
  EXPECT_EQ(list.Tap(2), MediaTap::kNothing);
  EXPECT_EQ(list.Tap(-1), MediaTap::kNothing);
  EXPECT_EQ(list.Tap(99), MediaTap::kNothing);

  for (std::u16string_view expected : {u"\\Storage Card\\Music", u"\\Storage Card", u""}) {
    EXPECT_EQ(list.Tap(0), MediaTap::kFolderChanged);
    list.Fill(device.files);
    EXPECT_EQ(list.folder(), expected);
  }
  EXPECT_THAT(Names(list), ::testing::Not(::testing::Contains(u"[..]")));
}

TEST(MediaListFilling, NoMoreThan256EntriesFoldersFirst) {
  std::vector<platform::FindEntry> listing;
  for (int i = 0; i < 300; ++i) listing.push_back(File(u"f" + text::FromInt(i) + u".mp3"));
  for (int i = 0; i < 10; ++i) listing.push_back(Folder(u"d" + text::FromInt(i)));
  const auto list = Listed(MediaMode::kMusic, listing);
  ASSERT_EQ(list.entries().size(), MediaListModel::kMaxEntries);
  EXPECT_EQ(list.entries()[0].name, u"..");
  EXPECT_EQ(list.entries()[10].name, u"d9");
  EXPECT_EQ(list.entries()[11].name, u"f0.mp3");
  EXPECT_EQ(list.entries().back().name, u"f244.mp3");
  EXPECT_EQ(list.pageCount(), 13);

  std::vector<platform::FindEntry> folders;
  for (int i = 0; i < 300; ++i) folders.push_back(Folder(u"d" + text::FromInt(i)));
  folders.push_back(File(u"late.mp3"));
  EXPECT_EQ(Listed(MediaMode::kMusic, folders).entries().size(), MediaListModel::kMaxEntries);
  EXPECT_EQ(Listed(MediaMode::kMusic, folders).entries().back().name, u"d254");
}

TEST(MediaListPaging, TicksOfThePageShownAreCarriedAcrossPages) {
  std::vector<platform::FindEntry> listing;
  for (int i = 1; i <= 45; ++i) listing.push_back(File(u"t" + text::FromInt(i) + u".mp3"));
  auto list = Listed(MediaMode::kMusic, listing);  // ".." and 45 files: three pages
  EXPECT_EQ(list.pageCount(), 3);
  EXPECT_FALSE(list.PreviousPage());

  list.TakeTicks({});  // nothing shown, nothing changed
  EXPECT_TRUE(list.entries()[1].ticked);
  bool firstPage[20];
  std::fill(std::begin(firstPage), std::end(firstPage), true);
  firstPage[0] = true;   // "..": a folder row keeps no tick
  firstPage[1] = false;  // t1
  list.TakeTicks(firstPage);
  EXPECT_FALSE(list.entries()[0].ticked);
  EXPECT_FALSE(list.entries()[1].ticked);

  ASSERT_TRUE(list.NextPage());
  EXPECT_EQ(list.RowEntry(0)->name, u"t20.mp3");
  bool secondPage[20];
  std::fill(std::begin(secondPage), std::end(secondPage), true);
  secondPage[19] = false;  // t39
  list.TakeTicks(secondPage);
  ASSERT_TRUE(list.NextPage());
  EXPECT_EQ(list.RowEntry(5)->name, u"t45.mp3");
  EXPECT_EQ(list.RowEntry(6), nullptr);
  bool lastPage[20] = {false, false};  // t40, t41 unticked; rows past the end are ignored
  std::fill(std::begin(lastPage) + 2, std::end(lastPage), true);
  list.TakeTicks(lastPage);
  EXPECT_FALSE(list.NextPage());
  ASSERT_TRUE(list.PreviousPage());

  const auto ticked = list.TickedNames();
  EXPECT_EQ(ticked.size(), 41u);
  for (std::u16string_view gone : {u"t1.mp3", u"t39.mp3", u"t40.mp3", u"t41.mp3"}) {
    EXPECT_THAT(ticked, ::testing::Not(::testing::Contains(std::u16string(gone))));
  }
  EXPECT_EQ(ticked.front(), u"t2.mp3");
  EXPECT_EQ(ticked.back(), u"t45.mp3");

  list.TickAll(false);
  EXPECT_THAT(list.TickedNames(), IsEmpty());
  list.TickAll(true);
  EXPECT_EQ(list.TickedNames().size(), 45u);
  EXPECT_FALSE(list.entries()[0].ticked);
}

TEST(MediaListPaging, TwentyEntriesMakeOnePageAndARefillStartsAtTheFirst) {
  std::vector<platform::FindEntry> listing;
  for (int i = 0; i < 19; ++i) listing.push_back(File(u"s" + text::FromInt(i) + u".mp3"));
  auto list = Listed(MediaMode::kMusic, listing);
  EXPECT_EQ(list.entries().size(), 20u);
  EXPECT_EQ(list.pageCount(), 1);
  EXPECT_FALSE(list.NextPage());

  listing.push_back(File(u"s19.mp3"));
  list.FillFrom(listing);
  EXPECT_TRUE(list.NextPage());
  EXPECT_EQ(list.RowEntry(0)->name, u"s19.mp3");
  list.FillFrom(listing);
  EXPECT_EQ(list.page(), 0);
}

// Saving and playing, on a device whose music folder holds three songs.
class MediaListSave : public ::testing::Test {
 protected:
  explicit MediaListSave(std::uint16_t lang = platform::kLangEnglishUs)
      : device(u"\\Storage Card\\VexaDeck\\VexaDeck.exe", lang), env(device.platform) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) device.tree.WriteHostFile(std::string("Storage Card/Music/") + name, "x");
    device.tree.WriteHostFile("Storage Card/Players/mp3.exe", "");
    device.tree.MakeDir("Storage Card/Players/movie.exe");  // exists, but cannot be started
    list.Fill(device.files);
  }

  bool Play() { return SavePlaylistAndPlay(env, platform::kNoWindow, list); }
  bool PlaylistWritten() const { return device.tree.HostExists("Storage Card/Music/playlist.pls"); }

  TestDevice device;
  Environment env;
  MediaListModel list{MediaMode::kMusic, u"\\Storage Card\\Music"};
};

TEST_F(MediaListSave, ThePlaylistNamesTheTickedFilesInOrderAndThePlayerGetsItsQuotedPath) {
  env.mainSettings().SetString(u"Program", u"MP3Player", u"\\%STORAGE%\\Players\\mp3.exe");
  list.Tap(2);  // b.mp3 unticked
  ASSERT_TRUE(Play());
  EXPECT_EQ(device.tree.ReadHostFile("Storage Card/Music/playlist.pls"),
            "[PlayList]\r\nFile1=a.mp3\r\nFile2=c.mp3\r\nNumberOfEntries=2\r\nVersion=2\r\n");
  // The token is resolved for the start as for any other stored program path.
  EXPECT_THAT(device.processes.started(),
              ElementsAre(Start{u"\\Storage Card\\Players\\mp3.exe", u"\"\\Storage Card\\Music\\playlist.pls\"", true}));
  EXPECT_THAT(device.Boxes(), IsEmpty());
}

TEST_F(MediaListSave, NothingTickedWarnsAndWritesNothing) {
  env.mainSettings().SetString(u"Program", u"MP3Player", u"\\Storage Card\\Players\\mp3.exe");
  list.TickAll(false);
  EXPECT_FALSE(Play());
  EXPECT_FALSE(PlaylistWritten());
  EXPECT_THAT(device.processes.started(), IsEmpty());
  ASSERT_EQ(device.messageBoxes.shown().size(), 1u);
  EXPECT_EQ(device.messageBoxes.shown()[0].request.icon, platform::MessageIcon::kExclamation);
}

TEST_F(MediaListSave, AMissingPlayerIsReportedAndNothingStarts) {
  EXPECT_FALSE(Play());  // no MP3Player at all
  env.mainSettings().SetString(u"Program", u"MP3Player", u"\\%STORAGE%\\Players\\gone.exe");
  EXPECT_FALSE(Play());
  EXPECT_THAT(device.Boxes(), ElementsAre(u"Information|Choose the MP3 player path from the config window.",
                                          u"Information|Choose the MP3 player path from the config window."));
  EXPECT_EQ(device.messageBoxes.shown()[0].request.icon, platform::MessageIcon::kExclamation);
  EXPECT_THAT(device.processes.started(), IsEmpty());
}

TEST_F(MediaListSave, APlayerThatCannotStartIsReportedLikeAnyFailedLaunch) {
  MediaListModel movies(MediaMode::kMovie, u"\\Storage Card\\Music");
  movies.Fill(device.files);
  env.mainSettings().SetString(u"Program", u"MoviePlayer", u"\\%STORAGE%\\Players\\movie.exe");
  EXPECT_FALSE(SavePlaylistAndPlay(env, platform::kNoWindow, movies));
  EXPECT_THAT(device.Boxes(), ElementsAre(u"Error|\\Storage Card\\Players\\movie.exe cant be executed"));

  env.mainSettings().SetString(u"Program", u"MoviePlayer", u"\\Storage Card\\Players\\mp3.exe");
  device.processes.FailStartsOf(u"\\Storage Card\\Players\\mp3.exe");
  EXPECT_FALSE(SavePlaylistAndPlay(env, platform::kNoWindow, movies));
  EXPECT_EQ(device.Boxes().back(), u"Error|\\Storage Card\\Players\\mp3.exe cant be executed");
}

TEST_F(MediaListSave, APlaylistThatCannotBeWrittenStopsBeforeThePlayer) {
  env.mainSettings().SetString(u"Program", u"MP3Player", u"\\Storage Card\\Players\\mp3.exe");
  device.tree.MakeDir("Storage Card/Music/playlist.pls");  // a folder stands where the file goes
  EXPECT_FALSE(Play());
  EXPECT_THAT(device.Boxes(), ElementsAre(u"Save|[playlist.pls] file could not be opened."));
  EXPECT_THAT(device.processes.started(), IsEmpty());
}

class MediaListSaveKorean : public MediaListSave {
 protected:
  MediaListSaveKorean() : MediaListSave(platform::kLangKorean) {}
};

TEST_F(MediaListSaveKorean, TheBoxesSpeakKorean) {
  list.TickAll(false);
  EXPECT_FALSE(Play());
  list.TickAll(true);
  EXPECT_FALSE(Play());
  env.mainSettings().SetString(u"Program", u"MP3Player", u"\\Storage Card\\Players\\movie.exe");
  EXPECT_FALSE(Play());
  EXPECT_THAT(device.Boxes(), ElementsAre(u"알림|재생할 파일을 하나 이상 선택하세요.",
                                          u"알림|환경설정에서 MP3 플레이어 경로를 지정하세요.",
                                          u"에러|\\Storage Card\\Players\\movie.exe를 실행할 수 없습니다."));
}

}  // namespace
}  // namespace vexa::deck
