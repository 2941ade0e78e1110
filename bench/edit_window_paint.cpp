// The edit window in process (helper.dll loaded by path, driven through the
// boundary tables): a generated 20,000-line program (about 1 MB of BASIC),
// full repaints of the view at the top, the middle and the end, and
// "Replace All" of a word on every line with its operations queued for the
// host (drained and counted afterwards). Run under Wine by
// bench/wine_benchmarks.sh; prints its figures.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "boundary_tables.h"
#include "helper_ids.h"

namespace {

constexpr int kLines = 20000;
constexpr int kSession = 9;

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

double Ms(LARGE_INTEGER a, LARGE_INTEGER b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Line n of the program: a statement with keywords, a literal, now and then
// a comment or a label, and the word TOTAL once.
std::string ProgramLine(int n) {
  char text[128];
  switch (n % 5) {
    case 0: std::snprintf(text, sizeof text, "L%d: TOTAL = TOTAL + %d ; PRINT \"LINE %d OF THE BENCH\"", n, n, n); break;
    case 1: std::snprintf(text, sizeof text, "      IF TOTAL > %d THEN GOSUB 100 ELSE READ X FROM F, 'K%d'", n, n); break;
    case 2: std::snprintf(text, sizeof text, "* a comment about TOTAL on line %d of the generated program", n); break;
    case 3: std::snprintf(text, sizeof text, "      FOR I = 1 TO %d ; CALL SUB.%d(TOTAL, X) ; NEXT I", n % 97, n); break;
    default: std::snprintf(text, sizeof text, "      LOCATE TOTAL IN LIST<1> SETTING POS ELSE POS = %d", n); break;
  }
  return text;
}

void Pump(BoundaryObject* helper) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (HelperPreTranslateMessage(helper, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  for (long count = 0; HelperOnIdle(helper, count); ++count) {
  }
}

HWND OwnWindow(const char* className, const char* title) {
  HWND found = nullptr;
  const DWORD self = GetCurrentProcessId();
  for (HWND w = FindWindowExA(nullptr, nullptr, className, title); w; w = FindWindowExA(nullptr, w, className, title)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == self) found = w;
  }
  return found;
}

}  // namespace

int main() {
  BoundaryExports exports;
  if (!BoundaryLoad(WindowsPath(HELPER_DLL).c_str(), &exports)) {
    std::printf("helper.dll not loaded\n");
    return 1;
  }
  BoundaryObject* helper = exports.connect(BoundaryHelperToMoxel());
  int index = -1;
  BoundaryObject* edit = exports.createEditWindow(BoundaryEditToMoxel(), &index, "BENCH", kSession, 0, "BP");
  if (!edit) {
    std::printf("no edit window\n");
    return 1;
  }
  size_t bytes = 0;
  std::vector<char> record;
  for (int n = 0; n < kLines; ++n) {
    const std::string line = ProgramLine(n);
    record.assign(1, '\0');  // the continuation flag before the text
    record.insert(record.end(), line.begin(), line.end());
    EditAddLoadedLine(edit, index, record.data() + 1, static_cast<int>(line.size()));
    bytes += line.size() + 2;
  }
  EditEndOfLoad(edit, index);
  Pump(helper);
  HWND frame = OwnWindow("CFrameEdit", nullptr);
  HWND view = frame ? FindWindowExA(frame, nullptr, "CViewEdit", nullptr) : nullptr;
  if (!view) {
    std::printf("no view\n");
    return 1;
  }
  SetWindowPos(frame, nullptr, 0, 0, 1000, 740, SWP_NOZORDER);
  Pump(helper);
  RECT client;
  GetClientRect(view, &client);
  std::printf("program: %d lines, %zu bytes; view %ld x %ld pixels\n", kLines, bytes, client.right, client.bottom);

  double worst = 0;
  for (int top : {0, kLines / 4, kLines / 2, kLines - 45}) {
    SendMessageA(view, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, top), 0);
    Pump(helper);
    std::vector<double> times;
    for (int round = 0; round < 20; ++round) {
      LARGE_INTEGER a, b;
      QueryPerformanceCounter(&a);
      InvalidateRect(view, nullptr, FALSE);
      UpdateWindow(view);
      GdiFlush();
      QueryPerformanceCounter(&b);
      times.push_back(Ms(a, b));
    }
    std::sort(times.begin(), times.end());
    worst = std::max(worst, times.back());
    std::printf("full repaint at line %5d: median %.2f ms, worst %.2f ms\n", top + 1, times[times.size() / 2],
                times.back());
  }
  std::printf("full repaint, worst anywhere: %.2f ms (target <= 16 ms)\n", worst);

  // "Replace All" of TOTAL by SUM, whole word, from the top.
  SendMessageA(frame, WM_COMMAND, ID_EDIT_REPLACE, 0);
  Pump(helper);
  HWND find = OwnWindow(nullptr, "Find/Replace");
  if (!find) {
    std::printf("no find dialog\n");
    return 1;
  }
  SetDlgItemTextA(find, IDC_FIND_WHAT, "TOTAL");
  SetDlgItemTextA(find, IDC_FIND_REPLACE_WITH, "SUM");
  CheckDlgButton(find, IDC_FIND_WHOLE_WORD, BST_CHECKED);
  CheckDlgButton(find, IDC_FIND_MATCH_CASE, BST_CHECKED);
  CheckDlgButton(find, IDC_FIND_FROM_TOP, BST_CHECKED);
  CheckDlgButton(find, IDC_FIND_SELECTION, BST_UNCHECKED);
  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  SendMessageA(find, WM_COMMAND, MAKEWPARAM(IDC_FIND_REPLACE_ALL, BN_CLICKED), 0);
  QueryPerformanceCounter(&b);
  const double replaceMs = Ms(a, b);
  SendMessageA(find, WM_COMMAND, IDCANCEL, 0);
  Pump(helper);
  int replaced = 0, others = 0;
  const char* text = nullptr;
  int length = 0;
  while (EditGetNextMessage(edit, kSession, &text, &length)) {
    if (length > 0 && text[0] == 'r') {
      if (std::strstr(text, "SUM")) ++replaced;
    } else {
      ++others;
    }
    EditAcknowledgeSend(edit, kSession);
  }
  std::printf("Replace All of a word on every line: %.1f ms, %d replaced lines queued (%d other messages) "
              "(target <= 300 ms, %d operations)\n",
              replaceMs, replaced, others, kLines);
  EditCloseAll(edit);
  Pump(helper);
  return replaced == kLines ? 0 : 1;
}
