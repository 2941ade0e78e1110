#include "comment_block.h"

#include "edit_lines.h"
#include "edit_syntax.h"

const char kCommentSeparator[] = "*-------------------------------------------------------------------------*";
const char kInvalidVariableText[] = "Invalid variable name";
const char kDuplicateVariableText[] = "Duplicate variable name";

std::string NormaliseCommentText(const std::string& text) { return text; }
ProgramComment NormaliseComment(const ProgramComment& comment) { return comment; }
std::vector<std::string> WriteCommentBlock(const ProgramComment&) { return {}; }
int ReadCommentBlock(const std::vector<std::string>&, ProgramComment& out) {
  out = ProgramComment();
  return 0;
}
int ReadCommentBlock(const EditLines& lines, ProgramComment& out) {
  std::vector<std::string> head;
  for (int i = 0; i < lines.Count(); ++i) head.push_back(lines.At(i));
  return ReadCommentBlock(head, out);
}
std::string CommentTitleLine(const std::string& title) { return title; }

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
