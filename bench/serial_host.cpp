// The host side of the serial benchmarks, on the far end of a pseudo-terminal
// whose near end is the terminal's COM1 (bench/serial_benchmarks.sh):
//  1. a flood: the terminal's connect string, then a stream of screen updates
//     as fast as the line takes it and an end marker; the clock stops when
//     the terminal's screen dump shows the marker;
//  2. a stream paced at 57600 baud for ten seconds: every block writes one
//     numbered row; screen dumps asked for along the way must show each row
//     whole, and the last block must be on the screen soon after it was sent.
// Prints figures; not a test.
//   serial_host FAR_PTY FLOOD_FILE
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

int line = -1;
std::string received;  // from the terminal, not yet looked at

bool WriteAll(const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(line, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EAGAIN || errno == EINTR) {
        pollfd p{line, POLLOUT, 0};
        poll(&p, 1, 100);
        continue;
      }
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Reads what the terminal sent within the time (milliseconds).
void Receive(int milliseconds) {
  pollfd p{line, POLLIN, 0};
  if (poll(&p, 1, milliseconds) <= 0) return;
  char buf[8192];
  ssize_t n = read(line, buf, sizeof buf);
  if (n > 0) received.append(buf, static_cast<size_t>(n));
}

// Waits until the text arrived; false after the time (seconds).
bool WaitFor(const std::string& text, double seconds, Clock::time_point from = Clock::now()) {
  while (received.find(text) == std::string::npos) {
    if (Seconds(from) > seconds) return false;
    Receive(20);
  }
  return true;
}

// A dump line back to its glyphs: "^nnn" is the byte nnn, glyph 0 a blank.
std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '^' && i + 3 < text.size()) {
      int v = (text[i + 1] - '0') * 100 + (text[i + 2] - '0') * 10 + (text[i + 3] - '0');
      c = static_cast<char>(v);
      i += 3;
    }
    out += c == 0 ? ' ' : c;
  }
  return out;
}

// One screen dump (ESC S I blank): 25 lines of 80 glyphs (control bytes as
// "^nnn"), each ended by CR, then one more CR. False when none came in time.
bool TakeDump(std::vector<std::string>* rows, double seconds) {
  Clock::time_point from = Clock::now();
  for (;;) {
    size_t end = received.find("\r\r");
    if (end != std::string::npos) {
      std::vector<std::string> lines;
      size_t start = 0;
      while (start <= end) {
        size_t cr = received.find('\r', start);
        lines.push_back(received.substr(start, cr - start));
        start = cr + 1;
      }
      received.erase(0, end + 2);
      if (lines.size() < 25) continue;
      rows->assign(lines.end() - 25, lines.end());
      for (std::string& r : *rows) r = Unescape(r);
      return true;
    }
    if (Seconds(from) > seconds) return false;
    Receive(10);
  }
}

const std::string kDumpRequest = "\x1bSI \n";

std::string At(int row, int col) {
  std::string s = "\x1bY";
  s += static_cast<char>(row + 32);
  s += static_cast<char>(col + 32);
  return s;
}

std::string PacedRow(int block) {
  char text[81];
  std::snprintf(text, sizeof text, "%06d ", block);
  std::string row = text;
  for (int i = 0; row.size() < 78; ++i) row += static_cast<char>('A' + (block + i) % 26);
  return row;
}

// The rows of a dump asked for after block `last`: each of the 24 blocks up
// to it must be on its row, whole. Returns the rows checked.
int CheckRows(const std::vector<std::string>& rows, int last, int* damaged) {
  int checked = 0;
  for (int b = last; b > last - 24 && b >= 0; --b) {
    ++checked;
    const std::string& row = rows[static_cast<size_t>(b % 24)];
    if (row.compare(0, 78, PacedRow(b)) != 0) {
      if (std::getenv("SERIAL_HOST_DEBUG"))
        std::fprintf(stderr, "block %d: row '%s'\n", b, row.c_str());
      ++*damaged;
    }
  }
  return checked;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: serial_host FAR_PTY FLOOD_FILE\n");
    return 2;
  }
  line = open(argv[1], O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (line < 0) {
    std::perror(argv[1]);
    return 2;
  }
  termios t;
  tcgetattr(line, &t);
  cfmakeraw(&t);
  tcsetattr(line, TCSANOW, &t);
  std::string flood;
  if (FILE* f = std::fopen(argv[2], "rb")) {
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) flood.append(buf, n);
    std::fclose(f);
  }
  if (flood.empty()) {
    std::fprintf(stderr, "no flood data in %s\n", argv[2]);
    return 2;
  }

  if (!WaitFor("HELLO\r", 60)) {
    std::fprintf(stderr, "the terminal did not open the line\n");
    return 1;
  }
  received.clear();
  std::vector<std::string> rows;

  // ---- The flood ------------------------------------------------------------
  WriteAll("\x1bWI\n" + kDumpRequest);
  if (!TakeDump(&rows, 20)) return 1;
  Clock::time_point start = Clock::now();
  WriteAll(flood);
  const std::string marker = "FLOOD-DONE";
  WriteAll(At(0, 0) + marker);
  bool shown = false;
  while (!shown && Seconds(start) < 120) {
    WriteAll(kDumpRequest);
    if (TakeDump(&rows, 5) && rows[0].compare(0, marker.size(), marker) == 0) shown = true;
  }
  const double floodSeconds = Seconds(start);
  if (!shown) {
    std::printf("flood: the marker never showed\n");
    return 1;
  }
  const double kbPerSecond = flood.size() / 1024.0 / floodSeconds;
  std::printf("serial flood of %.2f MB to the screen: %.2f s, %.0f KB/s (%.1f x the 57600-baud line rate)\n",
              flood.size() / 1048576.0, floodSeconds, kbPerSecond, kbPerSecond * 1024.0 / 5760.0);

  // ---- Ten seconds paced at 57600 baud ---------------------------------------
  WriteAll("\x1bWI\n");
  received.clear();
  const double bytesPerSecond = 57600 / 10.0;  // 8 data bits, start and stop bit
  const int dumpEvery = 20;                    // fewer than the 24 rows a block lives on
  int blocks = 0, checked = 0, damaged = 0, dumps = 0;
  size_t sent = 0;
  start = Clock::now();
  while (Seconds(start) < 10.0) {
    // As many bytes as the line rate allows by now. A dump asked for is
    // awaited before more rows come: a dump the line holds back would show
    // rows written after it was asked for.
    std::string chunk;
    while (sent + chunk.size() < Seconds(start) * bytesPerSecond) {
      chunk += At(blocks % 24, 0) + PacedRow(blocks);
      ++blocks;
      if (blocks % dumpEvery == 0) {
        chunk += kDumpRequest;
        break;
      }
    }
    if (!chunk.empty()) {
      WriteAll(chunk);
      sent += chunk.size();
    }
    if (blocks % dumpEvery == 0 && !chunk.empty()) {
      ++dumps;
      if (TakeDump(&rows, 5)) {
        checked += CheckRows(rows, blocks - 1, &damaged);
      } else {
        ++damaged;  // no dump: counted as damage
      }
    } else {
      Receive(2);
    }
  }
  // The last block and how soon it shows.
  const int lastBlock = blocks;
  WriteAll(At(lastBlock % 24, 0) + PacedRow(lastBlock) + kDumpRequest);
  Clock::time_point lastSent = Clock::now();
  sent += 82 + kDumpRequest.size();
  double latency = -1;
  if (TakeDump(&rows, 10)) {
    latency = Seconds(lastSent) * 1000.0;
    if (rows[static_cast<size_t>(lastBlock % 24)].compare(0, 78, PacedRow(lastBlock)) != 0) ++damaged;
  }
  std::printf("paced stream at 57600 baud: %zu bytes in %d blocks over 10 s; %d dumps checked %d rows, %d damaged; "
              "last block on the screen %.0f ms after it was sent\n",
              sent, blocks + 1, dumps, checked, damaged, latency);
  return damaged == 0 && latency >= 0 ? 0 : 1;
}
