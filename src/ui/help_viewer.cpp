#include "ui/help_viewer.h"

#include <QHBoxLayout>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "base/error.h"
#include "ui/chm_archive.h"
#include "ui/help_index_pane.h"
#include "ui/help_page.h"

namespace kestrova::ui {
namespace {

constexpr int kTopicRole = Qt::UserRole;
constexpr int kContentsWidth = 300;
// Wide enough that the page pane shows a screenshot of the main window whole.
constexpr QSize kWindowSize(1040, 700);

QToolButton* toolButton(QWidget* parent, const char* name, const QString& text,
                        QStyle::StandardPixmap icon) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAutoRaise(true);
  return button;
}

void addEntries(const std::vector<ContentsEntry>& entries, QTreeWidgetItem* parent,
                QTreeWidget* tree) {
  for (const ContentsEntry& entry : entries) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, QString::fromStdString(entry.name));
    if (!entry.local.empty()) item->setData(0, kTopicRole, helpTopicUrl(entry.local));
    addEntries(entry.children, item, nullptr);
  }
}

std::string fullPath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

}  // namespace

HelpViewer::HelpViewer(QWidget* owner)
    : QWidget(owner, Qt::Window),
      page_(new HelpPage(this)),
      contents_(new QTreeWidget(this)),
      index_(new HelpIndexPane(this)),
      back_(toolButton(this, "HelpBack", tr("Back"), QStyle::SP_ArrowBack)),
      forward_(toolButton(this, "HelpForward", tr("Forward"), QStyle::SP_ArrowForward)),
      home_(toolButton(this, "HelpHome", tr("Home"), QStyle::SP_DirHomeIcon)) {
  setObjectName("HelpViewer");
  setWindowTitle(tr("Help"));
  resize(kWindowSize);

  contents_->setObjectName("HelpContents");
  contents_->setHeaderHidden(true);

  auto* buttons = new QHBoxLayout;
  for (QToolButton* button : {back_, forward_, home_}) buttons->addWidget(button);
  buttons->addStretch();

  auto* tabs = new QTabWidget(this);
  tabs->setObjectName("HelpTabs");
  tabs->addTab(contents_, tr("Contents"));
  tabs->addTab(index_, tr("Index"));

  auto* splitter = new QSplitter(this);
  splitter->addWidget(tabs);
  splitter->addWidget(page_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kContentsWidth, kWindowSize.width() - kContentsWidth});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(splitter, 1);

  back_->setEnabled(false);
  forward_->setEnabled(false);
  home_->setEnabled(false);
  connect(back_, &QToolButton::clicked, page_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, page_, &QTextBrowser::forward);
  connect(home_, &QToolButton::clicked, this, [this] {
    if (archive_ && !archive_->defaultTopic().empty())
      page_->setSource(helpTopicUrl(archive_->defaultTopic()));
  });
  connect(page_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(page_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
  connect(page_, &QTextBrowser::sourceChanged, this, &HelpViewer::selectContentsEntry);
  auto openItem = [this](QTreeWidgetItem* item) {
    const QUrl url = item->data(0, kTopicRole).toUrl();
    if (url.isValid()) page_->setSource(url);
  };
  connect(contents_, &QTreeWidget::itemClicked, this, openItem);
  connect(contents_, &QTreeWidget::itemActivated, this, openItem);
  connect(index_, &HelpIndexPane::topicChosen, page_,
          [this](const QUrl& url) { page_->setSource(url); });
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::showFile(const std::string& chmPath) {
  // Opened afresh each time, so a help file installed or rebuilt meanwhile is the one shown.
  openArchive(fullPath(chmPath));
  if (archive_) showDefaultTopic();
  bringToFront();
}

void HelpViewer::openArchive(const std::string& path) {
  archive_.reset();
  try {
    archive_ = std::make_shared<const ChmArchive>(path);
  } catch (const Error& error) {
    page_->setArchive(nullptr);
    contents_->clear();
    index_->setEntries({});
    home_->setEnabled(false);
    setWindowTitle(tr("Help"));
    page_->showMessage(tr("Help is not available"), QString::fromStdString(error.what()));
    return;
  }
  page_->setArchive(archive_);
  const std::string& title = archive_->system().title;
  setWindowTitle(QString::fromStdString(
      title.empty() ? std::filesystem::path(path).filename().string() : title));
  home_->setEnabled(true);
  fillContents();
  index_->setEntries(archive_->index());
}

void HelpViewer::showDefaultTopic() {
  if (!archive_) return;
  const std::string topic = archive_->defaultTopic();
  if (topic.empty()) {
    page_->showMessage(tr("No default page"), tr("The help file %1 names no page to show first.")
                                                  .arg(QString::fromStdString(archive_->path())));
    return;
  }
  page_->open(helpTopicUrl(topic));
}

void HelpViewer::fillContents() {
  contents_->clear();
  addEntries(archive_->contents(), nullptr, contents_);
  contents_->expandToDepth(0);
}

// Keeps the tree's selection on the page shown, however it was reached.
void HelpViewer::selectContentsEntry(const QUrl& url) {
  const QUrl page = url.adjusted(QUrl::RemoveFragment);
  for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
    const QUrl topic = (*it)->data(0, kTopicRole).toUrl();
    if (topic.isValid() && topic.adjusted(QUrl::RemoveFragment) == page) {
      contents_->setCurrentItem(*it);
      return;
    }
  }
}

void HelpViewer::bringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

}  // namespace kestrova::ui
