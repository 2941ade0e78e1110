// The attachment viewer's list of many attachments, in process through
// helper.dll: ShowList to the first screen of thumbnails painted and to all
// decoded, the longest stall of the message loop, the memory it grew by;
// the list view of the same entries; and the floor: the same files decoded
// and scaled by the imaging component directly, one after the other.
// Prints figures; not a test.
//   bench_viewer_list HELPER_DLL FOLDER   (FOLDER holds the attachments)
#include <windows.h>
#include <psapi.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "helper/interfaces/helper_interfaces.h"

namespace {

// Only what the benchmark chooses; every other setting its default.
class BenchSettings final : public HelperToMoxel {
 public:
  int thumbView = 1;
  void GetListSize(int* w, int* h) override { *w = 800, *h = 700; }
  void SetListSize(int, int) override {}
  int GetMainFitMode() override { return 0; }
  void SetMainFitMode(int) override {}
  void GetListPosition(int* x, int* y) override { *x = 0, *y = 0; }
  void SetListPosition(int, int) override {}
  void GetThumbSize(int* w, int* h) override { *w = *h = -1; }
  void SetThumbSize(int, int) override {}
  void SetTopmost(int) override {}
  int GetTopmost() override { return 0; }
  int GetThumbAspect() override { return 1; }
  void SetThumbAspect(int) override {}
  int GetThumbDisplay() override { return 0; }
  void SetThumbDisplay(int) override {}
  int GetThumbAnnotations() override { return 0; }
  void SetThumbAnnotations(int) override {}
  int GetMainAnnotations() override { return 0; }
  void SetMainAnnotations(int) override {}
  int GetUseDefaultViewer() override { return 0; }
  void SetUseDefaultViewer(int) override {}
  int GetMainDisplay() override { return 0; }
  void SetMainDisplay(int) override {}
  int GetAutoLaunch() override { return 0; }
  void SetAutoLaunch(int) override {}
  int GetMainBackground() override { return -1; }
  void SetMainBackground(int) override {}
  int GetThumbView() override { return thumbView; }
  void SetThumbView(int) override {}
  int GetImageColWidth() override { return 200; }
  void SetImageColWidth(int) override {}
  int GetTypeColWidth() override { return 100; }
  void SetTypeColWidth(int) override {}
  int GetSizeColWidth() override { return 80; }
  void SetSizeColWidth(int) override {}
  int GetTypeColEnabled() override { return 1; }
  void SetTypeColEnabled(int) override {}
  int GetSizeColEnabled() override { return 1; }
  void SetSizeColEnabled(int) override {}
};

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

size_t MemoryInUse() {
  PROCESS_MEMORY_COUNTERS c = {};
  c.cb = sizeof c;
  GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
  return c.PagefileUsage;
}

std::vector<std::string> Files(const std::string& folder) {
  std::vector<std::string> out;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return out;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out.push_back(folder + "\\" + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(out.begin(), out.end());
  return out;
}

// The message loop as the terminal runs it, timing every piece of work it
// does between two looks at the queue.
struct Loop {
  MoxelToHelper* helper;
  double longest = 0;
  int idleSteps = 0;
  // Runs until `done` or the time runs out; false on time-out.
  template <typename Done>
  bool Run(Done done, double limitMs) {
    const double start = Now();
    while (!done()) {
      if (Now() - start > limitMs) return false;
      MSG msg;
      double t = Now();
      if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!helper->PreTranslateMessage(&msg)) {
          TranslateMessage(&msg);
          DispatchMessageA(&msg);
        }
        longest = std::max(longest, Now() - t);
        continue;
      }
      const int more = helper->OnIdle(idleSteps);
      longest = std::max(longest, Now() - t);
      if (more) {
        ++idleSteps;
      } else {
        idle = true;
        if (done()) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      }
    }
    return true;
  }
  bool idle = false;
};

HWND Viewer() { return FindWindowA("#32770", "Corvane Attachment Viewer"); }

// Cells of the thumbnail pane in view now.
int VisibleCells() {
  HWND viewer = Viewer();
  HWND pane = FindWindowExA(viewer, nullptr, "CIThumbPane", nullptr);
  if (!pane) return 0;
  RECT view;
  GetWindowRect(pane, &view);
  int n = 0;
  for (HWND c = FindWindowExA(pane, nullptr, "CIThumb", nullptr); c; c = FindWindowExA(pane, c, "CIThumb", nullptr)) {
    RECT r;
    GetWindowRect(c, &r);
    if (r.bottom > view.top && r.top < view.bottom) ++n;
  }
  return n;
}

// The floor: each file decoded and scaled to the thumbnail's picture size by
// the imaging component directly (nearest neighbour, as "Fast").
double Floor(const std::vector<std::string>& files, int width, int height) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IWICImagingFactory* factory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory))))
    return -1;
  std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 4);
  const double start = Now();
  for (const std::string& file : files) {
    wchar_t path[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, path, MAX_PATH);
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICBitmapScaler* scaler = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT w = 0, h = 0;
    if (SUCCEEDED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) && w && h) {
      const double s = std::min(static_cast<double>(width) / w, static_cast<double>(height) / h);
      const UINT sw = std::max(1u, static_cast<UINT>(w * s)), sh = std::max(1u, static_cast<UINT>(h * s));
      if (SUCCEEDED(factory->CreateBitmapScaler(&scaler)) &&
          SUCCEEDED(scaler->Initialize(frame, sw, sh, WICBitmapInterpolationModeNearestNeighbor)) &&
          SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
          SUCCEEDED(converter->Initialize(scaler, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                          WICBitmapPaletteTypeCustom)))
        converter->CopyPixels(nullptr, sw * 4, sw * 4 * sh, pixels.data());
    }
    if (converter) converter->Release();
    if (scaler) scaler->Release();
    if (frame) frame->Release();
    if (decoder) decoder->Release();
  }
  const double took = Now() - start;
  factory->Release();
  return took;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_viewer_list HELPER_DLL FOLDER\n");
    return 2;
  }
  HMODULE module = LoadLibraryA(argv[1]);
  auto connect = module ? reinterpret_cast<ConnectToHelperFn>(reinterpret_cast<void (*)()>(GetProcAddress(module, "ConnectToHelper")))
                        : nullptr;
  if (!connect) {
    std::fprintf(stderr, "cannot load %s\n", argv[1]);
    return 1;
  }
  BenchSettings settings;
  MoxelToHelper* helper = connect(&settings);
  const std::vector<std::string> files = Files(argv[2]);
  std::printf("attachments: %zu\n", files.size());

  // Thumbnails.
  const size_t memoryBefore = MemoryInUse();
  helper->ClearList();
  double t = Now();
  for (const std::string& f : files) helper->AddItem((f + "\xfe" + f.substr(f.find_last_of('\\') + 1)).c_str());
  std::printf("AddItem x %zu (each file examined): %.0f ms\n", files.size(), Now() - t);
  Loop loop{helper};
  t = Now();
  helper->ShowList();
  const double showCall = Now() - t;
  const int firstScreen = VisibleCells();
  double firstScreenMs = -1;
  loop.Run([&] {
    if (firstScreenMs < 0 && loop.idleSteps >= firstScreen) {
      UpdateWindow(Viewer());
      firstScreenMs = Now() - t;
    }
    return loop.idle;
  }, 600000);
  const double allMs = Now() - t;
  const size_t memoryAfter = MemoryInUse();
  std::printf("ShowList call: %.0f ms\n", showCall);
  std::printf("first screen (%d thumbnails) painted: %.0f ms\n", firstScreen, firstScreenMs);
  std::printf("all %zu thumbnails decoded: %.0f ms (%d idle steps)\n", files.size(), allMs, loop.idleSteps);
  std::printf("longest message-loop stall: %.0f ms\n", loop.longest);
  std::printf("memory growth: %.1f MB\n", (static_cast<double>(memoryAfter) - static_cast<double>(memoryBefore)) / 1048576.0);
  helper->CloseList();

  // The floor over the same files, at the picture size of a cell.
  const double floor = Floor(files, 111, 145);
  std::printf("floor (plain decode + scale of the same files): %.0f ms; thumbnails / floor = %.2f\n", floor,
              floor > 0 ? allMs / floor : 0.0);

  // The list view of the same entries.
  settings.thumbView = 0;
  helper->ClearList();
  for (const std::string& f : files) helper->AddItem((f + "\xfe" + f.substr(f.find_last_of('\\') + 1)).c_str());
  Loop rows{helper};
  t = Now();
  helper->ShowList();
  rows.Run([&] { return rows.idle; }, 60000);
  UpdateWindow(Viewer());
  std::printf("list view of %zu rows: %.0f ms\n", files.size(), Now() - t);
  helper->CloseList();
  return 0;
}
