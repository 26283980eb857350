#include "ui/chm_contents.h"

#include <cstdint>
#include <optional>

#include "ui/html_text.h"

namespace kestrova::ui {
namespace {

struct Attribute {
  std::string name;  // lower case
  std::string value;
};

struct Tag {
  std::string name;  // lower case, "/ul" for a closing tag
  std::vector<Attribute> attributes;

  std::string attribute(std::string_view wanted) const {
    for (const Attribute& a : attributes)
      if (a.name == wanted) return a.value;
    return {};
  }
};

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Reads tags one by one and skips the text between them; comments and declarations are skipped.
class TagScanner {
 public:
  explicit TagScanner(std::string_view text) : text_(text) {}

  std::optional<Tag> next() {
    for (;;) {
      pos_ = text_.find('<', pos_);
      if (pos_ == std::string_view::npos) return std::nullopt;
      ++pos_;
      if (text_.substr(pos_, 3) == "!--") {
        skipPast("-->");
        continue;
      }
      if (pos_ < text_.size() && (text_[pos_] == '!' || text_[pos_] == '?')) {
        skipPast(">");
        continue;
      }
      return readTag();
    }
  }

 private:
  void skipPast(std::string_view end) {
    std::size_t found = text_.find(end, pos_);
    pos_ = found == std::string_view::npos ? text_.size() : found + end.size();
  }

  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return text_[pos_]; }
  void skipSpaces() {
    while (!atEnd() && isSpace(peek())) ++pos_;
  }

  std::string readWord() {
    std::string word;
    while (!atEnd() && !isSpace(peek()) && peek() != '>' && peek() != '=' &&
           (peek() != '/' || word.empty()))
      word += lowerAscii(text_[pos_++]);
    return word;
  }

  std::string readValue() {
    std::string value;
    if (!atEnd() && (peek() == '"' || peek() == '\'')) {
      const char quote = text_[pos_++];
      std::size_t end = text_.find(quote, pos_);
      if (end == std::string_view::npos) end = text_.size();
      value = std::string(text_.substr(pos_, end - pos_));
      pos_ = end == text_.size() ? end : end + 1;
    } else {
      while (!atEnd() && !isSpace(peek()) && peek() != '>') value += text_[pos_++];
    }
    return decodeCharacterReferences(value);
  }

  Tag readTag() {
    Tag tag;
    tag.name = readWord();
    for (;;) {
      skipSpaces();
      if (atEnd()) return tag;
      if (peek() == '>') {
        ++pos_;
        return tag;
      }
      if (peek() == '/') {
        ++pos_;
        continue;
      }
      Attribute attribute{readWord(), {}};
      if (attribute.name.empty()) {
        ++pos_;  // a stray '=' or similar
        continue;
      }
      skipSpaces();
      if (!atEnd() && peek() == '=') {
        ++pos_;
        skipSpaces();
        attribute.value = readValue();
      }
      tag.attributes.push_back(std::move(attribute));
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// Builds the tree while the tags go by. The lists on the stack are only ever appended to at the
// top, so the pointers into parents below stay valid.
class TreeBuilder {
 public:
  TreeBuilder() { lists_.push_back({&roots_, 1}); }

  void take(const Tag& tag) {
    // An entry ends at its </OBJECT>, or at the next item or list when that was left out.
    if (tag.name == "li" || tag.name == "ul" || tag.name == "/ul") closeObject();
    if (tag.name == "ul") openList();
    if (tag.name == "/ul" && lists_.size() > 1) lists_.pop_back();
    if (tag.name == "object") openObject(tag);
    if (tag.name == "param" && entry_) takeParam(tag);
    if (tag.name == "/object") closeObject();
  }

  std::vector<ContentsEntry> finish() {
    closeObject();
    return std::move(roots_);
  }

 private:
  struct Level {
    std::vector<ContentsEntry>* list;
    int depth;  // 1 for the top level of the tree
  };

  // A list nests under the entry before it; without one, or at the depth limit, its entries
  // join the current level.
  void openList() {
    const Level top = lists_.back();
    if (top.list->empty() || top.depth >= kMaxContentsDepth)
      lists_.push_back(top);
    else
      lists_.push_back({&top.list->back().children, top.depth + 1});
  }

  void openObject(const Tag& tag) {
    closeObject();
    if (lowerAscii(tag.attribute("type")) == "text/sitemap") entry_.emplace();
  }

  // A sitemap may repeat Name and Local (merged entries); the first of each is the one shown.
  void takeParam(const Tag& tag) {
    const std::string name = lowerAscii(tag.attribute("name"));
    if (name == "name" && entry_->name.empty()) entry_->name = tag.attribute("value");
    if (name == "local" && entry_->local.empty()) entry_->local = tag.attribute("value");
  }

  void closeObject() {
    if (entry_ && !(entry_->name.empty() && entry_->local.empty()))
      lists_.back().list->push_back(std::move(*entry_));
    entry_.reset();
  }

  std::vector<ContentsEntry> roots_;
  std::vector<Level> lists_;
  std::optional<ContentsEntry> entry_;
};

void appendFlat(const std::vector<ContentsEntry>& list, std::vector<const ContentsEntry*>& out) {
  for (const ContentsEntry& entry : list) {
    out.push_back(&entry);
    appendFlat(entry.children, out);
  }
}

}  // namespace

std::vector<ContentsEntry> parseContents(std::string_view hhc) {
  TagScanner scanner(hhc);
  TreeBuilder builder;
  while (std::optional<Tag> tag = scanner.next()) builder.take(*tag);
  return builder.finish();
}

std::vector<const ContentsEntry*> flattenContents(const std::vector<ContentsEntry>& tree) {
  std::vector<const ContentsEntry*> out;
  appendFlat(tree, out);
  return out;
}

}  // namespace kestrova::ui
