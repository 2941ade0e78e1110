// Virtual files dropped on the window ("FileGroupDescriptor" with
// "FileContents"): each is written to the path picked in "Save Dropped File"
// and that path goes into the queue for the host with the drop's position
// (Windows builds, under Wine; a second thread answers the save dialogs).
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>
#include <ole2.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "drop_files.h"
#include "host_items.h"

namespace {

struct VirtualFile {
  std::string name;
  std::string contents;
  bool stream = false;     // served as a stream, else as a memory block
  size_t slack = 0;        // junk after the contents in the block
  bool directory = false;  // a folder entry: no contents at all
};

class VirtualFileData final : public IDataObject {
 public:
  explicit VirtualFileData(std::vector<VirtualFile> files) : files_(std::move(files)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    medium->pUnkForRelease = nullptr;
    if (format->cfFormat == Descriptor() && (format->tymed & TYMED_HGLOBAL)) {
      const size_t size = sizeof(FILEGROUPDESCRIPTORA) + files_.size() * sizeof(FILEDESCRIPTORA);
      HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
      auto* group = static_cast<FILEGROUPDESCRIPTORA*>(GlobalLock(block));
      group->cItems = static_cast<UINT>(files_.size());
      for (size_t i = 0; i < files_.size(); ++i) {
        FILEDESCRIPTORA& d = group->fgd[i];
        d.dwFlags = FD_FILESIZE | FD_ATTRIBUTES;
        d.dwFileAttributes = files_[i].directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
        d.nFileSizeLow = static_cast<DWORD>(files_[i].contents.size());
        lstrcpynA(d.cFileName, files_[i].name.c_str(), MAX_PATH);
      }
      GlobalUnlock(block);
      medium->tymed = TYMED_HGLOBAL;
      medium->hGlobal = block;
      return S_OK;
    }
    if (format->cfFormat != Contents() || format->lindex < 0 || static_cast<size_t>(format->lindex) >= files_.size())
      return DV_E_FORMATETC;
    const VirtualFile& f = files_[static_cast<size_t>(format->lindex)];
    if (f.directory) return DV_E_LINDEX;
    const std::string bytes = f.contents + std::string(f.slack, '#');
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (f.stream && (format->tymed & TYMED_ISTREAM)) {
      IStream* s = nullptr;
      if (CreateStreamOnHGlobal(block, TRUE, &s) != S_OK) return E_OUTOFMEMORY;
      ULARGE_INTEGER size;
      size.QuadPart = f.contents.size();
      s->SetSize(size);
      medium->tymed = TYMED_ISTREAM;
      medium->pstm = s;
      return S_OK;
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format->cfFormat == Descriptor() || format->cfFormat == Contents() ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  static CLIPFORMAT Descriptor() { return static_cast<CLIPFORMAT>(RegisterClipboardFormatA("FileGroupDescriptor")); }
  static CLIPFORMAT Contents() { return static_cast<CLIPFORMAT>(RegisterClipboardFormatA("FileContents")); }
  std::vector<VirtualFile> files_;
};

struct TitleSearch {
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchTitle(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<TitleSearch*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char text[128] = "";
  GetWindowTextA(w, text, sizeof text);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(w) || std::strcmp(text, s->title) != 0) return TRUE;
  s->found = w;
  return FALSE;
}

HWND FindOwnWindow(const char* title) {
  TitleSearch s = {title, nullptr};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// Answers each "Save Dropped File" dialog in turn: a path is typed and OK
// pressed, an empty answer cancels. Records the name each dialog offered.
class SaveDialogAnswers {
 public:
  explicit SaveDialogAnswers(std::vector<std::string> answers) : answers_(std::move(answers)) {
    worker_ = std::thread([this] { Run(); });
  }
  ~SaveDialogAnswers() { Finish(); }
  // Ends the answering thread; its records may be read after this.
  void Finish() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
  }
  std::vector<std::string> offered;
  int complaints = 0;

 private:
  void Run() {
    size_t next = 0;
    while (!stop_) {
      // A failure told to the user is counted and closed, so a fault fails
      // the test instead of hanging it.
      if (HWND told = FindOwnWindow("Moxel")) {
        ++complaints;
        PostMessageA(told, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 100 && IsWindow(told) && IsWindowVisible(told); ++i) Sleep(50);
        continue;
      }
      HWND dialog = FindOwnWindow("Save Dropped File");
      if (!dialog) {
        Sleep(50);
        continue;
      }
      Sleep(200);
      HWND name = GetDlgItem(dialog, cmb13);
      if (!name) name = GetDlgItem(dialog, edt1);
      char text[MAX_PATH] = "";
      if (name) GetWindowTextA(name, text, sizeof text);
      offered.push_back(text);
      const std::string answer = next < answers_.size() ? answers_[next] : std::string();
      ++next;
      if (answer.empty()) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      } else {
        if (name) SetWindowTextA(name, answer.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      }
      for (int i = 0; i < 200 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(50);
    }
  }
  std::vector<std::string> answers_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

std::string Folder() {
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + "tavix-drop-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(DroppedVirtualFiles, EachIsSavedWhereTheUserSaysAndQueuedWithThePosition) {
  UseHeapHostItemMemory();
  const std::string folder = Folder();
  const std::string first = folder + "\\mail.txt", second = folder + "\\scan.dat", skipped = folder + "\\no.txt";
  for (const std::string& p : {first, second, skipped}) DeleteFileA(p.c_str());
  VirtualFileData data({{"mail.txt", "line one\r\nline two\r\n", false, 37},
                        {"attachments", "", false, 0, true},
                        {"attachments\\scan.dat", std::string("\x00\x01\xFE\xFF", 4) + std::string(70000, 'z'), true},
                        {"no.txt", "never written"}});
  int queued = 0;
  std::vector<std::string> offered;
  int complaints = 0;
  {
    SaveDialogAnswers answers({first, second, ""});
    queued = QueueVirtualFiles(&data, nullptr, "12,3");
    Sleep(300);
    answers.Finish();
    offered = answers.offered;
    complaints = answers.complaints;
  }
  EXPECT_EQ(complaints, 0) << "no file failed to be written";
  EXPECT_EQ(queued, 2);
  ASSERT_EQ(offered.size(), 3u) << "one dialog a file; none for the folder entry";
  EXPECT_NE(offered[0].find("mail.txt"), std::string::npos) << offered[0];
  EXPECT_EQ(offered[1].find("attachments"), std::string::npos) << offered[1] << ": the name without its folder";
  EXPECT_NE(offered[1].find("scan.dat"), std::string::npos) << offered[1];
  EXPECT_EQ(FileText(first), "line one\r\nline two\r\n") << "the descriptor's size, not the block's";
  EXPECT_EQ(FileText(second), std::string("\x00\x01\xFE\xFF", 4) + std::string(70000, 'z'));
  EXPECT_FALSE(Exists(skipped)) << "cancelled: nothing written";
  std::string text, position;
  int kind = -1;
  ASSERT_TRUE(PopHostItem(&text, &position, &kind));
  EXPECT_EQ(_stricmp(text.c_str(), first.c_str()), 0) << text;
  EXPECT_EQ(position, "12,3");
  EXPECT_EQ(kind, 0);
  ASSERT_TRUE(PopHostItem(&text, &position, &kind));
  EXPECT_EQ(_stricmp(text.c_str(), second.c_str()), 0) << text;
  EXPECT_EQ(position, "12,3");
  EXPECT_FALSE(PopHostItem(&text, &position, &kind));
  for (const std::string& p : {first, second}) DeleteFileA(p.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
