#pragma once
// The one place where an error that escapes a handler is caught: it is shown in the error box and
// the program goes on with the next event. Whatever the handler changed before stays changed.
#include <functional>
#include <string>
#include <string_view>

#include "ui/ui_dialogs.h"

namespace kestrova::ui {

// The message as the error box shows it: "." appended when its last character sorts after ".".
std::string withFullStop(std::string_view message);

// The executable's name without folder and extension, first character kept, the rest in lower
// case: "/opt/KESTROVA.EXE" gives "Kestrova".
std::string applicationTitle(std::string_view executablePath);

// Runs handler; a kestrova::Error or std::exception escaping it goes to dialogs.error.
void runGuarded(UiDialogs& dialogs, const std::function<void()>& handler);

// A slot for connect(): the handler wrapped in runGuarded.
template <typename F>
auto guarded(UiDialogs& dialogs, F handler) {
  return [&dialogs, handler](auto&&... args) {
    runGuarded(dialogs, [&] { handler(std::forward<decltype(args)>(args)...); });
  };
}

}  // namespace kestrova::ui
