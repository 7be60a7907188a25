#include "platform/qt/QtFolderPicker.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/QtUserInterface.h"

namespace vexa::platform {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kReadRole = Qt::UserRole + 1;  // true once the item's subfolders are listed

class FolderDialog : public QDialog {
 public:
  FolderDialog(FileSystem& files, const QString& title) : files_(files) {
    setWindowTitle(QStringLiteral("Folder"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(title, this);
    label->setWordWrap(true);
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(label);
    layout->addWidget(tree_, 1);
    layout->addWidget(buttons_);
    resize(320, 320);

    auto* root = new QTreeWidgetItem(tree_, {QStringLiteral("\\")});
    root->setIcon(0, QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon));
    root->setData(0, kPathRole, QStringLiteral("\\"));
    List(root);
    root->setExpanded(true);

    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { List(item); });
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { buttons_->button(QDialogButtonBox::Ok)->setEnabled(item != nullptr); });
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  }

  QString answer() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    return item ? item->data(0, kPathRole).toString() : QString();
  }

 private:
  // Lists the subfolders of one folder, once; each gets a placeholder child so that it shows it can
  // be opened, and the placeholder goes when it is.
  void List(QTreeWidgetItem* item) {
    if (item->data(0, kReadRole).toBool()) return;
    item->setData(0, kReadRole, true);
    qDeleteAll(item->takeChildren());
    const QString path = item->data(0, kPathRole).toString();
    const QString pattern = path == QStringLiteral("\\") ? QStringLiteral("\\*.*") : path + QStringLiteral("\\*.*");
    std::vector<QString> names;
    for (const FindEntry& e : files_.Find(pattern.toStdU16String())) {
      if (e.directory) names.push_back(QString::fromStdU16String(e.name));
    }
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    for (const QString& name : names) {
      auto* child = new QTreeWidgetItem(item, {name});
      child->setIcon(0, icon);
      child->setData(0, kPathRole, path == QStringLiteral("\\") ? path + name : path + u'\\' + name);
      child->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    if (names.empty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
  }

  FileSystem& files_;
  QTreeWidget* tree_;
  QDialogButtonBox* buttons_;
};

}  // namespace

std::u16string QtFolderPicker::Browse(WindowHandle owner, std::u16string_view title) {
  FolderDialog dialog(files_, QString::fromStdU16String(std::u16string(title)));
  std::u16string answer;
  if (ui_.RunDialog(dialog, owner) == QDialog::Accepted) answer = dialog.answer().toStdU16String();
  log_.Record("folder_dialog", {{"title", std::u16string(title)}, {"answer", answer}});
  return answer;
}

}  // namespace vexa::platform
