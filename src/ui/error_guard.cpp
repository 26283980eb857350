#include "ui/error_guard.h"

#include <cctype>
#include <exception>

#include "base/error.h"

namespace kestrova::ui {

std::string withFullStop(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
    text += '.';
  return text;
}

std::string applicationTitle(std::string_view executablePath) {
  std::string_view name = executablePath;
  if (auto slash = name.find_last_of('/'); slash != std::string_view::npos)
    name.remove_prefix(slash + 1);
  if (auto dot = name.find_last_of('.'); dot != std::string_view::npos && dot > 0)
    name = name.substr(0, dot);
  std::string title(name);
  for (std::size_t i = 1; i < title.size(); ++i)
    title[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(title[i])));
  return title;
}

void runGuarded(UiDialogs& dialogs, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    dialogs.error(withFullStop(e.what()));
  }
}

}  // namespace kestrova::ui
