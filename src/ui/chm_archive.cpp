#include "ui/chm_archive.h"

#include <chm_lib.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/error.h"
#include "ui/html_text.h"

namespace kestrova::ui {
namespace {

// Help topics and pictures are small; a length beyond this is a damaged directory entry.
constexpr LONGUINT64 kMaxObjectBytes = 64 * 1024 * 1024;

Error openError(const std::string& path, const std::string& reason) {
  return Error("Cannot open the help file '" + path + "': " + reason);
}

// chmlib says only "no"; ask the file system first so the message can say why.
void checkReadableFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) throw openError(path, std::strerror(errno));
  if (S_ISDIR(info.st_mode)) throw openError(path, std::strerror(EISDIR));
  if (!S_ISREG(info.st_mode)) throw openError(path, "it is not an ordinary file");
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw openError(path, std::strerror(errno));
  ::close(fd);
}

}  // namespace

void ChmArchive::Closer::operator()(chmFile* file) const {
  chm_close(file);
}

ChmArchive::ChmArchive(const std::string& path) : path_(path) {
  checkReadableFile(path);
  file_.reset(chm_open(path.c_str()));
  if (!file_) throw openError(path, "it is not a compiled help file, or it is damaged");
  const std::optional<std::string> system = read("/#SYSTEM");
  if (!system) throw openError(path, "its system data (#SYSTEM) is missing or damaged");
  system_ = parseChmSystem(*system);
  contents_ = readSitemap(system_.contentsFile);
  index_ = readSitemap(system_.indexFile);
}

std::vector<ContentsEntry> ChmArchive::readSitemap(const std::string& name) const {
  if (name.empty()) return {};
  std::optional<std::string> bytes = read(topicObjectPath(name));
  return bytes ? parseContents(*bytes) : std::vector<ContentsEntry>{};
}

ChmArchive::~ChmArchive() = default;

std::optional<std::string> ChmArchive::read(const std::string& objectPath) const {
  if (objectPath.size() >= CHM_MAX_PATHLEN) return std::nullopt;
  chmUnitInfo unit{};
  if (chm_resolve_object(file_.get(), objectPath.c_str(), &unit) != CHM_RESOLVE_SUCCESS)
    return std::nullopt;
  if (unit.length > kMaxObjectBytes) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(unit.length), '\0');
  if (unit.length == 0) return bytes;
  const LONGINT64 got = chm_retrieve_object(
      file_.get(), &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0, unit.length);
  if (got != static_cast<LONGINT64>(unit.length)) return std::nullopt;
  return bytes;
}

std::string ChmArchive::defaultTopic() const {
  if (!system_.defaultTopic.empty()) return topicObjectPath(system_.defaultTopic);
  for (const ContentsEntry* entry : flattenContents(contents_))
    if (!entry->local.empty()) return topicObjectPath(entry->local);
  return {};
}

std::string topicObjectPath(const std::string& local) {
  std::string_view path = withoutArchivePrefix(local);
  path = path.substr(0, path.find('#'));
  while (!path.empty() && path.front() == '/') path.remove_prefix(1);
  return "/" + std::string(path);
}

}  // namespace kestrova::ui
