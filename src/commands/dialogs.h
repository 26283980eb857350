#pragma once
// The message boxes the non-window code asks for. The window answers with real dialogs; tests
// script the answers and record the texts.
#include <string>

namespace kestrova {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal box titled "Warning" with a single OK button.
  virtual void warning(const std::string& text) = 0;
};

}  // namespace kestrova
