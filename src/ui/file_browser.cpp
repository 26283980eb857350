#include "ui/file_browser.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <filesystem>

#include "base/error.h"
#include "ui/error_guard.h"
#include "ui/folder_tree.h"

namespace kestrova::ui {
namespace {

constexpr int kFileRowHeight = 13;

QString local(const std::string& text) {
  return QString::fromLocal8Bit(text);
}
std::string local(const QString& text) {
  return text.toLocal8Bit().toStdString();
}

template <typename W>
W* make(QWidget* parent, const char* name, QRect place) {
  auto* widget = new W(parent);
  widget->setObjectName(name);
  widget->setGeometry(place);
  return widget;
}

// One row height for every entry: a folder of thousands of files is laid out without measuring
// each of them.
void setRowHeight(QListWidget& list, int pixels) {
  list.setUniformItemSizes(true);
  list.setStyleSheet(QString("QListView::item { height: %1px; }").arg(pixels));
}

}  // namespace

FileList::FileList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    selectionChangedSincePress_ = true;
    if (!selectedItems().isEmpty()) emit picked();
  });
  // A click on the entry already selected picks it again (and so re-derives its names).
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (!selectionChangedSincePress_ && item->isSelected()) emit picked();
  });
}

void FileList::fill(const std::vector<std::string>& names) {
  QSignalBlocker quiet(this);
  QSignalBlocker quietSelection(selectionModel());
  clear();
  QStringList entries;
  entries.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names) entries.push_back(local(name));
  addItems(entries);
  clearSelection();
  setCurrentRow(-1, QItemSelectionModel::NoUpdate);
  viewport()->update();
}

void FileList::mousePressEvent(QMouseEvent* event) {
  selectionChangedSincePress_ = false;
  QListWidget::mousePressEvent(event);
}

FileBrowser::FileBrowser(QWidget* parent, UiDialogs& dialogs) : QFrame(parent), dialogs_(dialogs) {
  setObjectName("Panel1");
  setGeometry(4, 4, 364, 209);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);

  // Tab order follows creation: File001, Dir001, Drive001, Ftype.
  File001_ = make<FileList>(this, "File001", {143, 8, 215, 193});
  File001_->setToolTip("Select an HRPT file for decoding");
  setRowHeight(*File001_, kFileRowHeight);
  Dir001_ = make<FolderTree>(this, "Dir001", {8, 32, 129, 137});
  Drive001_ = make<VolumeSelector>(this, "Drive001", {8, 8, 129, 19});
  Ftype_ = make<QComboBox>(this, "Ftype", {8, 180, 129, 21});

  std::string start = std::filesystem::current_path().string();
  Dir001_->showFolder(start);
  Drive001_->showVolumeOf(start);

  connect(File001_, &FileList::picked, this, &FileBrowser::entryPicked);
  connect(Dir001_, &QListWidget::itemActivated, this,
          guarded(dialogs_, [this](QListWidgetItem* item) {
            moveTo(local(item->data(Qt::UserRole).toString()));
          }));
  connect(Drive001_, &VolumeSelector::volumePicked, this,
          guarded(dialogs_, [this](const std::string& root) { moveTo(root); }));
  connect(Ftype_, &QComboBox::activated, this, guarded(dialogs_, [this](int index) {
            mask_ = filters_.at(static_cast<std::size_t>(index)).mask;
            showFiles();
          }));
}

void FileBrowser::setFilter(std::string_view filterText) {
  filters_ = parseFilter(filterText);
  Ftype_->clear();
  for (const FilterEntry& entry : filters_) Ftype_->addItem(local(entry.displayName));
  Ftype_->setCurrentIndex(0);
  mask_ = filters_.empty() ? "" : filters_.front().mask;
  showFiles();
}

void FileBrowser::moveTo(const std::string& folder) {
  Dir001_->moveTo(folder);
  Drive001_->showVolumeOf(Dir001_->folder());
  showFiles();
}

const std::string& FileBrowser::folder() const {
  return Dir001_->folder();
}

std::string FileBrowser::selectedEntry() const {
  QList<QListWidgetItem*> selected = File001_->selectedItems();
  if (selected.isEmpty()) throw Error("List index out of bounds (-1)");
  return local(selected.front()->text());
}

void FileBrowser::showFiles() {
  File001_->fill(listedFiles(Dir001_->folder(), mask_));
}

}  // namespace kestrova::ui
