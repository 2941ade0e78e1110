// The list windows of an edit window (dialog 3008: a heading above a list
// box): the labels, the user bookmarks and the found strings, each entry a
// line number and the line's text; a double click goes to that line. Each
// remembers where it stood ("EditFind", "EditBookmark", "EditLables").
#pragma once

#include <string>
#include <vector>

#include "modeless_dialog.h"

class CFrameEdit;
enum EditListKind : int;

class EditListWindow final : public ModelessDialog {
 public:
  EditListWindow(CFrameEdit& frame, int kind) : frame_(frame), kind_(kind) {}
  // Placed by the stored placement (x, y, width, height; -1 for the default).
  bool Create(const int placement[4]);
  void Show();
  // The entries built again from the program.
  void Fill();
  // Built again only when the marked lines or the line count changed.
  void FillIfChanged();
  void CapturePlacement(int placement[4]) const;
  // Line index of each entry (for the tests through the list box's item data).
  const std::vector<int>& EntryLines() const { return lines_; }

 protected:
  void OnInit() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  void Layout();
  void Add(int line, int column);

  CFrameEdit& frame_;
  int kind_;
  std::vector<int> lines_;
  std::vector<int> columns_;
  std::vector<int> shownMarks_;
  int shownCount_ = -1;
  int shownSort_ = -1;
};
