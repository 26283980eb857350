#include "products/rgb_recipe.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace kestrova::products {
namespace {

using Op = RecipeStep::Op;

// Deeper nesting than any sensible recipe: refused, so a hostile file cannot exhaust the stack.
constexpr int kMaxNesting = 64;
constexpr std::size_t kMaxSteps = 4096;

struct NamedInput {
  std::string_view name;
  RecipeInput input;
};
constexpr NamedInput kInputs[] = {
    {"c1", RecipeInput::C1},          {"c2", RecipeInput::C2}, {"c3", RecipeInput::C3},
    {"c4", RecipeInput::C4},          {"c5", RecipeInput::C5}, {"sunz", RecipeInput::SunZenith},
    {"satz", RecipeInput::SatZenith},
};

struct NamedFunction {
  std::string_view name;
  Op op;
  int arguments;
};
constexpr NamedFunction kFunctions[] = {
    {"min", Op::Min, 2},   {"max", Op::Max, 2}, {"clamp", Op::Clamp, 3},
    {"sqrt", Op::Sqrt, 1}, {"pow", Op::Pow, 2},
};

int stackEffect(Op op) {
  switch (op) {
    case Op::Number:
    case Op::Input:
      return 1;
    case Op::Negate:
    case Op::Sqrt:
      return 0;
    case Op::Clamp:
      return -2;
    default:
      return -1;
  }
}

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == y;
         });
}

bool isNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// Reads one line of a recipe: "<colour> = <expression>", blank, or a comment.
class LineParser {
 public:
  LineParser(std::string_view text, int line) : text_(text), line_(line) {}

  // The colour (0 R, 1 G, 2 B) the line defines, or -1 for a blank or comment line.
  int parse(RecipeProgram& program) {
    skipSpace();
    if (atEnd()) return -1;
    const int colourColumn = column();
    const std::string_view word = name();
    constexpr std::string_view kColours = "rgb";
    const auto colour =
        word.size() == 1
            ? kColours.find(static_cast<char>(std::tolower(static_cast<unsigned char>(word[0]))))
            : std::string_view::npos;
    if (colour == std::string_view::npos)
      fail(colourColumn, "expected R, G or B at the start of the line");
    skipSpace();
    if (!accept('=')) fail(column(), "expected '=' after the colour");
    program_ = &program;
    expression(0);
    skipSpace();
    if (!atEnd()) fail(column(), "unexpected '" + std::string(1, peek()) + "'");
    return static_cast<int>(colour);
  }

  [[noreturn]] void fail(int column, const std::string& what) const {
    throw RecipeError(line_, column, what);
  }
  int column() const { return static_cast<int>(at_) + 1; }

 private:
  bool atEnd() const { return at_ >= text_.size() || text_[at_] == '#'; }
  char peek() const { return atEnd() ? '\0' : text_[at_]; }
  void skipSpace() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r'))
      ++at_;
  }
  bool accept(char c) {
    skipSpace();
    if (peek() != c) return false;
    ++at_;
    return true;
  }
  void expect(char c, const char* what) {
    if (!accept(c)) fail(column(), std::string("expected ") + what);
  }
  std::string_view name() {
    const std::size_t first = at_;
    while (at_ < text_.size() && isNameChar(text_[at_])) ++at_;
    return text_.substr(first, at_ - first);
  }

  void emit(RecipeStep step) {
    if (program_->steps.size() >= kMaxSteps) fail(column(), "the expression is too long");
    program_->steps.push_back(step);
    depth_ += stackEffect(step.op);
    program_->depth = std::max(program_->depth, depth_);
  }
  void emit(Op op) { emit(RecipeStep{op, 0, RecipeInput::C1}); }

  void enter(int nesting) const {
    if (nesting > kMaxNesting) fail(column(), "the expression is nested too deeply");
  }

  void expression(int nesting) {
    enter(nesting);
    term(nesting);
    for (;;) {
      if (accept('+')) {
        term(nesting);
        emit(Op::Add);
      } else if (accept('-')) {
        term(nesting);
        emit(Op::Subtract);
      } else {
        return;
      }
    }
  }

  void term(int nesting) {
    unary(nesting);
    for (;;) {
      if (accept('*')) {
        unary(nesting);
        emit(Op::Multiply);
      } else if (accept('/')) {
        unary(nesting);
        emit(Op::Divide);
      } else {
        return;
      }
    }
  }

  void unary(int nesting) {
    enter(nesting);
    if (accept('-')) {
      unary(nesting + 1);
      emit(Op::Negate);
    } else if (accept('+')) {
      unary(nesting + 1);
    } else {
      primary(nesting);
    }
  }

  void primary(int nesting) {
    skipSpace();
    const int start = column();
    const char c = peek();
    if (c == '(') {
      ++at_;
      expression(nesting + 1);
      expect(')', "')'");
    } else if (std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.') {
      number(start);
    } else if (isNameChar(c)) {
      named(name(), start, nesting);
    } else {
      fail(start, atEnd() ? "expected a value at the end of the line"
                          : "expected a value, not '" + std::string(1, c) + "'");
    }
  }

  void number(int start) {
    float value = 0;
    const char* first = text_.data() + at_;
    const auto [end, error] = std::from_chars(first, text_.data() + text_.size(), value);
    if (error != std::errc() || !std::isfinite(value)) fail(start, "not a usable number");
    at_ += static_cast<std::size_t>(end - first);
    if (at_ < text_.size() && isNameChar(text_[at_])) fail(column(), "not a usable number");
    emit(RecipeStep{Op::Number, value, RecipeInput::C1});
  }

  void named(std::string_view word, int start, int nesting) {
    for (const auto& in : kInputs) {
      if (sameName(word, in.name)) {
        emit(RecipeStep{Op::Input, 0, in.input});
        return;
      }
    }
    for (const auto& f : kFunctions) {
      if (!sameName(word, f.name)) continue;
      expect('(', "'(' after the function name");
      for (int k = 0; k < f.arguments; ++k) {
        if (k > 0) expect(',', (std::to_string(f.arguments) + " arguments").c_str());
        expression(nesting + 1);
      }
      expect(')', ("')' after " + std::to_string(f.arguments) + " argument" +
                   (f.arguments > 1 ? "s" : ""))
                      .c_str());
      emit(f.op);
      return;
    }
    fail(start, "unknown name '" + std::string(word) +
                    "' (use c1-c5, sunz, satz, min, max, clamp, sqrt, pow)");
  }

  std::string_view text_;
  std::size_t at_ = 0;
  int line_;
  RecipeProgram* program_ = nullptr;
  int depth_ = 0;
};

}  // namespace

RecipeError::RecipeError(int line, int column, const std::string& what)
    : Error("User-RGB recipe, line " + std::to_string(line) + ", column " + std::to_string(column) +
            ": " + what),
      line_(line),
      column_(column) {}

bool RgbRecipe::uses(RecipeInput input) const {
  return std::any_of(colours.begin(), colours.end(), [&](const RecipeProgram& p) {
    return std::any_of(p.steps.begin(), p.steps.end(), [&](const RecipeStep& s) {
      return s.op == RecipeStep::Op::Input && s.input == input;
    });
  });
}

RgbRecipe parseRgbRecipe(std::string_view text) {
  // Editors on other systems may start a UTF-8 file with a byte-order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  RgbRecipe recipe;
  std::array<int, 3> definedOn{};  // line of each colour's definition, 0 when not yet seen
  int line = 0;
  std::size_t at = 0;
  while (at <= text.size()) {
    ++line;
    const std::size_t end = std::min(text.find('\n', at), text.size());
    LineParser parser(text.substr(at, end - at), line);
    RecipeProgram program;
    const int colour = parser.parse(program);
    if (colour >= 0) {
      if (definedOn[colour] != 0)
        parser.fail(1, std::string(1, "RGB"[colour]) + " is already defined on line " +
                           std::to_string(definedOn[colour]));
      definedOn[colour] = line;
      recipe.colours[colour] = std::move(program);
    }
    at = end + 1;
  }
  for (int c = 0; c < 3; ++c)
    if (definedOn[c] == 0)
      throw RecipeError(
          line, 1, std::string("no line defines ") + "RGB"[c] + " (R = ..., G = ..., B = ...)");
  return recipe;
}

}  // namespace kestrova::products
