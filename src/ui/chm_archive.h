#pragma once
// A compiled help file (.chm) opened with chmlib: its objects by path, its system data and its
// table of contents.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/chm_contents.h"
#include "ui/chm_system.h"

struct chmFile;

namespace kestrova::ui {

class ChmArchive {
 public:
  // Raises kestrova::Error naming the file's full path and the reason when the file is missing,
  // not a regular file, unreadable or not a compiled help file.
  explicit ChmArchive(const std::string& path);
  ~ChmArchive();
  ChmArchive(const ChmArchive&) = delete;
  ChmArchive& operator=(const ChmArchive&) = delete;

  const std::string& path() const { return path_; }

  // The bytes of the object at objectPath ("/page.htm"), or nothing when the file holds no such
  // object, it cannot be read whole, or it is implausibly large.
  std::optional<std::string> read(const std::string& objectPath) const;

  const ChmSystemInfo& system() const { return system_; }

  // The object path of the default topic: the one the system data names, else the first topic
  // of the contents; empty when the file names neither.
  std::string defaultTopic() const;

  const std::vector<ContentsEntry>& contents() const { return contents_; }

  // The keywords of the index (.hhk), which has the same form as the contents; empty when the
  // file has none.
  const std::vector<ContentsEntry>& index() const { return index_; }

 private:
  // The contents or the index, both lists of sitemap objects.
  std::vector<ContentsEntry> readSitemap(const std::string& name) const;

  struct Closer {
    void operator()(chmFile* file) const;
  };

  std::string path_;
  std::unique_ptr<chmFile, Closer> file_;
  ChmSystemInfo system_;
  std::vector<ContentsEntry> contents_;
  std::vector<ContentsEntry> index_;
};

// "/" + a topic as the contents or the system data write it, without an archive prefix or a
// fragment: "page.htm#part" gives "/page.htm".
std::string topicObjectPath(const std::string& local);

}  // namespace kestrova::ui
