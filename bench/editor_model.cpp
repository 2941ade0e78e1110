// The program editor's text model on a large program: a generated BASIC
// program of 20,000 lines (about 1 MB) loaded from stored records, coloured
// line by line, searched, marked, its labels listed, and a word replaced on
// every line with every change queued for the host. Prints figures (best of
// several rounds); not a test.
//   bench_editor_model [LINES]     (default 20000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "edit_labels.h"
#include "edit_syntax.h"
#include "headless_frame.h"
#include "helper_state.h"
#include "moxel_to_edit.h"

namespace {

// One stored record per line: a flag byte (0: a line of its own) and the
// text padded to the record length, as the terminal keeps them.
std::vector<std::string> GenerateRecords(int lines) {
  static const char* const kBodies[] = {
      "PRINT \"CUSTOMER \":CUST.NAME:\" OWES \":BAL",
      "IF CUST.BAL > LIMIT THEN GOSUB WARN ; * over",
      "READ CUST.REC FROM F.CUST, CUST.ID ELSE NULL",
      "FOR I = 1 TO N ; TOTAL += CUST.REC<4,I> ; NEXT I",
      "CALL UPD.CUST(CUST.ID, CUST.REC, ERR.MSG)",
      "! remember the CUST last order date for reports",
      "LOCATE CUST.ID IN LIST<1> SETTING POS ELSE NULL",
      "CUST.TOTAL = CUST.TOTAL + AMOUNT ; REM total",
  };
  const size_t kRecordLength = 64;
  std::vector<std::string> records;
  records.reserve(static_cast<size_t>(lines));
  for (int i = 0; i < lines; ++i) {
    std::string text;
    if (i == lines - 1) {
      text = "   PRINT 'done' ; LASTWORD.HERE = 1 ; CUST.DONE = 1";
    } else if (i % 40 == 0) {
      text = "L" + std::to_string(i) + ": * section " + std::to_string(i / 40) + " CUST";
    } else {
      text = std::string(static_cast<size_t>(3 + (i % 3) * 3), ' ') + kBodies[i % 8];
    }
    std::string record(1, '\0');
    record += text;
    if (record.size() < kRecordLength + 1) record.resize(kRecordLength + 1, ' ');
    records.push_back(record);
  }
  return records;
}

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point since) { return std::chrono::duration<double, std::milli>(Clock::now() - since).count(); }

struct Figures {
  std::vector<double> load, colour, find, markAll, labels, replaceAll;
};

double Best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int lines = argc > 1 ? std::atoi(argv[1]) : 20000;
  if (lines < 2) return 2;
  const std::vector<std::string> records = GenerateRecords(lines);
  long long bytes = 0;
  Figures f;
  int queued = 0, changed = 0, marked = 0, labelCount = 0;
  long long runs = 0;
  for (int round = 0; round < 7; ++round) {
    int index = -1;
    MoxelToEdit* edit = OpenEditWindow(HeadlessEditFrame::Make, nullptr, &index, "BENCH", 1, 0, "");
    EditSession& s = Helper.AllEdits.At(index)->Session();

    auto t = Clock::now();
    for (const std::string& r : records) edit->AddLoadedLine(index, r.data() + 1, static_cast<int>(r.size()) - 1);
    f.load.push_back(Ms(t));
    if (s.Lines().Count() != lines) {
      std::fprintf(stderr, "bench_editor_model: loaded %d lines of %d\n", s.Lines().Count(), lines);
      return 1;
    }
    bytes = 0;
    for (int i = 0; i < lines; ++i) bytes += static_cast<long long>(s.Lines().At(i).size()) + 2;

    std::vector<TokenRun> tokens;
    t = Clock::now();
    runs = 0;
    for (int i = 0; i < lines; ++i) {
      ScanLine(s.Lines().At(i), true, tokens);
      runs += static_cast<long long>(tokens.size());
    }
    f.colour.push_back(Ms(t));

    FindRequest find;
    find.what = "lastword.here";
    find.options.wholeWord = true;
    find.fromTop = true;
    s.MoveCaret(0, 0);
    t = Clock::now();
    const bool found = s.Find(find);
    f.find.push_back(Ms(t));
    if (!found || s.CaretLine() != lines - 1) {
      std::fprintf(stderr, "bench_editor_model: the find ended on line %d\n", s.CaretLine());
      return 1;
    }

    FindRequest mark;
    mark.what = "cust.rec";
    mark.options.wholeWord = true;
    s.Founds().ClearAll();
    t = Clock::now();
    marked = s.MarkAll(mark);
    f.markAll.push_back(Ms(t));

    t = Clock::now();
    labelCount = static_cast<int>(CollectLabels(s.Lines(), false).size());
    f.labels.push_back(Ms(t));

    FindRequest word;
    word.what = "cust";
    word.options.wholeWord = false;
    s.MoveCaret(0, 0);
    t = Clock::now();
    changed = s.ReplaceAll(word, "CLIENT");
    f.replaceAll.push_back(Ms(t));
    queued = s.Queue().Size();
    if (changed != lines || queued != lines) {
      std::fprintf(stderr, "bench_editor_model: Replace All changed %d lines, %d operations queued\n", changed, queued);
      return 1;
    }
    ResetHelperState();
  }
  std::printf("program: %d lines, %lld bytes; %lld runs coloured, %d lines marked, %d labels\n", lines, bytes, runs,
              marked, labelCount);
  auto row = [](const char* what, const std::vector<double>& v, double limit) {
    std::printf("%-44s best %8.2f ms  median %8.2f ms  (limit %g ms)\n", what, Best(v), Median(v), limit);
  };
  row("load (AddLoadedLine of every record)", f.load, 10);
  row("colour every line (token scan)", f.colour, 30);
  row("find, whole word, any case, last line only", f.find, 10);
  row("Mark all (whole word)", f.markAll, 15);
  row("labels", f.labels, 10);
  std::printf("%-44s best %8.2f ms  median %8.2f ms  (%d operations queued)\n", "Replace All of a word on every line",
              Best(f.replaceAll), Median(f.replaceAll), queued);
  return 0;
}
