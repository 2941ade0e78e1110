// tavix-replay: feed a host byte stream through the engine and print the
// resulting screen, attributes, cursor and replies.
//
//   tavix-replay [--attrs] [--cursor] [--replies] [--quiet] [FILE...]
//
// With no FILE the stream comes from standard input.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cp437_utf8.h"
#include "engine.h"
#include "recording_shell.h"

namespace {

struct Options {
  bool attrs = false;
  bool cursor = false;
  bool replies = false;
  bool quiet = false;
  std::vector<const char*> files;
};

int Usage() {
  std::fprintf(stderr, "usage: tavix-replay [--attrs] [--cursor] [--replies] [--quiet] [FILE...]\n");
  return 2;
}

// Feeds a stream through the parser a chunk at a time, so a capture of any
// size replays in constant memory; the parser keeps its state between chunks.
bool FeedStream(std::FILE* in) {
  static uint8_t chunk[1 << 16];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) ParseBytes(chunk, n);
  return !std::ferror(in);
}

void PrintScreen(std::FILE* out) {
  std::string line;
  for (int row = 0; row < kScreenRows; ++row) {
    line.clear();
    for (int col = 0; col < kScreenCols; ++col) line += Cp437ToUtf8(Screen.cells[row * kScreenCols + col].glyph);
    line += '\n';
    std::fputs(line.c_str(), out);
  }
}

void PrintAttributes(std::FILE* out) {
  static const char kHex[] = "0123456789abcdef";
  char line[kScreenCols + 2];
  for (int row = 0; row < kScreenRows; ++row) {
    for (int col = 0; col < kScreenCols; ++col) {
      uint8_t c = Screen.cells[row * kScreenCols + col].attrClass;
      line[col] = c > 15 ? '+' : kHex[c];
    }
    line[kScreenCols] = '\n';
    line[kScreenCols + 1] = 0;
    std::fputs(line, out);
  }
}

void PrintCursor(std::FILE* out) {
  const WindowState& w = Screen.win;
  std::fprintf(out, "cursor %d %d window %d %d %d %d\n", w.cursorCol, w.cursorRow, w.winLeft, w.winTop,
               w.winRight, w.winBottom);
}

void PrintReplies(std::FILE* out, const std::string& sent) {
  std::string line = "replies ";
  char hex[8];
  for (unsigned char b : sent) {
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      line += static_cast<char>(b);
    } else {
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      line += hex;
    }
  }
  line += '\n';
  std::fputs(line.c_str(), out);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes on every platform: no CR LF translation.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  Options opt;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (!std::strcmp(a, "--attrs")) opt.attrs = true;
    else if (!std::strcmp(a, "--cursor")) opt.cursor = true;
    else if (!std::strcmp(a, "--replies")) opt.replies = true;
    else if (!std::strcmp(a, "--quiet")) opt.quiet = true;
    else if (!std::strcmp(a, "--help") || !std::strcmp(a, "-h")) return Usage();
    else if (a[0] == '-' && a[1] == '-') return Usage();
    else opt.files.push_back(a);
  }

  // Every file must open before the first byte is parsed: a missing one is
  // reported without a half-replayed screen.
  for (const char* name : opt.files) {
    std::FILE* f = std::fopen(name, "rb");
    if (!f) {
      std::fprintf(stderr, "tavix-replay: cannot open %s: %s\n", name, std::strerror(errno));
      return 2;
    }
    std::fclose(f);
  }

  // A fresh connection: initialised screen, emulation reset, services absent.
  RecordingShell shell;
  shell.keepInvalidations = false;
  shell.userId.clear();  // no configuration: an empty user id
  shell.Attach(false);
  ResetEngine();
  ResetConnectionState();

  if (opt.files.empty() && !FeedStream(stdin)) {
    std::fprintf(stderr, "tavix-replay: cannot read standard input\n");
    return 2;
  }
  for (const char* name : opt.files) {
    std::FILE* f = std::fopen(name, "rb");
    bool ok = f && FeedStream(f);
    if (f) std::fclose(f);
    if (!ok) {
      std::fprintf(stderr, "tavix-replay: cannot read %s\n", name);
      return 2;
    }
  }

  if (opt.quiet) return 0;
  PrintScreen(stdout);
  if (opt.attrs) PrintAttributes(stdout);
  if (opt.cursor) PrintCursor(stdout);
  if (opt.replies) PrintReplies(stdout, shell.sent);
  return 0;
}
