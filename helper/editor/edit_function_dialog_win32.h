// "FunctionDefinition": the host's answer to a function request, shown in a
// read-only box just under the caret line, as wide as the view (or the
// "Function width" preference when that is smaller). "Replace" puts the text
// over the word at the caret.
#pragma once

#include <string>

#include "modeless_dialog.h"

class CFrameEdit;

class EditFunctionDialog final : public ModelessDialog {
 public:
  explicit EditFunctionDialog(CFrameEdit& frame) : frame_(frame) {}
  bool Create();
  void Show(const std::string& text);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  void Place();
  void Layout();
  CFrameEdit& frame_;
  std::string text_;
};
