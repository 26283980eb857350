// Reading a compiled help file: its system data, its table of contents, topic paths, and the
// messages for files that cannot be opened.
#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "support/temp_folder.h"
#include "ui/chm_archive.h"
#include "ui/chm_contents.h"
#include "ui/chm_system.h"
#include "ui/html_text.h"

namespace kestrova::ui {
namespace {

using testing::TemporaryFolder;

std::string record(int code, const std::string& data) {
  std::string out;
  out += static_cast<char>(code & 0xFF);
  out += static_cast<char>(code >> 8);
  out += static_cast<char>(data.size() & 0xFF);
  out += static_cast<char>(data.size() >> 8);
  return out + data;
}

const std::string kVersion("\x03\x00\x00\x00", 4);

TEST(ChmSystemData, NamesTheFilesAndTitleAmongOtherRecords) {
  const std::string bytes =
      kVersion + record(10, std::string(4, '\x7F')) + record(4, std::string(36, '\0')) +
      record(2, std::string("start.htm\0", 10)) + record(3, std::string("Station Help\0", 13)) +
      record(0, std::string("toc.hhc\0", 8)) + record(1, std::string("idx.hhk\0", 8));
  const ChmSystemInfo info = parseChmSystem(bytes);
  EXPECT_EQ(info.defaultTopic, "start.htm");
  EXPECT_EQ(info.title, "Station Help");
  EXPECT_EQ(info.contentsFile, "toc.hhc");
  EXPECT_EQ(info.indexFile, "idx.hhk");
}

TEST(ChmSystemData, StopsAtARecordRunningPastTheEnd) {
  std::string bytes = kVersion + record(3, std::string("Title\0", 6)) + record(2, "start.htm");
  bytes.resize(bytes.size() - 2);  // the default topic's record now claims more than is left
  const ChmSystemInfo info = parseChmSystem(bytes);
  EXPECT_EQ(info.title, "Title");
  EXPECT_EQ(info.defaultTopic, "");
}

TEST(ChmSystemData, TakesATextWithoutItsNulWholeAndStopsAtItsEnd) {
  const ChmSystemInfo info =
      parseChmSystem(kVersion + record(2, "a.htm") + record(3, std::string("T\0junk", 6)));
  EXPECT_EQ(info.defaultTopic, "a.htm");
  EXPECT_EQ(info.title, "T");
}

TEST(ChmSystemData, ShortInputGivesNothing) {
  EXPECT_EQ(parseChmSystem("").defaultTopic, "");
  EXPECT_EQ(parseChmSystem(kVersion + "\x02").defaultTopic, "");
}

std::string sitemap(const std::string& name, const std::string& local) {
  return "<LI> <OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
         "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>\n";
}

TEST(ChmContents, NestedListsMakeTheTree) {
  const std::string hhc =
      "<HTML><HEAD><meta name=\"GENERATOR\" content=\"x\"></HEAD><BODY>\n"
      "<OBJECT type=\"text/site properties\"><param name=\"Window Styles\" "
      "value=\"0x800025\"></OBJECT>\n<UL>\n" +
      sitemap("Welcome", "index.htm") + "<UL>\n" + sitemap("Chain", "chain.htm") + "<UL>" +
      sitemap("Deep", "deep.htm#part") + "</UL>" + sitemap("Start", "start.htm") + "</UL>\n" +
      sitemap("Last", "last.htm") + "</UL></BODY></HTML>";
  const std::vector<ContentsEntry> tree = parseContents(hhc);
  ASSERT_EQ(tree.size(), 2u);
  EXPECT_EQ(tree[0].name, "Welcome");
  ASSERT_EQ(tree[0].children.size(), 2u);
  EXPECT_EQ(tree[0].children[0].local, "chain.htm");
  ASSERT_EQ(tree[0].children[0].children.size(), 1u);
  EXPECT_EQ(tree[0].children[0].children[0].local, "deep.htm#part");
  EXPECT_EQ(tree[0].children[1].name, "Start");
  EXPECT_EQ(tree[1].name, "Last");
  EXPECT_TRUE(tree[1].children.empty());

  std::vector<std::string> order;
  for (const ContentsEntry* entry : flattenContents(tree)) order.push_back(entry->name);
  EXPECT_EQ(order, (std::vector<std::string>{"Welcome", "Chain", "Deep", "Start", "Last"}));
}

TEST(ChmContents, ToleratesTheWaysHandWrittenFilesDiffer) {
  const std::string hhc =
      "<!-- <OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Hidden\"></OBJECT> -->"
      "<ul><li><object TYPE='TEXT/SITEMAP'><PARAM NAME=name VALUE='Fish &amp; Chips &#233;'>"
      "<param name=\"Local\" value=\"a>b.htm\"><param name=\"Name\" value=\"Second name\">"
      "<param name=\"Local\" value=\"second.htm\"></object>"
      "<li><object type=\"text/sitemap\"></object>"  // no name, no topic: left out
      "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Unclosed\">"
      "<ul><li>";
  const std::vector<ContentsEntry> tree = parseContents(hhc);
  ASSERT_EQ(tree.size(), 2u);
  EXPECT_TRUE(tree[0].children.empty());
  EXPECT_EQ(tree[0].name, "Fish & Chips \xC3\xA9");
  EXPECT_EQ(tree[0].local, "a>b.htm");
  EXPECT_EQ(tree[1].name, "Unclosed");
}

TEST(ChmContents, AListBeforeAnyEntryAddsToTheSameLevel) {
  const std::vector<ContentsEntry> tree = parseContents(
      "<UL><UL>" + sitemap("A", "a.htm") + "</UL></UL></UL></UL>" + sitemap("B", "b.htm"));
  ASSERT_EQ(tree.size(), 2u);
  EXPECT_EQ(tree[1].name, "B");
}

TEST(ChmContents, NestingBeyondTheLimitIsFlattened) {
  std::string hhc;
  for (int i = 0; i < 1000; ++i) hhc += "<UL>" + sitemap("E" + std::to_string(i), "e.htm");
  const std::vector<ContentsEntry> tree = parseContents(hhc);
  int depth = 0;
  const std::vector<ContentsEntry>* level = &tree;
  std::size_t deepest = 0;
  while (!level->empty()) {
    ++depth;
    deepest = level->size();
    level = &level->back().children;
  }
  EXPECT_EQ(depth, kMaxContentsDepth);
  EXPECT_EQ(flattenContents(tree).size(), 1000u);
  EXPECT_GT(deepest, 1u);
}

TEST(HtmlText, DecodesCharacterReferencesAndKeepsWhatIsNotOne) {
  EXPECT_EQ(decodeCharacterReferences("a &lt;b&gt; &quot;c&quot; &apos;d&apos; &amp;"),
            "a <b> \"c\" 'd' &");
  EXPECT_EQ(decodeCharacterReferences("&#176;C &#xB0;F &#X1F600;"),
            "\xC2\xB0"
            "C \xC2\xB0"
            "F \xF0\x9F\x98\x80");
  for (const char* kept : {"&#0;", "&#xD800;", "&#1114112;", "&unknown;", "& lone", "&#;", "&#x;",
                           "&#12a;", "trailing &", "&amp", "&#99999999999999999999;"})
    EXPECT_EQ(decodeCharacterReferences(kept), kept) << kept;
}

TEST(TopicPaths, BecomeObjectPathsWithoutFragmentOrArchivePrefix) {
  EXPECT_EQ(topicObjectPath("page.htm#part"), "/page.htm");
  EXPECT_EQ(topicObjectPath("/page.htm"), "/page.htm");
  EXPECT_EQ(topicObjectPath("ms-its:kestrova.chm::/sub/page.htm"), "/sub/page.htm");
  EXPECT_EQ(topicObjectPath(""), "/");
}

class ChmArchiveOpening : public TemporaryFolder {};

void expectOpenError(const std::string& path, const std::string& reason) {
  try {
    ChmArchive archive(path);
    ADD_FAILURE() << "opened " << path;
  } catch (const Error& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("'" + path + "'"), std::string::npos) << message;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
  }
}

TEST_F(ChmArchiveOpening, NamesTheFileAndTheReason) {
  expectOpenError(file("missing.chm"), "No such file or directory");
  expectOpenError(folder().string(), "Is a directory");
  testing::TempFolder::writeFile(folder() / "text.chm", "This is a text file, not help.\n");
  expectOpenError(file("text.chm"), "not a compiled help file");
  testing::TempFolder::writeFile(folder() / "empty.chm", "");
  expectOpenError(file("empty.chm"), "not a compiled help file");
}

}  // namespace
}  // namespace kestrova::ui
