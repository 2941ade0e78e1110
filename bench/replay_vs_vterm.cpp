// Screens per second: tavix-replay against libvterm on the same screens.
//
//   bench_replay_vs_vterm TAVIX_REPLAY [SCREENS]     (default 20000 screens)
//
// Writes two streams of the same full 80 x 24 repaints: the host's form
// (ESC Y row addressing, SO/SI attribute switches every 16 characters) and
// the VT100 form (CSI row;col H, SGR 7 / SGR 0). Times `TAVIX_REPLAY --quiet`
// on the first (a process of its own, reading its file in chunks) and libvterm
// with its screen layer on the second (in this process, reading its file in
// the same chunks), and prints both rates and their ratio. libvterm is a
// benchmark peer only.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern "C" {
#include <vterm.h>
}

namespace {

constexpr int kRows = 24;
constexpr int kCols = 80;
constexpr int kBlock = 16;  // characters between attribute switches

char Letter(int screen, int row, int col) { return static_cast<char>('A' + (screen + row * 7 + col) % 26); }

// One screen in the host's form. Wrap is off, as the host has it while it
// paints whole screens, so the last row does not scroll.
std::string HostScreen(int screen) {
  std::string s;
  for (int row = 0; row < kRows; ++row) {
    s += "\x1bY";
    s += static_cast<char>(32 + row);
    s += static_cast<char>(32);
    for (int col = 0; col < kCols; ++col) {
      if (col % kBlock == 0) s += (col / kBlock) % 2 ? '\x0e' : '\x0f';
      s += Letter(screen, row, col);
    }
  }
  return s;
}

// The same screen for a VT100: auto-wrap off too.
std::string VtScreen(int screen) {
  std::string s;
  char at[16];
  for (int row = 0; row < kRows; ++row) {
    std::snprintf(at, sizeof at, "\x1b[%d;1H", row + 1);
    s += at;
    for (int col = 0; col < kCols; ++col) {
      if (col % kBlock == 0) s += (col / kBlock) % 2 ? "\x1b[7m" : "\x1b[0m";
      s += Letter(screen, row, col);
    }
  }
  return s;
}

bool WriteStream(const std::string& path, const char* start, std::string (*screen)(int), int screens) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fputs(start, f) >= 0;
  for (int i = 0; ok && i < screens; ++i) {
    const std::string s = screen(i);
    ok = std::fwrite(s.data(), 1, s.size(), f) == s.size();
  }
  return std::fclose(f) == 0 && ok;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Runs the replay tool on the stream; its time, or a negative value on failure.
double TimeReplay(const char* replay, const std::string& stream) {
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    execl(replay, replay, "--quiet", stream.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return Seconds(start);
}

// Feeds the stream to libvterm's screen layer in 64 KB chunks; its time, or a
// negative value on failure. The last screen's first cell is checked.
double TimeVterm(const std::string& stream, int screens) {
  const auto start = std::chrono::steady_clock::now();
  VTerm* vt = vterm_new(kRows, kCols);
  vterm_set_utf8(vt, 0);
  VTermScreen* screen = vterm_obtain_screen(vt);
  vterm_screen_reset(screen, 1);
  std::FILE* f = std::fopen(stream.c_str(), "rb");
  if (!f) return -1;
  static char chunk[1 << 16];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) vterm_input_write(vt, chunk, n);
  std::fclose(f);
  const double seconds = Seconds(start);
  VTermScreenCell cell;
  VTermPos pos = {0, 0};
  vterm_screen_get_cell(screen, pos, &cell);
  const bool right = cell.chars[0] == static_cast<uint32_t>(Letter(screens - 1, 0, 0));
  vterm_free(vt);
  return right ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_replay_vs_vterm TAVIX_REPLAY [SCREENS]\n");
    return 2;
  }
  const int screens = argc > 2 ? std::atoi(argv[2]) : 20000;
  if (screens < 1) return 2;
  char folder[] = "/tmp/tavix-bench-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  const std::string host = std::string(folder) + "/host.stream";
  const std::string vt = std::string(folder) + "/vt100.stream";
  if (!WriteStream(host, "\x1b~w", HostScreen, screens) || !WriteStream(vt, "\x1b[?7l", VtScreen, screens)) {
    std::fprintf(stderr, "bench: cannot write the streams in %s\n", folder);
    return 1;
  }
  // Best of three each: the figures are about the code, not a busy moment.
  double replay = -1, vterm = -1;
  for (int run = 0; run < 3; ++run) {
    const double r = TimeReplay(argv[1], host);
    const double v = TimeVterm(vt, screens);
    if (r < 0 || v < 0) {
      std::fprintf(stderr, "bench: %s failed\n", r < 0 ? "tavix-replay" : "libvterm (wrong last screen)");
      return 1;
    }
    if (replay < 0 || r < replay) replay = r;
    if (vterm < 0 || v < vterm) vterm = v;
  }
  std::remove(host.c_str());
  std::remove(vt.c_str());
  rmdir(folder);
  std::printf("%d screens of 80 x 24 (row addressing, attribute switches every %d characters), best of 3\n",
              screens, kBlock);
  std::printf("  tavix-replay --quiet: %10.0f screens/s (%.3f s)\n", screens / replay, replay);
  std::printf("  libvterm screen:      %10.0f screens/s (%.3f s)\n", screens / vterm, vterm);
  std::printf("  ratio: tavix %.1f x libvterm (goal: at least 10 x)\n", vterm / replay);
  return 0;
}
