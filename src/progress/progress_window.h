// The window of a running Varnock.exe or Ostrelle.exe: the stage, a progress bar over the whole
// run, the messages to read afterwards and, at the end, the finished picture when there is one.
// Everything here runs on the GUI thread; WindowReporter carries the work's reports across.
#pragma once

#include <QWidget>
#include <string>

#include "progress/progress_reporter.h"

class QBoxLayout;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace kestrova::progress {

class ProgressWindow : public QWidget {
 public:
  explicit ProgressWindow(const QString& title);

  void setStage(const QString& text);
  void setProgress(double fraction);
  void addMessage(Severity severity, const QString& text);
  void setPicture(const QString& path);
  // The work has ended with this exit status: Close is enabled and the picture shown.
  void finish(int status);

  bool finished() const { return finished_; }
  // The message list's lines, as shown.
  QStringList messages() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void showPicture();

  QBoxLayout* content_ = nullptr;
  QLabel* stage_;
  QProgressBar* bar_;
  QLabel* picture_;
  QListWidget* messages_;
  QPushButton* close_;
  QString picturePath_;
  bool finished_ = false;
};

// Posts the work's reports to the window's thread; callable from any thread.
class WindowReporter : public Reporter {
 public:
  explicit WindowReporter(ProgressWindow& window) : window_(window) {}

  void stage(const std::string& text) override;
  void progress(double fraction) override;
  void message(Severity severity, const std::string& text) override;
  void showPicture(const std::string& path) override;

 private:
  template <class F>
  void post(F f);

  ProgressWindow& window_;
};

}  // namespace kestrova::progress
