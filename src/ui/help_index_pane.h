#pragma once
// The help viewer's index: the keywords of the help file's .hhk in a list, with a box above it
// that moves to the first keyword starting with what is typed.
#include <QWidget>
#include <vector>

#include "ui/chm_contents.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace kestrova::ui {

class HelpIndexPane : public QWidget {
  Q_OBJECT
 public:
  explicit HelpIndexPane(QWidget* parent);

  // Keywords in the file's order; sub-keywords follow their keyword, indented.
  void setEntries(const std::vector<ContentsEntry>& index);

 signals:
  void topicChosen(const QUrl& topic);

 private:
  void findKeyword(const QString& typed);
  void choose(QListWidgetItem* item);

  QLineEdit* filter_;
  QListWidget* list_;
};

}  // namespace kestrova::ui
