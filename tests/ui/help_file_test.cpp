// The help file as built: it opens, starts on the default topic its project names, and every
// topic, link and index entry in it leads to a page that is there.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "ui/chm_archive.h"
#include "ui/chm_contents.h"

namespace kestrova::ui {
namespace {

// The value of "key=value" in the [OPTIONS] of the project file.
std::string projectOption(const std::string& key) {
  std::ifstream in(KESTROVA_HELP_PROJECT);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  return {};
}

// The topics named under [FILES] in the project file.
std::set<std::string> projectTopics() {
  std::ifstream in(KESTROVA_HELP_PROJECT);
  std::string line;
  std::set<std::string> topics;
  bool inFiles = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') inFiles = line == "[FILES]";
    if (inFiles && line.size() > 4 && line.substr(line.size() - 4) == ".htm")
      topics.insert("/" + line);
  }
  return topics;
}

class BuiltHelpFile : public ::testing::Test {
 protected:
  ChmArchive archive{KESTROVA_HELP_FILE};

  std::string page(const std::string& objectPath) {
    std::optional<std::string> bytes = archive.read(objectPath);
    EXPECT_TRUE(bytes) << objectPath;
    return bytes.value_or("");
  }

  // A topic as the contents and the index write it: the page exists and holds the fragment's id.
  void expectTopic(const std::string& local, const std::string& from) {
    const std::string text = page(topicObjectPath(local));
    const std::size_t hash = local.find('#');
    if (hash == std::string::npos) return;
    EXPECT_NE(text.find("id=\"" + local.substr(hash + 1) + "\""), std::string::npos)
        << from << " leads to " << local;
  }
};

TEST_F(BuiltHelpFile, OpensOnTheDefaultTopicItsProjectNames) {
  const std::string topic = projectOption("Default topic");
  ASSERT_FALSE(topic.empty());
  EXPECT_EQ(archive.defaultTopic(), "/" + topic);
  EXPECT_NE(page(archive.defaultTopic()).find("<h1>"), std::string::npos);
  EXPECT_EQ(archive.system().title, projectOption("Title"));
}

TEST_F(BuiltHelpFile, ContentsListEveryTopicAndEveryEntryExists) {
  std::set<std::string> listed;
  for (const ContentsEntry* entry : flattenContents(archive.contents())) {
    EXPECT_FALSE(entry->name.empty());
    ASSERT_FALSE(entry->local.empty()) << entry->name;
    expectTopic(entry->local, entry->name);
    listed.insert(topicObjectPath(entry->local));
  }
  EXPECT_EQ(listed, projectTopics());
}

TEST_F(BuiltHelpFile, IndexEntriesLeadToPagesThatExist) {
  const std::vector<ContentsEntry>& index = archive.index();
  EXPECT_GT(index.size(), 20u);
  for (const ContentsEntry* entry : flattenContents(index)) expectTopic(entry->local, entry->name);
}

// A link inside the file names a page that is there and, with a fragment, an id on that page;
// every picture a page shows is in the file.
TEST_F(BuiltHelpFile, EveryLinkBetweenPagesArrives) {
  const std::regex link("href=\"([^\"#]*)(#([^\"]*))?\"");
  const std::regex image("src=\"([^\"]+)\"");
  int links = 0;
  for (const std::string& topic : projectTopics()) {
    const std::string text = page(topic);
    for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
      const std::string target = (*it)[1].str().empty() ? topic : "/" + (*it)[1].str();
      if (target.find(':') != std::string::npos) continue;  // outside the file
      expectTopic(target + (*it)[2].str(), topic);
      ++links;
    }
    for (std::sregex_iterator it(text.begin(), text.end(), image), end; it != end; ++it) {
      const std::string picture = (*it)[1].str();
      EXPECT_EQ(picture.rfind("images/", 0), 0u) << topic << ": " << picture;
      EXPECT_TRUE(archive.read("/" + picture)) << topic << ": no picture " << picture;
    }
  }
  EXPECT_GT(links, 50);
}

}  // namespace
}  // namespace kestrova::ui
