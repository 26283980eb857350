#include "ui/folder_tree.h"

#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <set>
#include <system_error>

#include "settings/io_error.h"

namespace kestrova::ui {
namespace {

namespace fs = std::filesystem;

constexpr int kIndentPerLevel = 2;
constexpr int kRowHeight = 16;
constexpr int kRowPadding = 8;

// The folder without a trailing "/", except for the root itself.
std::string plainFolder(const std::string& folder) {
  std::string text = fs::path(folder).lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

std::string lowered(const std::string& text) {
  std::string result = text;
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return result;
}

void addRow(QListWidget& list, const fs::path& folder, const std::string& name, int depth) {
  QString text = QString(depth * kIndentPerLevel, ' ') + QString::fromLocal8Bit(name);
  auto* item = new QListWidgetItem(text, &list);
  item->setData(Qt::UserRole, QString::fromLocal8Bit(folder.string()));
  item->setSizeHint(QSize(list.fontMetrics().horizontalAdvance(text) + kRowPadding, kRowHeight));
}

// Raises the error a move to folder would meet, before anything changes.
void checkListable(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) throw IoError(kFileNotFound);
  fs::directory_iterator probe(folder, ec);
  if (ec) throw ioErrorFromErrno(ec.value());
}

}  // namespace

std::vector<std::string> listedSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::error_code kindError;
    if (name.empty() || name[0] == '.' || !it->is_directory(kindError)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return std::make_pair(lowered(a), a) < std::make_pair(lowered(b), b);
  });
  return names;
}

FolderTree::FolderTree(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void FolderTree::showFolder(const std::string& folder) {
  folder_ = plainFolder(folder);
  clear();
  fs::path path(folder_);
  fs::path walked;
  int depth = 0;
  QListWidgetItem* current = nullptr;
  for (const fs::path& part : path) {
    if (part.empty()) continue;
    walked /= part;
    addRow(*this, walked, part.string(), depth++);
    current = item(count() - 1);
  }
  for (const std::string& name : listedSubfolders(folder_)) addRow(*this, path / name, name, depth);
  setCurrentItem(current);
}

void FolderTree::moveTo(const std::string& folder) {
  std::string target = plainFolder(folder);
  checkListable(target);
  std::error_code ec;
  fs::current_path(target, ec);
  if (ec) throw ioErrorFromErrno(ec.value());
  showFolder(target);
  emit folderChanged(folder_);
}

VolumeSelector::VolumeSelector(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::textActivated, this,
          [this](const QString& root) { emit volumePicked(root.toLocal8Bit().toStdString()); });
}

void VolumeSelector::showVolumeOf(const std::string& folder) {
  std::set<QString> roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady()) roots.insert(volume.rootPath());
  QString own = QStorageInfo(QString::fromLocal8Bit(folder)).rootPath();
  if (!own.isEmpty()) roots.insert(own);
  clear();
  for (const QString& root : roots) addItem(root);
  setCurrentIndex(findText(own));
}

}  // namespace kestrova::ui
