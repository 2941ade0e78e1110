// The program's own fonts: found among the installed ones, or written from the
// program's raw data resources to a file in the current directory and added
// for this process only.
#include <cstring>

#include "shell/render/render_state.h"

namespace {

struct FontQuery {
    int wantHeight, wantWidth;
    bool found;
    bool trueType;
};

int CALLBACK MatchFont(const LOGFONTA*, const TEXTMETRICA* tm, DWORD type, LPARAM param) {
    FontQuery* q = reinterpret_cast<FontQuery*>(param);
    if (type & TRUETYPE_FONTTYPE) {
        q->found = true;
        q->trueType = true;
        return 0;  // a scalable family serves every size
    }
    if (q->wantHeight > 0 && tm->tmHeight == q->wantHeight && tm->tmAveCharWidth == q->wantWidth) {
        q->found = true;
        return 0;
    }
    return 1;
}

bool WriteWholeFile(const char* path, const void* data, DWORD size) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, data, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return ok;
}

}  // namespace

bool FindInstalledFont(const char* family, int wantHeight, int wantWidth, bool* trueType) {
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    strncpy(lf.lfFaceName, family, LF_FACESIZE - 1);
    FontQuery q{wantHeight, wantWidth, false, false};
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return false;
    EnumFontFamiliesExA(dc, &lf, reinterpret_cast<FONTENUMPROCA>(MatchFont),
                        reinterpret_cast<LPARAM>(&q), 0);
    DeleteDC(dc);
    if (trueType) *trueType = q.trueType;
    return q.found;
}

bool InstallFontResource(HINSTANCE instance, int resource, const char* tempFile) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resource), MAKEINTRESOURCEA(10) /* RCDATA */);
    if (!found) return false;
    HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(instance, found);
    if (!data || size == 0) return false;
    char path[MAX_PATH];
    const DWORD n = GetFullPathNameA(tempFile, sizeof path, path, nullptr);
    if (n == 0 || n >= sizeof path) return false;
    // A file left by an earlier run (perhaps still in use by another copy of
    // the program) is rewritten; when it cannot be, the one there is tried.
    const bool written = WriteWholeFile(path, data, size);
    if (AddFontResourceExA(path, FR_PRIVATE, nullptr) > 0) return true;
    if (written) DeleteFileA(path);
    return false;
}
