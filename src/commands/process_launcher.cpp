#include "commands/process_launcher.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

extern char** environ;

namespace kestrova {

const char* const kStartFailureText =
    "Unexpected Error\n\nCheck in the \"Configure\" screen that\nyou have assigned the correct "
    "folders\nfor Varnock and Ostrelle.";

namespace {

namespace fs = std::filesystem;

bool isExecutableFile(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

std::vector<fs::path> searchFolders() {
  std::vector<fs::path> folders;
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) folders.push_back(self.parent_path());
  folders.push_back(fs::current_path(ec));
  if (const char* path = std::getenv("PATH")) {
    std::string_view rest(path);
    while (!rest.empty()) {
      std::size_t colon = rest.find(':');
      std::string_view folder = rest.substr(0, colon);
      folders.emplace_back(folder.empty() ? "." : std::string(folder));
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
  }
  return folders;
}

class SpawnSettings {
 public:
  SpawnSettings() {
    posix_spawnattr_init(&attributes_);
    posix_spawn_file_actions_init(&actions_);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setflags(
        &attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes_, 0);
    posix_spawnattr_setsigmask(&attributes_, &none);
    posix_spawnattr_setsigdefault(&attributes_, &defaults);
    // Nothing of Kestrova's but the three standard streams reaches the program.
    posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
  }
  ~SpawnSettings() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attributes_);
  }
  const posix_spawnattr_t* attributes() const { return &attributes_; }
  const posix_spawn_file_actions_t* actions() const { return &actions_; }

 private:
  posix_spawnattr_t attributes_;
  posix_spawn_file_actions_t actions_;
};

int waitFor(pid_t pid, const std::function<void()>& whileWaiting) {
  int status = 0;
  for (;;) {
    pid_t done = ::waitpid(pid, &status, whileWaiting ? WNOHANG : 0);
    if (done == pid) return status;
    if (done < 0 && errno != EINTR) return status;
    if (done == 0) {
      whileWaiting();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
}

}  // namespace

std::string resolveProgram(const std::string& token) {
  if (token.empty()) return "";
  if (token.find('/') != std::string::npos) return isExecutableFile(token) ? token : "";
  for (const fs::path& folder : searchFolders()) {
    fs::path candidate = folder / token;
    if (isExecutableFile(candidate)) return candidate.string();
  }
  return "";
}

ProcessLauncher::ProcessLauncher(Dialogs& dialogs, std::function<void()> whileWaiting)
    : dialogs_(dialogs), whileWaiting_(std::move(whileWaiting)) {}

void ProcessLauncher::run(const CommandLine& command) {
  std::string program = command.arguments.empty() ? "" : resolveProgram(command.arguments[0]);
  pid_t pid = -1;
  if (!program.empty()) {
    std::vector<char*> argv;
    for (const std::string& argument : command.arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    SpawnSettings settings;
    if (::posix_spawn(&pid, program.c_str(), settings.actions(), settings.attributes(), argv.data(),
                      environ) != 0)
      pid = -1;
  }
  if (pid < 0) {
    dialogs_.warning(kStartFailureText);
    return;
  }
  waitFor(pid, whileWaiting_);
}

}  // namespace kestrova
