#include "comment_block.h"

#include <algorithm>
#include <cstring>

#include "edit_lines.h"
#include "edit_syntax.h"
#include "edit_text_ops.h"

const char kCommentSeparator[] = "*-------------------------------------------------------------------------*";
const char kInvalidVariableText[] = "Invalid variable name";
const char kDuplicateVariableText[] = "Duplicate variable name";

namespace {

const char kRoutinePrefix[] = "*** Subroutine - ";
const char kDescriptionTitle[] = "Program Description";
const char kParametersTitle[] = "Parameter Definition";
const char kCommonTitle[] = "Common Variables";
const char kTextPrefix[] = "*** ";
constexpr size_t kTextPrefixLength = 4;
// Continuations are indented; a hanging indent is used only while this much
// room is left after it, else the wrap could not advance.
constexpr int kMinimumRoom = 20;
constexpr int kPlainIndent = 2;
// The longest name the first line of a parameter leaves room for.
constexpr size_t kLongestName = kCommentWidth - kTextPrefixLength - 1 - 8 - 3;
constexpr size_t kLongestRoutine = kCommentWidth - (sizeof kRoutinePrefix - 1);

// Paragraphs at CR, LF or CR LF, as pasted text is split; tabs count as spaces.
std::vector<std::string> Paragraphs(const std::string& text) {
  std::vector<std::string> out = SplitPastedText(text);
  for (std::string& p : out) {
    for (char& c : p) {
      if (c == '\t') c = ' ';
    }
  }
  return out;
}

std::string CollapseSpaces(const std::string& paragraph) {
  std::string out;
  for (char c : paragraph) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::vector<std::string> Words(const std::string& paragraph) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < paragraph.size()) {
    const size_t end = paragraph.find(' ', i);
    const size_t stop = end == std::string::npos ? paragraph.size() : end;
    if (stop > i) words.push_back(paragraph.substr(i, stop - i));
    i = stop + 1;
  }
  return words;
}

void TrimRight(std::string& s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
}

bool EqualNoCase(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

bool StartsNoCase(const std::string& s, const char* prefix) {
  const size_t n = std::strlen(prefix);
  return s.size() >= n && EqualNoCase(s.data(), prefix, n);
}

// Greedy word wrap of one paragraph: the first line starts with
// `firstPrefix`, the others with `nextPrefix` (always ending in a space
// beyond the text prefix, which is how the reader knows a continuation). A
// word too long for a line of its own is cut, the cut marked by "_" at the
// very end of a full line; a full line ending in "_" is therefore never left
// at a plain break.
void Wrap(const std::string& firstPrefix, const std::string& nextPrefix, const std::string& paragraph,
          std::vector<std::string>& out) {
  const size_t width = kCommentWidth;
  std::vector<std::string> words = Words(paragraph);
  std::string line = firstPrefix;
  bool hasWord = false;
  bool first = true;
  auto push = [&] {
    std::string done = line;
    TrimRight(done);
    out.push_back(done);
    line = nextPrefix;
    hasWord = false;
    first = false;
  };
  for (size_t w = 0; w < words.size(); ++w) {
    std::string word = words[w];
    const bool more = w + 1 < words.size();
    while (true) {
      const size_t sep = hasWord ? 1 : 0;
      const size_t length = line.size() + sep + word.size();
      const bool looksCut = length == width && word.back() == '_' && more;
      if (length <= width && !looksCut) {
        if (hasWord) line += ' ';
        line += word;
        hasWord = true;
        break;
      }
      if (hasWord) {
        push();
        continue;
      }
      // The word alone does not fit here: go on to a continuation line when
      // this is a first line with less room, else cut it.
      if (first && nextPrefix.size() < line.size() && nextPrefix.size() + word.size() <= width &&
          !(nextPrefix.size() + word.size() == width && word.back() == '_' && more)) {
        push();
        continue;
      }
      const size_t room = width - line.size() - 1;
      if (line.size() + 2 > width) {
        push();
        continue;
      }
      line += word.substr(0, room);
      line += '_';
      word.erase(0, room);
      push();
    }
  }
  if (hasWord || out.empty() || first) push();
}

void WriteText(const std::string& text, std::vector<std::string>& out) {
  const std::string normal = NormaliseCommentText(text);
  if (normal.empty()) return;
  for (const std::string& paragraph : Paragraphs(normal)) {
    if (paragraph.empty()) {
      out.push_back("***");
      continue;
    }
    int indent = kPlainIndent;
    const std::vector<std::string> words = Words(paragraph);
    if (words.size() > 1 && words[0].back() == ':') {
      const int hanging = static_cast<int>(words[0].size()) + 1;
      if (kCommentWidth - static_cast<int>(kTextPrefixLength) - hanging >= kMinimumRoom) indent = hanging;
    }
    Wrap(kTextPrefix, kTextPrefix + std::string(static_cast<size_t>(indent), ' '), paragraph, out);
  }
}

std::string Bracketed(const CommentParameter& p) {
  const char* open = p.use == kUseOptional ? "(" : p.use == kUseConditional ? "<" : "[";
  const char* close = p.use == kUseOptional ? ")" : p.use == kUseConditional ? ">" : "]";
  return std::string(open) + DirectionText(p.direction) + close;
}

void WriteParameters(const std::vector<CommentParameter>& parameters, std::vector<std::string>& out) {
  size_t nameWidth = 0, directionWidth = 0;
  for (const CommentParameter& p : parameters) {
    nameWidth = std::max(nameWidth, p.name.size());
    directionWidth = std::max(directionWidth, Bracketed(p).size());
  }
  for (const CommentParameter& p : parameters) {
    std::string first = kTextPrefix + p.name;
    first.resize(kTextPrefixLength + nameWidth, ' ');
    first += ' ';
    first += Bracketed(p);
    first.resize(kTextPrefixLength + nameWidth + 1 + directionWidth, ' ');
    first += " - ";
    const int column = static_cast<int>(first.size());
    const int indent = kCommentWidth - column >= kMinimumRoom ? column - static_cast<int>(kTextPrefixLength)
                                                               : kPlainIndent;
    const std::string next = kTextPrefix + std::string(static_cast<size_t>(indent), ' ');
    Wrap(first, next, p.comment, out);
  }
}

bool IsTextLine(const std::string& line) {
  return line == "***" || line.compare(0, kTextPrefixLength, kTextPrefix) == 0;
}

// A separator or title line: "*-", hyphens, an optional title, hyphens, "-*".
bool IsRuleLine(const std::string& line, std::string* title) {
  if (line.size() < 4 || line.size() > static_cast<size_t>(kCommentWidth) || line.compare(0, 2, "*-") != 0 ||
      line.compare(line.size() - 2, 2, "-*") != 0) {
    return false;
  }
  size_t a = 1, b = line.size() - 1;
  while (a < b && line[a] == '-') ++a;
  while (b > a && line[b - 1] == '-') --b;
  if (title) *title = line.substr(a, b - a);
  return true;
}

bool IsSeparator(const std::string& line) {
  std::string title;
  return IsRuleLine(line, &title) && title.empty();
}

enum Section { kNone, kDescription, kParameters, kCommon, kAdditional };

int SectionOfTitle(const std::string& title) {
  if (title.size() == std::strlen(kDescriptionTitle) && StartsNoCase(title, kDescriptionTitle)) return kDescription;
  if (title.size() == std::strlen(kParametersTitle) && StartsNoCase(title, kParametersTitle)) return kParameters;
  if (StartsNoCase(title, "COMMON")) return kCommon;  // "Common Variables" or older "COMMON ..." titles
  if (StartsNoCase(title, "ADDITIONAL INFORMATION")) return kAdditional;
  return kNone;
}

bool ReadRoutine(const std::string& line, std::string& name) {
  if (line.compare(0, 3, "***") != 0) return false;
  std::string rest = line.substr(3);
  rest.erase(0, rest.find_first_not_of(' ') == std::string::npos ? rest.size() : rest.find_first_not_of(' '));
  for (const char* prefix : {"Subroutine:", "Subroutine -", "Routine:", "Program:"}) {
    if (StartsNoCase(rest, prefix)) {
      name = rest.substr(std::strlen(prefix));
      name.erase(0, name.find_first_not_of(' ') == std::string::npos ? name.size() : name.find_first_not_of(' '));
      TrimRight(name);
      return true;
    }
  }
  return false;
}

// Paragraph text gathered from text lines: continuations (indented) join the
// paragraph before them, with a space or, after a cut, directly.
class TextReader {
 public:
  void Line(const std::string& line, bool continuation, bool afterCut) {
    std::string content = line.size() > kTextPrefixLength ? line.substr(kTextPrefixLength) : std::string();
    if (continuation && !paragraphs_.empty()) {
      content.erase(0, content.find_first_not_of(' '));
      Join(paragraphs_.back(), content, afterCut);
      return;
    }
    paragraphs_.push_back(content);
  }
  static void Join(std::string& paragraph, const std::string& more, bool afterCut) {
    if (afterCut && !paragraph.empty() && paragraph.back() == '_') {
      paragraph.pop_back();
    } else if (!paragraph.empty()) {
      paragraph += ' ';
    }
    paragraph += more;
  }
  std::string Text() const {
    std::string out;
    for (size_t i = 0; i < paragraphs_.size(); ++i) {
      if (i) out += "\r\n";
      out += paragraphs_[i];
    }
    return NormaliseCommentText(out);
  }

 private:
  std::vector<std::string> paragraphs_;
};

int ParseDirection(const std::string& text) {
  if (StartsNoCase(text, "IN/OUT") && text.size() == 6) return kDirectionInOut;
  if (StartsNoCase(text, "OUT") && text.size() == 3) return kDirectionOut;
  return kDirectionIn;
}

bool ParseParameter(const std::string& line, CommentParameter& p) {
  const std::string s = line.size() > kTextPrefixLength ? line.substr(kTextPrefixLength) : std::string();
  size_t i = 0;
  while (i < s.size() && IsIdentifierChar(static_cast<unsigned char>(s[i]))) ++i;
  if (i == 0) return false;
  p = CommentParameter();
  p.name = s.substr(0, i);
  while (i < s.size() && s[i] == ' ') ++i;
  if (i >= s.size()) return false;
  const char open = s[i];
  const char close = open == '[' ? ']' : open == '(' ? ')' : open == '<' ? '>' : 0;
  if (!close) return false;
  const size_t end = s.find(close, i + 1);
  if (end == std::string::npos) return false;
  p.use = open == '[' ? kUseRequired : open == '(' ? kUseOptional : kUseConditional;
  p.direction = ParseDirection(s.substr(i + 1, end - i - 1));
  i = end + 1;
  while (i < s.size() && s[i] == ' ') ++i;
  if (i >= s.size() || s[i] != '-') return false;
  ++i;
  while (i < s.size() && s[i] == ' ') ++i;
  p.comment = s.substr(i);
  TrimRight(p.comment);
  return true;
}

}  // namespace

std::string NormaliseCommentText(const std::string& text) {
  std::vector<std::string> paragraphs = Paragraphs(text);
  for (std::string& p : paragraphs) p = CollapseSpaces(p.substr(std::min(p.size(), p.find_first_not_of(' '))));
  while (!paragraphs.empty() && paragraphs.back().empty()) paragraphs.pop_back();
  std::string out;
  for (size_t i = 0; i < paragraphs.size(); ++i) {
    if (i) out += "\r\n";
    out += paragraphs[i];
  }
  return out;
}

ProgramComment NormaliseComment(const ProgramComment& comment) {
  ProgramComment c = comment;
  c.routine = CollapseSpaces(NormaliseCommentText(c.routine));
  for (char& ch : c.routine) {
    if (ch == '\r' || ch == '\n') ch = ' ';
  }
  c.routine = CollapseSpaces(c.routine);
  if (c.routine.size() > kLongestRoutine) c.routine.resize(kLongestRoutine);
  TrimRight(c.routine);
  c.description = NormaliseCommentText(c.description);
  c.common = NormaliseCommentText(c.common);
  c.additional = NormaliseCommentText(c.additional);
  for (CommentParameter& p : c.parameters) {
    if (p.name.size() > kLongestName) p.name.resize(kLongestName);
    if (p.direction < kDirectionIn || p.direction > kDirectionInOut) p.direction = kDirectionIn;
    if (p.use < kUseRequired || p.use > kUseConditional) p.use = kUseRequired;
    // A parameter's comment is one paragraph.
    std::string flat = p.comment;
    for (char& ch : flat) {
      if (ch == '\r' || ch == '\n' || ch == '\t') ch = ' ';
    }
    flat = CollapseSpaces(flat);
    flat.erase(0, std::min(flat.size(), flat.find_first_not_of(' ')));
    p.comment = flat;
  }
  return c;
}

std::string CommentTitleLine(const std::string& title) {
  const std::string separator = kCommentSeparator;
  const int n = static_cast<int>(title.size());
  if (n + 2 > kCommentWidth) return separator;
  const int b = (kCommentWidth - n) / 2;
  return separator.substr(0, static_cast<size_t>(b)) + title +
         separator.substr(separator.size() - static_cast<size_t>(kCommentWidth - b - n));
}

std::vector<std::string> WriteCommentBlock(const ProgramComment& input) {
  const ProgramComment c = NormaliseComment(input);
  std::vector<std::string> out;
  if (!c.routine.empty()) out.push_back(kRoutinePrefix + c.routine);
  out.push_back(CommentTitleLine(kDescriptionTitle));
  WriteText(c.description, out);
  out.push_back(CommentTitleLine(kParametersTitle));
  WriteParameters(c.parameters, out);
  out.push_back(CommentTitleLine(kCommonTitle));
  WriteText(c.common, out);
  out.push_back(kCommentSeparator);
  if (!c.additional.empty()) {
    out.push_back(std::string());
    out.push_back(kCommentSeparator);
    WriteText(c.additional, out);
    out.push_back(kCommentSeparator);
  }
  return out;
}

int ReadCommentBlock(const std::vector<std::string>& lines, ProgramComment& out) {
  out = ProgramComment();
  const size_t n = lines.size();
  size_t i = 0;
  std::string title;
  if (n > 0 && ReadRoutine(lines[0], out.routine)) {
    i = 1;
  } else if (n == 0 || !IsRuleLine(lines[0], &title) || SectionOfTitle(title) == kNone) {
    return 0;  // no block at the head of this program
  }
  TextReader description, common, additional;
  int section = kNone;
  bool lastCut = false;  // the line before was full and ended in "_"
  while (i < n) {
    const std::string& line = lines[i];
    if (IsRuleLine(line, &title)) {
      if (!title.empty()) {
        section = SectionOfTitle(title);
        if (section == kNone) break;
        ++i;
        lastCut = false;
        continue;
      }
      ++i;
      if (section == kAdditional) break;  // its closing separator
      // The end of the main part; additional information may follow after
      // an empty line (read as part of the block) and a separator.
      size_t j = i;
      if (j < n && TrimmedLength(lines[j]) == 0) ++j;
      if (j < n && j > i && IsSeparator(lines[j])) {
        i = j + 1;
        section = kAdditional;
        lastCut = false;
        continue;
      }
      break;
    }
    if (!IsTextLine(line) || section == kNone) break;
    const bool continuation = line.size() > kTextPrefixLength && line[kTextPrefixLength] == ' ';
    switch (section) {
      case kDescription: description.Line(line, continuation, lastCut); break;
      case kCommon: common.Line(line, continuation, lastCut); break;
      case kAdditional: additional.Line(line, continuation, lastCut); break;
      case kParameters: {
        CommentParameter p;
        if (continuation && !out.parameters.empty()) {
          std::string more = line.substr(kTextPrefixLength);
          more.erase(0, more.find_first_not_of(' '));
          TextReader::Join(out.parameters.back().comment, more, lastCut);
        } else if (ParseParameter(line, p)) {
          out.parameters.push_back(p);
        }
        break;
      }
      default: break;
    }
    lastCut = line.size() == static_cast<size_t>(kCommentWidth) && line.back() == '_';
    ++i;
  }
  out.description = description.Text();
  out.common = common.Text();
  out.additional = additional.Text();
  return static_cast<int>(i);
}

int ReadCommentBlock(const EditLines& lines, ProgramComment& out) {
  // The block is at the head: read only as far as it can reach.
  std::vector<std::string> head;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string& line = lines.At(i);
    head.push_back(line);
    if (!IsTextLine(line) && !IsRuleLine(line, nullptr) && TrimmedLength(line) != 0) break;
  }
  return ReadCommentBlock(head, out);
}

const char* CheckVariableName(const std::string& name, const std::vector<CommentParameter>& parameters, int self) {
  if (name.empty()) return kInvalidVariableText;
  for (char c : name) {
    if (!IsIdentifierChar(static_cast<unsigned char>(c))) return kInvalidVariableText;
  }
  for (size_t i = 0; i < parameters.size(); ++i) {
    if (static_cast<int>(i) != self && parameters[i].name == name) return kDuplicateVariableText;
  }
  return nullptr;
}

std::string DeleteVariableQuestion(const std::string& name) { return "Are you sure you want to delete " + name; }

const char* DirectionText(int direction) {
  switch (direction) {
    case kDirectionOut: return "OUT";
    case kDirectionInOut: return "IN/OUT";
    default: return "IN";
  }
}

const char* UseText(int use) {
  switch (use) {
    case kUseOptional: return "Optional";
    case kUseConditional: return "Conditional";
    default: return "Requird";
  }
}
