#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/QtCommonDialogs.h"
#include "platform/qt/QtFolderPicker.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtUserInterface.h"
#include "platform/qt/QtWindow.h"
#include "tests/qt/QtTestSupport.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;

TEST(QtCommonDialogsFilter, ReadsTheDevicesLabelAndPatternPairs) {
  auto filters = QtCommonDialogs::ParseFilter(u"(*.exe)|*.exe|");
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0].label, QStringLiteral("(*.exe)"));
  EXPECT_EQ(filters[0].patterns, QStringList{QStringLiteral("*.exe")});

  filters = QtCommonDialogs::ParseFilter(u"Registry file(*.reg)|*.reg|Pictures|*.bmp; *.jpg");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0].label, QStringLiteral("Registry file(*.reg)"));
  EXPECT_EQ(filters[1].patterns, (QStringList{QStringLiteral("*.bmp"), QStringLiteral("*.jpg")}));

  // A label without patterns stands for itself; nothing at all shows every file.
  filters = QtCommonDialogs::ParseFilter(u"*.txt");
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0].patterns, QStringList{QStringLiteral("*.txt")});
  filters = QtCommonDialogs::ParseFilter(u"");
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0].patterns, QStringList{QStringLiteral("*.*")});
}

class QtDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::EnsureQtApplication(); }

  // Runs `act` on the dialog that is up once the pump turns.
  template <typename Dialog>
  void ThenOnDialog(std::function<void(Dialog&)> act) {
    pump.Then([act] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      act(*dialog);
    });
  }

  testing::ManualTimers timers;
  testing::ScriptedPump pump;
  testing::RecordingLog log;
  QtUserInterface ui{timers, pump, log, {800, 480}};
  vexa::testing::TempDeviceTree tree;
  PosixFileSystem files{tree.root().string()};
};

TEST_F(QtDialogsTest, AMessageBoxAnswersTheButtonPressedAndDisablesItsOwnerMeanwhile) {
  testing::RecordingHandler handler;
  ui::Window& owner = ui.CreateModeless({u"Owner", ui::kPopup, ui::Rect::FromSize(0, 0, 100, 100), {}, {}}, handler,
                                        nullptr);
  QtMessageBoxes boxes(ui, log);
  bool ownerEnabled = true;
  ThenOnDialog<QMessageBox>([&](QMessageBox& box) {
    ownerEnabled = static_cast<QtWindow&>(owner).client()->isEnabled();
    EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::No));
    box.button(QMessageBox::Yes)->click();
  });
  const MessageAnswer answer = boxes.Show({owner.handle(), u"Delete it?", u"Files", MessageButtons::kYesNo,
                                           MessageIcon::kQuestion, 1});
  EXPECT_EQ(answer, MessageAnswer::kYes);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(static_cast<QtWindow&>(owner).client()->isEnabled());
  EXPECT_THAT(log.lines, ElementsAre("window_opened Owner", "message_box yes"));
}

TEST_F(QtDialogsTest, AMessageBoxClosedWithoutAButtonAnswersCancel) {
  QtMessageBoxes boxes(ui, log);
  ThenOnDialog<QMessageBox>([](QMessageBox& box) { box.reject(); });
  EXPECT_EQ(boxes.Show({kNoWindow, u"Go on?", u"", MessageButtons::kOkCancel, MessageIcon::kNone, 0}),
            MessageAnswer::kCancel);
}

TEST_F(QtDialogsTest, TheOpenFileDialogBrowsesTheDeviceAndAnswersADevicePath) {
  tree.MakeDir("Storage Card/Navi");
  tree.WriteHostFile("Storage Card/Navi/navi.exe", "x");
  QtCommonDialogs dialogs(ui, files, log);
  ThenOnDialog<QDialog>([](QDialog& dialog) {
    auto* name = dialog.findChild<QLineEdit*>();
    name->setText(QStringLiteral("Navi"));  // a folder: opened
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    name->setText(QStringLiteral("NAVI.EXE"));
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  EXPECT_EQ(dialogs.OpenFile(kNoWindow, u"(*.exe)|*.exe|", u"\\Storage Card\\"), u"\\Storage Card\\Navi\\NAVI.EXE");
  ThenOnDialog<QDialog>([](QDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(dialogs.OpenFile(kNoWindow, u"", u"\\Nowhere"), std::nullopt);
}

TEST_F(QtDialogsTest, TheFolderPickerAnswersTheChosenDeviceFolderOrNothing) {
  tree.MakeDir("Storage Card/Music");
  QtFolderPicker picker(ui, files, log);
  ThenOnDialog<QDialog>([](QDialog& dialog) {
    auto* tree = dialog.findChild<QTreeWidget*>();
    QTreeWidgetItem* card = tree->topLevelItem(0)->child(0);
    ASSERT_EQ(card->text(0), QStringLiteral("Storage Card"));
    card->setExpanded(true);  // its subfolders are read now
    ASSERT_EQ(card->childCount(), 1);
    tree->setCurrentItem(card->child(0));
    dialog.accept();
  });
  EXPECT_EQ(picker.Browse(kNoWindow, u"Pick"), u"\\Storage Card\\Music");
  ThenOnDialog<QDialog>([](QDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(picker.Browse(kNoWindow, u"Pick"), u"");
  EXPECT_THAT(log.lines, ElementsAre("folder_dialog Pick \\Storage Card\\Music", "folder_dialog Pick "));
}

}  // namespace
}  // namespace vexa::platform
