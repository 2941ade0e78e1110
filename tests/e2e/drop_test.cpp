// Virtual files dragged onto the real terminal from this process: the
// terminal asks where to save each ("Save Dropped File"), writes its
// "FileContents" there and queues the path with the drop's position for the
// host (scripts/drop.host checks the bytes).
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>
#include <ole2.h>
#include <shlobj.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "host_session.h"
#include "message_boxes.h"
#include "terminal_process.h"

namespace {

CLIPFORMAT Descriptor() { return static_cast<CLIPFORMAT>(RegisterClipboardFormatA("FileGroupDescriptor")); }
CLIPFORMAT Contents() { return static_cast<CLIPFORMAT>(RegisterClipboardFormatA("FileContents")); }

// One virtual file, its contents in a memory block.
class OneVirtualFile final : public IDataObject {
 public:
  OneVirtualFile(std::string name, std::string contents) : name_(std::move(name)), contents_(std::move(contents)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    HGLOBAL block;
    if (format->cfFormat == Descriptor()) {
      block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(FILEGROUPDESCRIPTORA));
      auto* group = static_cast<FILEGROUPDESCRIPTORA*>(GlobalLock(block));
      group->cItems = 1;
      group->fgd[0].dwFlags = FD_FILESIZE;
      group->fgd[0].nFileSizeLow = static_cast<DWORD>(contents_.size());
      lstrcpynA(group->fgd[0].cFileName, name_.c_str(), MAX_PATH);
    } else {
      if (format->lindex != 0) return DV_E_LINDEX;
      block = GlobalAlloc(GMEM_MOVEABLE, contents_.size());
      std::memcpy(GlobalLock(block), contents_.data(), contents_.size());
    }
    GlobalUnlock(block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    const bool ours = format->cfFormat == Descriptor() || format->cfFormat == Contents();
    return ours && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::string name_, contents_;
};

// Drags a few steps over the point, then drops.
class DropAfterSteps final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
      *out = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override { return ++steps_ < 4 ? S_OK : DRAGDROP_S_DROP; }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
    lastFeedback = effect;
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
  DWORD lastFeedback = 0xFFFFFFFF;

 private:
  int steps_ = 0;
};

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// The screen point in the middle of a cell of the terminal's client area.
POINT CellOnScreen(HWND window, int col, int row) {
  RECT client;
  GetClientRect(window, &client);
  POINT p = {(2 * col + 1) * (client.right / 80) / 2, (2 * row + 1) * (client.bottom / 25) / 2};
  ClientToScreen(window, &p);
  return p;
}

// Answers the terminal's save dialog with the path, from a thread of its own
// while this one is in the drag loop.
class SaveAnswer {
 public:
  SaveAnswer(DWORD pid, std::string path) : pid_(pid), path_(std::move(path)) {
    worker_ = std::thread([this] { Run(); });
  }
  ~SaveAnswer() {
    stop_ = true;
    worker_.join();
  }
  std::atomic<bool> answered{false};
  std::string offered;

 private:
  void Run() {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return stop_ || (dialog = FindDialogTitled(pid_, "Save Dropped File")) != nullptr; }, 30000) ||
        !dialog)
      return;
    Sleep(300);
    HWND name = GetDlgItem(dialog, cmb13);
    if (!name) name = GetDlgItem(dialog, edt1);
    if (!name) return;
    char text[MAX_PATH] = "";
    // Another process's control: its text comes by message, not GetWindowText.
    SendMessageA(name, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    offered = text;
    SetWindowTextA(name, path_.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    answered = WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10000);
  }
  DWORD pid_;
  std::string path_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

TEST(DropOnWindow, VirtualFilesAreSavedAndReachTheHostWithTheDropCell) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  const char* dirValue = std::getenv("TAVIX_MSG_DIR");
  if (!port || !dirValue) GTEST_SKIP() << "runs under with_message_dir.sh and with_host.sh";
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  const std::string dir = WindowsPath(dirValue);
  const std::string first = dir + "\\stage\\dropped one.txt", second = dir + "\\stage\\status.txt";
  // Cell (11, 4) of the full text window is column 12, row 5; the status row
  // lies outside the window: row 0.
  WriteFileBytes(dir + "\\stage\\drop1.expected", first + "\xFE" "12,5\xFE");
  WriteFileBytes(dir + "\\stage\\drop2.expected", second + "\xFE" "1,0\xFE");

  TerminalProcess terminal;
  terminal.WriteIni(HostSessionIni(std::atoi(port)) + "[Message]\r\nDirectory=" + dir + "\r\n");
  ASSERT_TRUE(terminal.Start());
  HWND main = terminal.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  SetForegroundWindow(main);
  Sleep(1500);  // the host's first screen

  struct Drop {
    int col, row;
    const char* name;
    std::string path, contents;
  } drops[] = {{11, 4, "mail body.txt", first, "Dear host,\r\nsee attached\r\n"}, {0, 24, "status.txt", second, "ok"}};
  for (const Drop& d : drops) {
    OneVirtualFile data(d.name, d.contents);
    DropAfterSteps source;
    const POINT p = CellOnScreen(main, d.col, d.row);
    SetCursorPos(p.x, p.y);
    DWORD effect = DROPEFFECT_NONE;
    HRESULT result;
    std::string offered;
    bool answered;
    {
      SaveAnswer answer(terminal.processId(), d.path);
      result = DoDragDrop(&data, &source, DROPEFFECT_COPY, &effect);
      answered = answer.answered;
      offered = answer.offered;
    }
    EXPECT_EQ(result, DRAGDROP_S_DROP) << d.name;
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY)) << d.name;
    EXPECT_EQ(source.lastFeedback, static_cast<DWORD>(DROPEFFECT_COPY)) << "the effect decided on entry";
    EXPECT_TRUE(answered) << d.name;
    EXPECT_EQ(offered, d.name) << "the dialog offers the file's own name";
    EXPECT_EQ(ReadFileText(d.path), d.contents);
  }
  EXPECT_TRUE(EndAfterHostClosed(terminal, main));
  OleUninitialize();
}

}  // namespace
