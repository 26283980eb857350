#pragma once
// The page pane of the help viewer: a QTextBrowser whose pages, style sheets and pictures come
// from the open compiled help file. Topics are addressed as chm:/path inside the file.
#include <QTextBrowser>
#include <QUrl>
#include <memory>
#include <string>

namespace kestrova::ui {

class ChmArchive;

inline constexpr const char* kHelpScheme = "chm";

// The address of a topic as the contents or the system data write it ("page.htm#part").
QUrl helpTopicUrl(const std::string& local);

class HelpPage : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HelpPage(QWidget* parent);

  // Pages are read from archive from now on; nullptr leaves only the pages already shown.
  void setArchive(std::shared_ptr<const ChmArchive> archive);

  // Starts afresh at url: loaded again even when it is the page already shown (the file may be
  // new), with an empty history.
  void open(const QUrl& url);

  // Replaces the page by a message; the history is cleared, as it belongs to no file now.
  void showMessage(const QString& heading, const QString& text);

  QVariant loadResource(int type, const QUrl& name) override;

 private:
  void follow(const QUrl& url);
  QString missingTopicPage(const QUrl& url) const;

  std::shared_ptr<const ChmArchive> archive_;
};

}  // namespace kestrova::ui
