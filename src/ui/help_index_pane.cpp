#include "ui/help_index_pane.h"

#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/help_page.h"

namespace kestrova::ui {
namespace {

constexpr int kTopicRole = Qt::UserRole;
constexpr int kKeywordRole = Qt::UserRole + 1;  // the keyword without its indentation

void addEntries(const std::vector<ContentsEntry>& entries, int level, QListWidget* list) {
  for (const ContentsEntry& entry : entries) {
    const QString keyword = QString::fromStdString(entry.name);
    auto* item = new QListWidgetItem(QString(level * 4, ' ') + keyword, list);
    item->setData(kKeywordRole, keyword);
    if (!entry.local.empty()) item->setData(kTopicRole, helpTopicUrl(entry.local));
    addEntries(entry.children, level + 1, list);
  }
}

}  // namespace

HelpIndexPane::HelpIndexPane(QWidget* parent)
    : QWidget(parent), filter_(new QLineEdit(this)), list_(new QListWidget(this)) {
  filter_->setObjectName("HelpIndexFilter");
  filter_->setPlaceholderText(tr("Type a keyword"));
  filter_->setClearButtonEnabled(true);
  list_->setObjectName("HelpIndex");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(filter_);
  layout->addWidget(list_, 1);

  connect(filter_, &QLineEdit::textEdited, this, &HelpIndexPane::findKeyword);
  connect(filter_, &QLineEdit::returnPressed, this, [this] { choose(list_->currentItem()); });
  connect(list_, &QListWidget::itemClicked, this, &HelpIndexPane::choose);
  connect(list_, &QListWidget::itemActivated, this, &HelpIndexPane::choose);
}

void HelpIndexPane::setEntries(const std::vector<ContentsEntry>& index) {
  list_->clear();
  filter_->clear();
  addEntries(index, 0, list_);
}

void HelpIndexPane::findKeyword(const QString& typed) {
  const QString wanted = typed.trimmed();
  for (int row = 0; row < list_->count(); ++row) {
    QListWidgetItem* item = list_->item(row);
    if (item->data(kKeywordRole).toString().startsWith(wanted, Qt::CaseInsensitive)) {
      list_->setCurrentItem(item);
      list_->scrollToItem(item, QAbstractItemView::PositionAtTop);
      return;
    }
  }
}

void HelpIndexPane::choose(QListWidgetItem* item) {
  if (!item) return;
  const QUrl topic = item->data(kTopicRole).toUrl();
  if (topic.isValid()) emit topicChosen(topic);
}

}  // namespace kestrova::ui
