#include "ui/help_page.h"

#include <QDesktopServices>
#include <QStringDecoder>

#include "ui/chm_archive.h"

namespace kestrova::ui {

QUrl helpTopicUrl(const std::string& local) {
  const QString topic = QString::fromStdString(topicObjectPath(local));
  const std::size_t hash = local.find('#');
  QUrl url;
  url.setScheme(kHelpScheme);
  url.setPath(topic);
  if (hash != std::string::npos) url.setFragment(QString::fromStdString(local.substr(hash + 1)));
  return url;
}

HelpPage::HelpPage(QWidget* parent) : QTextBrowser(parent) {
  setObjectName("HelpPage");
  // Links are followed here, so that a link out of the file never replaces the page by nothing.
  setOpenLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &HelpPage::follow);
}

void HelpPage::setArchive(std::shared_ptr<const ChmArchive> archive) {
  archive_ = std::move(archive);
}

void HelpPage::open(const QUrl& url) {
  const bool samePage =
      source().adjusted(QUrl::RemoveFragment) == url.adjusted(QUrl::RemoveFragment);
  setSource(url);
  if (samePage) reload();  // setSource alone would only scroll within the page already shown
  clearHistory();
}

void HelpPage::showMessage(const QString& heading, const QString& text) {
  clearHistory();
  setHtml("<h2>" + heading.toHtmlEscaped() + "</h2><p>" + text.toHtmlEscaped() + "</p>");
}

void HelpPage::follow(const QUrl& link) {
  const QUrl url = link.isRelative() ? source().resolved(link) : link;
  if (url.scheme() == kHelpScheme)
    setSource(url);
  else
    QDesktopServices::openUrl(url);
}

QString HelpPage::missingTopicPage(const QUrl& url) const {
  const QString file = archive_ ? QString::fromStdString(archive_->path()) : QString();
  return "<h2>Page not found</h2><p>The page " + url.path().toHtmlEscaped() +
         " is not in the help file " + file.toHtmlEscaped() + ".</p>";
}

QVariant HelpPage::loadResource(int type, const QUrl& name) {
  const QUrl url = name.isRelative() ? source().resolved(name) : name;
  if (url.scheme() != kHelpScheme) return {};
  std::optional<std::string> bytes;
  if (archive_) bytes = archive_->read(url.path(QUrl::FullyDecoded).toStdString());
  if (!bytes)
    return type == QTextDocument::HtmlResource ? QVariant(missingTopicPage(url)) : QVariant();
  const QByteArray data(bytes->data(), static_cast<qsizetype>(bytes->size()));
  if (type == QTextDocument::HtmlResource) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(data);
    QString text = decoder.decode(data);
    return text;
  }
  if (type == QTextDocument::StyleSheetResource) return QString::fromUtf8(data);
  return data;
}

}  // namespace kestrova::ui
