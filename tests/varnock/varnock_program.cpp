#include "varnock/varnock_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "avhrr/orbit/element_sets.h"

extern char** environ;

namespace kestrova::testing {

std::string builtVarnock() {
  return KESTROVA_VARNOCK;
}

ProgramRun runVarnock(const std::vector<std::string>& arguments, const std::string& program) {
  TempFolder scratch;
  const std::string errors = scratch.file("stderr");
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> environment{"QT_QPA_PLATFORM=offscreen"};
  for (char** e = environ; *e; ++e)
    if (!std::string(*e).starts_with("QT_QPA_PLATFORM=")) environment.emplace_back(*e);
  std::vector<char*> envp;
  for (auto& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  pid_t pid = 0;
  ProgramRun run;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  run.messages = scratch.read("stderr");
  return run;
}

std::set<std::string> filesIn(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

std::string SyntheticPasses::elementsFile() {
  return KESTROVA_TEST_ELEMENTS;
}

const SyntheticPasses& SyntheticPasses::get() {
  static const SyntheticPasses passes;
  return passes;
}

SyntheticPasses::SyntheticPasses() {
  using namespace avhrr;
  options_.satellite = satelliteByName("NOAA-19");
  const auto sets = readElementSets(elementsFile());
  options_.start = utcFromYearDay(2025, 172, 11 * 3'600'000 + 54 * 60'000);
  options_.elements =
      nearestElements(sets, SatelliteKey::of(*options_.satellite), options_.start, elementsFile());
  options_.durationSeconds = 20;
  pass_ = makeSyntheticPass(options_);
  std::filesystem::create_directories(hrptFolder());
  std::filesystem::create_directories(level1bFolder());
  std::filesystem::copy_file(elementsFile(), hrptFolder() / "elements.tle");
  for (SyntheticFile kind : allSyntheticFiles()) {
    const bool raw = syntheticFileName(kind).starts_with("hrpt");
    writeSyntheticFile(pass_, options_, kind, raw ? hrptFolder() : level1bFolder(),
                       "noaa19_20250621_115400");
  }
}

std::filesystem::path SyntheticPasses::file(avhrr::SyntheticFile kind) const {
  const std::string name = std::string(avhrr::syntheticFileName(kind));
  const bool raw = name.starts_with("hrpt");
  return (raw ? hrptFolder() : level1bFolder()) /
         ("noaa19_20250621_115400_" + name + (raw ? ".hpt" : ".l1b"));
}

}  // namespace kestrova::testing
