#include "platform/qt/QtCommonDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Wildcard.h"
#include "platform/qt/QtUserInterface.h"

namespace vexa::platform {

namespace {

QString Q(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

// "\" stays; "\Windows\" becomes "\Windows"; "Windows" becomes "\Windows".
QString NormalFolder(QString folder) {
  folder.replace(u'/', u'\\');
  while (folder.size() > 1 && folder.endsWith(u'\\')) folder.chop(1);
  if (!folder.startsWith(u'\\')) folder.prepend(u'\\');
  return folder;
}

QString Join(const QString& folder, const QString& name) {
  return folder == QStringLiteral("\\") ? folder + name : folder + u'\\' + name;
}

QString Parent(const QString& folder) {
  const qsizetype cut = folder.lastIndexOf(u'\\');
  return cut <= 0 ? QStringLiteral("\\") : folder.left(cut);
}

std::string ColorText(gfx::ColorRef c) {
  return std::to_string(c & 0xFF) + "," + std::to_string((c >> 8) & 0xFF) + "," + std::to_string((c >> 16) & 0xFF);
}

constexpr int kNameRole = Qt::UserRole;
constexpr int kFolderRole = Qt::UserRole + 1;

// The dialog itself: browses folders through the device's file system.
class OpenFileDialog : public QDialog {
 public:
  OpenFileDialog(FileSystem& files, std::vector<QtCommonDialogs::Filter> filters, const QString& start)
      : files_(files), filters_(std::move(filters)) {
    setWindowTitle(QStringLiteral("Open"));
    auto* layout = new QVBoxLayout(this);
    folderLabel_ = new QLabel(this);
    list_ = new QListWidget(this);
    name_ = new QLineEdit(this);
    filterBox_ = new QComboBox(this);
    for (const auto& f : filters_) filterBox_->addItem(f.label);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(folderLabel_);
    layout->addWidget(list_, 1);
    layout->addWidget(name_);
    layout->addWidget(filterBox_);
    layout->addWidget(buttons);
    resize(360, 300);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Confirm(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(filterBox_, &QComboBox::currentIndexChanged, this, [this] { Fill(); });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
      if (!item->data(kFolderRole).toBool()) name_->setText(item->data(kNameRole).toString());
    });
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
      name_->setText(item->data(kNameRole).toString());
      Confirm();
    });
    folder_ = files_.IsDirectory(start.toStdU16String()) ? start : QStringLiteral("\\");
    Fill();
  }

  const QString& answer() const { return answer_; }

 private:
  void Fill() {
    folderLabel_->setText(folder_);
    list_->clear();
    const QStyle* style = QApplication::style();
    if (folder_ != QStringLiteral("\\")) Add(QStringLiteral(".."), true, style->standardIcon(QStyle::SP_FileDialogToParent));
    std::vector<FindEntry> entries = files_.Find(Join(folder_, QStringLiteral("*.*")).toStdU16String());
    std::sort(entries.begin(), entries.end(), [](const FindEntry& a, const FindEntry& b) {
      if (a.directory != b.directory) return a.directory;
      return Q(a.name).compare(Q(b.name), Qt::CaseInsensitive) < 0;
    });
    const int chosen = filterBox_->currentIndex();
    for (const FindEntry& e : entries) {
      if (e.directory) {
        Add(Q(e.name), true, style->standardIcon(QStyle::SP_DirIcon));
      } else if (Matches(e.name, chosen)) {
        Add(Q(e.name), false, style->standardIcon(QStyle::SP_FileIcon));
      }
    }
  }

  bool Matches(const std::u16string& name, int filter) const {
    if (filter < 0 || static_cast<std::size_t>(filter) >= filters_.size()) return true;
    for (const QString& pattern : filters_[static_cast<std::size_t>(filter)].patterns) {
      if (MatchesWildcard(pattern.toStdU16String(), name)) return true;
    }
    return false;
  }

  void Add(const QString& name, bool folder, const QIcon& icon) {
    auto* item = new QListWidgetItem(icon, name, list_);
    item->setData(kNameRole, name);
    item->setData(kFolderRole, folder);
  }

  // OK, Enter or a double tap: open a folder, take a file, or show what a typed pattern matches.
  void Confirm() {
    const QString name = name_->text().trimmed();
    if (name.isEmpty()) return;
    if (name == QStringLiteral("..")) {
      folder_ = Parent(folder_);
    } else {
      const QString path = name.startsWith(u'\\') ? NormalFolder(name) : Join(folder_, name);
      if (HasWildcards(name.toStdU16String())) {
        filters_.push_back({name, {name}});
        filterBox_->addItem(name);
        filterBox_->setCurrentIndex(filterBox_->count() - 1);
      } else if (files_.IsDirectory(path.toStdU16String())) {
        folder_ = path;
      } else if (files_.Exists(path.toStdU16String())) {
        answer_ = path;
        accept();
        return;
      } else {
        return;  // nothing by that name: the user corrects it or cancels
      }
    }
    name_->clear();
    Fill();
  }

  FileSystem& files_;
  std::vector<QtCommonDialogs::Filter> filters_;
  QString folder_;
  QString answer_;
  QLabel* folderLabel_;
  QListWidget* list_;
  QLineEdit* name_;
  QComboBox* filterBox_;
};

}  // namespace

std::vector<QtCommonDialogs::Filter> QtCommonDialogs::ParseFilter(std::u16string_view filter) {
  QStringList parts = Q(filter).split(u'|');
  // "(*.exe)|*.exe|" ends with a separator: no entry follows it.
  while (!parts.isEmpty() && parts.back().isEmpty()) parts.pop_back();
  std::vector<Filter> result;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    Filter f;
    f.label = parts[i];
    const QString patterns = i + 1 < parts.size() ? parts[i + 1] : parts[i];
    for (const QString& p : patterns.split(u';', Qt::SkipEmptyParts)) f.patterns.push_back(p.trimmed());
    if (f.patterns.isEmpty()) f.patterns.push_back(QStringLiteral("*.*"));
    result.push_back(std::move(f));
  }
  if (result.empty()) result.push_back({QStringLiteral("*.*"), {QStringLiteral("*.*")}});
  return result;
}

std::optional<std::u16string> QtCommonDialogs::OpenFile(WindowHandle owner, std::u16string_view filter,
                                                        std::u16string_view initialFolder) {
  OpenFileDialog dialog(files_, ParseFilter(filter), NormalFolder(Q(initialFolder)));
  std::optional<std::u16string> answer;
  if (ui_.RunDialog(dialog, owner) == QDialog::Accepted && !dialog.answer().isEmpty()) {
    answer = dialog.answer().toStdU16String();
  }
  log_.Record("file_dialog", {{"filter", std::u16string(filter)},
                              {"folder", std::u16string(initialFolder)},
                              {"answer", answer.value_or(u"")}});
  return answer;
}

std::optional<gfx::ColorRef> QtCommonDialogs::ChooseColor(WindowHandle owner, gfx::ColorRef initial) {
  QColorDialog dialog(QColor(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF));
  // Qt's own dialog: a native one would not run in our loop.
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  std::optional<gfx::ColorRef> answer;
  if (ui_.RunDialog(dialog, owner) == QDialog::Accepted) {
    const QColor c = dialog.selectedColor();
    answer = gfx::Rgb(c.red(), c.green(), c.blue());
  }
  log_.Record("color_dialog",
              {{"initial", ColorText(initial)}, {"answer", answer ? ColorText(*answer) : std::string()}});
  return answer;
}

}  // namespace vexa::platform
