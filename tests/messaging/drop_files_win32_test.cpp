// A shell file list dropped on the window goes into the queue for the host,
// each file with the drop's position text (Windows builds, under Wine).
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "drop_files.h"
#include "host_items.h"

namespace {

// A data object that offers one format: the file list given.
class FileListData final : public IDataObject {
 public:
  explicit FileListData(std::vector<std::string> paths) : paths_(std::move(paths)) {}

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
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    std::string list;
    for (const std::string& p : paths_) list += p + '\0';
    list += '\0';
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::vector<std::string> paths_;
};

TEST(DroppedFiles, EachFileOfTheListIsQueuedWithThePosition) {
  UseHeapHostItemMemory();
  FileListData data({"C:\\docs\\one.txt", "C:\\docs\\two, three.pdf"});
  EXPECT_EQ(QueueFileList(&data, "3,4"), 2);
  std::string text, position;
  int kind = -1;
  ASSERT_TRUE(PopHostItem(&text, &position, &kind));
  EXPECT_EQ(text, "C:\\docs\\one.txt");
  EXPECT_EQ(position, "3,4");
  EXPECT_EQ(kind, 0);
  ASSERT_TRUE(PopHostItem(&text, &position, &kind));
  EXPECT_EQ(text, "C:\\docs\\two, three.pdf");
  EXPECT_FALSE(PopHostItem(&text, &position, &kind));
}

TEST(DroppedFiles, APathThatCannotBeFramedAndHasNoShortFormIsNotQueued) {
  UseHeapHostItemMemory();
  FileListData data({"C:\\nowhere\\a\xFE.txt", "C:\\docs\\ok.txt"});
  EXPECT_EQ(QueueFileList(&data, "0,0"), 1);
  std::string text, position;
  int kind = -1;
  ASSERT_TRUE(PopHostItem(&text, &position, &kind));
  EXPECT_EQ(text, "C:\\docs\\ok.txt");
  ClearHostItems();
}

}  // namespace
