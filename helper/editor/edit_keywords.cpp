#include "edit_keywords.h"

#include <cstdint>
#include <cstring>

namespace {

const char* const kKeywords[kKeywordCount] = {
    "abort", "aborte", "abortm", "abs", "abss", "acos", "adds", "all", "alpha", "and", "ands", "arg.",
    "ascii", "asin", "assign", "assigned", "atan", "authorization", "bconvert", "before", "begin", "bitand",
    "bitnot", "bitor", "bitreset", "bitset", "bittest", "bitxor", "break", "bscan", "by", "call", "calling",
    "capturing", "case", "cat", "cats", "chain", "change", "char", "chars", "checksum", "clear",
    "clearcommon", "cleardata", "clearfile", "clearinput", "clearprompts", "clearselect", "close",
    "closeseq", "col1", "col2", "com", "commit", "common", "compare", "continue", "convert", "cos", "cosh",
    "count", "counts", "create", "crt", "data", "date", "dcount", "debug", "declare", "deffun", "del",
    "delete", "deletelist", "deleteu", "diagnostics", "dim", "dimension", "display", "div", "divs", "do",
    "downcase", "dquote", "dtx", "ebcdic", "echo", "else", "end", "enter", "eof", "eq", "eqs", "equ",
    "equate", "ereplace", "errmsg", "error", "exchange", "exec", "execute", "exit", "exp", "extract", "fadd",
    "fdiv", "ffix", "fflt", "field", "fields", "fieldstore", "fileinfo", "filelock", "fileunlock", "find",
    "findstr", "fix", "flush", "fmt", "fmts", "fmul", "fold", "footing", "for", "formlist", "from", "fsub",
    "function", "garbagecollect", "gci", "ge", "ges", "get", "getlist", "getrem", "getx", "go", "gosub",
    "goto", "group", "groupstore", "gt", "gts", "heading", "headinge", "headingn", "hush", "icheck", "iconv",
    "iconvs", "if", "ifs", "ilprompt", "in", "include", "index", "indexs", "indices", "inmat", "input",
    "inputclear", "inputdisp", "inputerr", "inputif", "inputnull", "inputtrap", "ins", "insert", "int",
    "isnull", "isnulls", "isolation", "itype", "key", "keyedit", "keyexit", "keyin", "keytrap", "le", "left",
    "len", "lens", "les", "let", "level", "lit", "literally", "ln", "locate", "lock", "locked", "loop",
    "lower", "lptr", "lt", "lts", "mat", "matbuild", "match", "matches", "matchfield", "matparse", "matread",
    "matreadl", "matreadu", "matwrite", "matwriteu", "maximum", "message", "minimum", "mod", "mods", "mtu",
    "muls", "nap", "ne", "neg", "negs", "nes", "next", "nobuf", "no.isolation", "not", "nots", "null", "num",
    "nums", "oconv", "oconvs", "off", "on", "open", "opencheck", "opendev", "openpath", "openseq", "or",
    "ors", "out", "page", "passlist", "pcdriver", "perform", "precision", "print", "printer", "printerio",
    "printerr", "procread", "procwrite", "prog", "program", "prompt", "pwr", "quote", "raise", "randomize",
    "read", "read.committed", "read.uncommitted", "readblk", "readl", "readlist", "readnext", "readseq",
    "readt", "readu", "readv", "readvl", "readvu", "real", "recio", "recordlocked", "recordlockl",
    "recordlocku", "release", "remove", "repeat", "repeatable.read", "replace", "reset", "return",
    "returning", "reuse", "revremove", "rewind", "right", "rnd", "rollback", "rpc.call", "rpc.connect",
    "rpc.disconnect", "rqm", "rtnlist", "sadd", "scmp", "sdiv", "seek", "select", "selecte", "selectindex",
    "selectn", "selectv", "send", "sentence", "seq", "seqs", "seqsum", "serializae", "set", "setrem",
    "setting", "sin", "sinh", "sleep", "smul", "soundex", "space", "spaces", "splice", "sqlalloconnect",
    "sqlallocenv", "sqlallocstmt", "sqlbindcol", "sqlcancel", "sqlcolattributes", "sqlconnect",
    "sqldescribecol", "sqldisconnect", "sqlerror", "sqlexecdirect", "sqlexecute", "sqlfetch",
    "sqlfreeconnect", "sqlfreeenv", "sqlfreestmt", "sqlgetcursorname", "sqlnumresultcols", "sqlprepare",
    "sqlrowcount", "sqlsetconnect-option", "sqlsetcursorname", "sqlsetparam", "sqrt", "squote", "sselect",
    "sselectn", "sselectv", "ssub", "start", "status", "step", "stop", "stope", "stopm", "storage", "str",
    "strs", "sub", "subr", "subroutine", "subs", "substrings", "sum", "summation", "system", "tabstop",
    "tan", "tanh", "terminfo", "then", "time", "timedate", "timeout", "to", "tparm", "tprint", "trans",
    "transaction", "trim", "trimb", "trimbs", "trimf", "trimfs", "trims", "ttyctl", "ttyget", "ttyset",
    "unassigned", "unit", "unlock", "until", "upcase", "using", "weof", "weofseq", "weofseqf", "while",
    "wordsize", "workwrite", "write", "writeblk", "writelist", "writeseq", "writeseqf", "writet", "writeu",
    "writev", "writevu", "xlate", "xtd", "get(arg.)",
};

constexpr int kLongestKeyword = 32;
constexpr unsigned kSlots = 1024;  // a power of two, well over twice the table

inline unsigned char Fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

uint32_t FoldedHash(const char* text, size_t length) {
  uint32_t h = 2166136261u;
  for (size_t i = 0; i < length; ++i) {
    h ^= Fold(static_cast<unsigned char>(text[i]));
    h *= 16777619u;
  }
  return h;
}

bool FoldedEqual(const char* a, const char* b, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (Fold(static_cast<unsigned char>(a[i])) != Fold(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// Open addressing over the folded texts; a slot holds entry + 1 (0 empty).
// Entries are placed in table order and an entry equal to one already placed
// is skipped, so a probe finds what the linear search would find first.
struct KeywordIndex {
  short slots[kSlots] = {};
  unsigned char lengths[kKeywordCount] = {};
  KeywordIndex() {
    for (int i = 0; i < kKeywordCount; ++i) {
      const size_t n = std::strlen(kKeywords[i]);
      lengths[i] = static_cast<unsigned char>(n);
      unsigned s = FoldedHash(kKeywords[i], n) & (kSlots - 1);
      bool duplicate = false;
      while (slots[s] != 0) {
        const int other = slots[s] - 1;
        if (lengths[other] == n && FoldedEqual(kKeywords[other], kKeywords[i], n)) {
          duplicate = true;
          break;
        }
        s = (s + 1) & (kSlots - 1);
      }
      if (!duplicate) slots[s] = static_cast<short>(i + 1);
    }
  }
};

const KeywordIndex& Index() {
  static const KeywordIndex index;
  return index;
}

}  // namespace

const char* KeywordAt(int index) { return index >= 0 && index < kKeywordCount ? kKeywords[index] : nullptr; }

int KeywordLength(int index) { return index >= 0 && index < kKeywordCount ? Index().lengths[index] : 0; }

int FindKeyword(const char* token, size_t length) {
  if (!token || length == 0 || length > kLongestKeyword) return -1;
  const KeywordIndex& index = Index();
  unsigned s = FoldedHash(token, length) & (kSlots - 1);
  while (index.slots[s] != 0) {
    const int entry = index.slots[s] - 1;
    if (index.lengths[entry] == length && FoldedEqual(kKeywords[entry], token, length)) return entry;
    s = (s + 1) & (kSlots - 1);
  }
  return -1;
}
