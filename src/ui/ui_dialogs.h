#pragma once
// Every message box the window shows. Production code uses QtDialogs; tests script the answers
// and record the texts.
#include <string>

#include "commands/dialogs.h"

class QWidget;

namespace kestrova::ui {

class UiDialogs : public Dialogs {
 public:
  // warning(text) from Dialogs: a modal box titled "Warning" with a single OK button.

  // A modal warning box titled "Warning" with Yes and No; true on Yes.
  virtual bool warningYesNo(const std::string& text) = 0;
  // The information box titled "Information" with the information icon and "&Yes"/"&No"; Yes is
  // the default button, and closing the box or pressing Escape answers No. True on Yes.
  virtual bool confirm(const std::string& text) = 0;
  // A plain box with an OK button and no icon ("Saved as ...").
  virtual void message(const std::string& text) = 0;
  // The error box: error icon, OK, the application title as caption. The text is shown as given.
  virtual void error(const std::string& text) = 0;
};

class QtDialogs : public UiDialogs {
 public:
  QtDialogs(QWidget* parent, std::string applicationTitle);
  void warning(const std::string& text) override;
  bool warningYesNo(const std::string& text) override;
  bool confirm(const std::string& text) override;
  void message(const std::string& text) override;
  void error(const std::string& text) override;

 private:
  QWidget* parent_;
  std::string title_;
};

}  // namespace kestrova::ui
