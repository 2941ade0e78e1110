// The structured comment block at the head of a program: the routine name,
// description, parameters, common variables and additional information,
// written as comment lines of at most 75 characters and read back from them.
#pragma once

#include <string>
#include <vector>

class EditLines;

constexpr int kCommentWidth = 75;

enum ParameterDirection { kDirectionIn = 0, kDirectionOut = 1, kDirectionInOut = 2 };
enum ParameterUse { kUseRequired = 0, kUseOptional = 1, kUseConditional = 2 };

struct CommentParameter {
  std::string name;
  int direction = kDirectionIn;
  int use = kUseRequired;
  std::string comment;
  bool operator==(const CommentParameter& o) const {
    return name == o.name && direction == o.direction && use == o.use && comment == o.comment;
  }
};

// Multi-line texts hold their line breaks as CR LF, as the dialog's edit
// boxes do.
struct ProgramComment {
  std::string routine;
  std::string description;
  std::vector<CommentParameter> parameters;
  std::string common;
  std::string additional;
  bool operator==(const ProgramComment& o) const {
    return routine == o.routine && description == o.description && parameters == o.parameters &&
           common == o.common && additional == o.additional;
  }
};

// A text as the block keeps it: breaks made CR LF, spaces at the start and
// end of each paragraph dropped, runs of spaces made one, empty paragraphs
// at the end dropped. Writing then reading gives a field back in this form.
std::string NormaliseCommentText(const std::string& text);
// Every field normalised; the routine name trimmed.
ProgramComment NormaliseComment(const ProgramComment& comment);

// The lines of the block (none longer than 75 characters, none with
// trailing spaces).
std::vector<std::string> WriteCommentBlock(const ProgramComment& comment);
// Read the block from the first lines of the program; the number of lines it
// takes (0 when the program does not begin with one). Fields are left empty
// when absent.
int ReadCommentBlock(const EditLines& lines, ProgramComment& out);
int ReadCommentBlock(const std::vector<std::string>& lines, ProgramComment& out);

// The separator and a title line.
extern const char kCommentSeparator[];
std::string CommentTitleLine(const std::string& title);

// Checks a new or renamed parameter name against the others (the one at
// `self`, when renaming, is skipped): null when acceptable, else the message
// "Invalid variable name" (also for an empty name) or "Duplicate variable name".
const char* CheckVariableName(const std::string& name, const std::vector<CommentParameter>& parameters,
                              int self = -1);
extern const char kInvalidVariableText[];
extern const char kDuplicateVariableText[];
// "Are you sure you want to delete %s" with the name.
std::string DeleteVariableQuestion(const std::string& name);
// Direction and use captions, as the dialog lists them.
const char* DirectionText(int direction);  // "IN", "OUT", "IN/OUT"
const char* UseText(int use);              // "Requird", "Optional", "Conditional"
