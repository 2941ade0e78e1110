// "Find/Replace": the edit window's modeless find dialog. Its options are
// the window's find preferences; the find and replace fields keep a
// drop-down history of what was searched and put in.
#pragma once

#include <string>
#include <vector>

#include "edit_session.h"
#include "modeless_dialog.h"

class CFrameEdit;

class EditFindDialog final : public ModelessDialog {
 public:
  explicit EditFindDialog(CFrameEdit& frame) : frame_(frame) {}
  bool Create();
  // Shown with the selected word (or the word at the caret) to find; the
  // replace field takes the focus when `replace`.
  void Show(bool replace);

 protected:
  void OnInit() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  FindRequest Request(bool keepHistory);
  void StoreOptions();
  void FindNext();
  void Replace();
  void ReplaceAll();
  void MarkAll();
  void NotFound();
  std::string FieldText(int id) const;
  void Remember(int id, std::vector<std::string>& history, const std::string& text);

  CFrameEdit& frame_;
  std::vector<std::string> findHistory_;
  std::vector<std::string> replaceHistory_;
  // A search from this dialog has found something since its text or options
  // changed: "Start at Top" no longer applies, the next one goes on from there.
  bool continuing_ = false;
};
