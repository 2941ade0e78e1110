// The terminal's side of the editor's callbacks: the editor's preferences in
// the configuration store ("Edit", or "Edit~suffix"; the dialog placements
// in their own sections), the desktop rectangle, and the two notices, which
// go to the shell through a small port.
#pragma once

#include "helper/interfaces/helper_interfaces.h"
#include "shell/config/variant_ini.h"

// What the callbacks need of the running terminal.
class EditLinkPort {
 public:
  virtual ~EditLinkPort() = default;
  // Tell the main window that an edit window has something to send.
  virtual void NotifyPending() = 0;
  // A view-only window asks to be closed; the shell does it later, outside
  // the window's own command.
  virtual void RequestClose(int session) = 0;
};

struct DesktopRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

class EditToMoxelI final : public EditToMoxel {
 public:
  // Wire to the configuration and the shell; the desktop is computed once at
  // start-up.
  void Attach(tavix::VariantIni* ini, EditLinkPort* port, const DesktopRect& desktop) {
    ini_ = ini;
    port_ = port;
    desktop_ = desktop;
  }

  int GetCheckSyntax(const char* suffix) override;
  void SetCheckSyntax(int flag, const char* suffix) override;
  int GetAutoLabels(const char* suffix) override;
  void SetAutoLabels(int flag, const char* suffix) override;
  void GetDesktopRect(RECT* desktop) override;
  void NotifyPending() override;
  void SetToolbar(int flag, const char* suffix) override;
  int GetToolbar(const char* suffix) override;
  void SetStatusbar(int flag, const char* suffix) override;
  int GetStatusbar(const char* suffix) override;
  int GetColumnWarning(const char* suffix) override;
  void SetColumnWarning(int flag, const char* suffix) override;
  void RequestClose(int session) override;
  int GetAutoIndent(const char* suffix) override;
  void SetAutoIndent(int flag, const char* suffix) override;
  int GetSaveOnExit(const char* suffix) override;
  void SetSaveOnExit(int mode, const char* suffix) override;
  void GetWindowPlacement(int* x, int* y, int* width, int* height, const char* suffix) override;
  void SetWindowPlacement(int x, int y, int width, int height, const char* suffix) override;
  void GetFindOptions(int* fromTop, int* matchCase, int* wholeWord, int* down, const char* suffix) override;
  void SetFindOptions(int fromTop, int matchCase, int wholeWord, int down, const char* suffix) override;
  void GetFont(char* name, int nameSize, int* pointSize, int* italic, int* bold, const char* suffix) override;
  void SetFont(const char* name, int pointSize, int italic, int bold, const char* suffix) override;
  int GetColors(int n, int* foreground, int* background, const char* suffix) override;
  void SetColors(int n, const int* foreground, const int* background, const char* suffix) override;
  void GetDialogPlacement(int which, int* x, int* y, int* width, int* height, const char* suffix) override;
  void SetDialogPlacement(int which, int x, int y, int width, int height, const char* suffix) override;
  int GetFunctionWidth(const char* suffix) override;
  void SetFunctionWidth(int width, const char* suffix) override;
  void GetCustomColors(COLORREF* colors, const char* suffix) override;
  void SetCustomColors(const COLORREF* colors, const char* suffix) override;
  int GetSortLabels(const char* suffix) override;
  void SetSortLabels(int flag, const char* suffix) override;
  int GetNumPadScreenDraw(const char* suffix) override;
  void SetNumPadScreenDraw(int flag, const char* suffix) override;

 private:
  int ReadInt(const char* base, const char* suffix, const char* key, int def);
  void WriteInt(const char* base, const char* suffix, const char* key, int value);
  int ReadFlag(const char* suffix, const char* key, int def);
  void WriteFlag(const char* suffix, const char* key, int flag);

  tavix::VariantIni* ini_ = nullptr;
  EditLinkPort* port_ = nullptr;
  DesktopRect desktop_;
};

// The plain section for a base name and a preference suffix: the base, or
// the base, "~" and the suffix.
std::string EditSection(const char* base, const char* suffix);
