#include "edit_comments_dialog_win32.h"

#include <cstdio>
#include <initializer_list>

#include "helper_ids.h"
#include "modeless_dialog.h"

namespace {

std::string ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthA(item);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(item, &text[0], length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

// The larger text dialog: a caption and one multi-line text.
class TextDialog final : public ModalDialog {
 public:
  TextDialog(std::string caption, std::string text) : text(std::move(text)), caption_(std::move(caption)) {}
  std::string text;

 protected:
  void OnInit() override {
    SetWindowTextA(Handle(), caption_.c_str());
    SetDlgItemTextA(Handle(), IDC_TEXT_BODY, text.c_str());
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR*) override {
    if (message != WM_COMMAND) return false;
    if (LOWORD(wParam) == IDOK) {
      text = ItemText(Handle(), IDC_TEXT_BODY);
      EndDialog(Handle(), IDOK);
      return true;
    }
    if (LOWORD(wParam) == IDCANCEL) {
      EndDialog(Handle(), IDCANCEL);
      return true;
    }
    return false;
  }

 private:
  std::string caption_;
};

// A variable's name, checked against the others before the dialog closes.
class NameDialog final : public ModalDialog {
 public:
  NameDialog(const char* caption, std::string name, const std::vector<CommentParameter>& others, int self,
             const std::string& title)
      : name(std::move(name)), caption_(caption), others_(others), self_(self), title_(title) {}
  std::string name;

 protected:
  void OnInit() override {
    SetWindowTextA(Handle(), caption_);
    SetDlgItemTextA(Handle(), IDC_NAME_TEXT, name.c_str());
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR*) override {
    if (message != WM_COMMAND) return false;
    if (LOWORD(wParam) == IDOK) {
      const std::string typed = ItemText(Handle(), IDC_NAME_TEXT);
      if (const char* problem = CheckVariableName(typed, others_, self_)) {
        MessageBoxA(Handle(), problem, title_.c_str(), MB_OK | MB_ICONSTOP);
        return true;
      }
      name = typed;
      EndDialog(Handle(), IDOK);
      return true;
    }
    if (LOWORD(wParam) == IDCANCEL) {
      EndDialog(Handle(), IDCANCEL);
      return true;
    }
    return false;
  }

 private:
  const char* caption_;
  const std::vector<CommentParameter>& others_;
  int self_;
  const std::string& title_;
};

class CommentsDialog final : public ModalDialog {
 public:
  CommentsDialog(const std::string& title, const ProgramComment& comment) : comment(comment), title_(title) {}
  ProgramComment comment;

 protected:
  void OnInit() override {
    SetDlgItemTextA(Handle(), IDC_COMMENTS_ROUTINE, comment.routine.c_str());
    SetDlgItemTextA(Handle(), IDC_COMMENTS_DESCRIPTION, comment.description.c_str());
    SetDlgItemTextA(Handle(), IDC_COMMENTS_COMMON, comment.common.c_str());
    for (int d = 0; d < 3; ++d)
      SendDlgItemMessageA(Handle(), IDC_COMMENTS_DIRECTION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DirectionText(d)));
    for (int u = 0; u < 3; ++u)
      SendDlgItemMessageA(Handle(), IDC_COMMENTS_USE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(UseText(u)));
    const int stops[2] = {90, 130};
    SendDlgItemMessageA(Handle(), IDC_COMMENTS_VARIABLES, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));
    FillVariables(comment.parameters.empty() ? -1 : 0);
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR*) override {
    if (message != WM_COMMAND) return false;
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    const int at = Selected();
    auto& params = comment.parameters;
    switch (id) {
      case IDC_COMMENTS_VARIABLES:
        if (code == LBN_SELCHANGE) ShowVariable();
        if (code == LBN_DBLCLK) EditVariable(at);
        return true;
      case IDC_COMMENTS_DIRECTION:
      case IDC_COMMENTS_USE:
        if (code == CBN_SELCHANGE && at >= 0) {
          const int value = static_cast<int>(SendDlgItemMessageA(Handle(), id, CB_GETCURSEL, 0, 0));
          if (value >= 0) (id == IDC_COMMENTS_DIRECTION ? params[static_cast<size_t>(at)].direction
                                                        : params[static_cast<size_t>(at)].use) = value;
          FillVariables(at);
        }
        return true;
      case IDC_COMMENTS_UP:
        if (at > 0) {
          std::swap(params[static_cast<size_t>(at)], params[static_cast<size_t>(at - 1)]);
          FillVariables(at - 1);
        }
        return true;
      case IDC_COMMENTS_DOWN:
        if (at >= 0 && at + 1 < static_cast<int>(params.size())) {
          std::swap(params[static_cast<size_t>(at)], params[static_cast<size_t>(at + 1)]);
          FillVariables(at + 1);
        }
        return true;
      case IDC_COMMENTS_NEW: {
        NameDialog name("New variable", "", params, -1, title_);
        if (name.Run(IDD_EDIT_NAME, Handle()) != IDOK) return true;
        CommentParameter p;
        p.name = name.name;
        params.push_back(p);
        FillVariables(static_cast<int>(params.size()) - 1);
        return true;
      }
      case IDC_COMMENTS_RENAME: {
        if (at < 0) return true;
        NameDialog name("Rename variable", params[static_cast<size_t>(at)].name, params, at, title_);
        if (name.Run(IDD_EDIT_NAME, Handle()) != IDOK) return true;
        params[static_cast<size_t>(at)].name = name.name;
        FillVariables(at);
        return true;
      }
      case IDC_COMMENTS_EDIT:
        EditVariable(at);
        return true;
      case IDC_COMMENTS_DELETE: {
        if (at < 0) return true;
        const std::string question = DeleteVariableQuestion(params[static_cast<size_t>(at)].name);
        if (MessageBoxA(Handle(), question.c_str(), title_.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return true;
        params.erase(params.begin() + at);
        FillVariables(at < static_cast<int>(params.size()) ? at : static_cast<int>(params.size()) - 1);
        return true;
      }
      case IDC_COMMENTS_EDIT_DESCRIPTION:
        EditText("Edit Description", comment.description, IDC_COMMENTS_DESCRIPTION);
        return true;
      case IDC_COMMENTS_EDIT_COMMON:
        EditText("Edit Common", comment.common, IDC_COMMENTS_COMMON);
        return true;
      case IDOK:
        comment.routine = ItemText(Handle(), IDC_COMMENTS_ROUTINE);
        EndDialog(Handle(), IDOK);
        return true;
      case IDCANCEL:
        EndDialog(Handle(), IDCANCEL);
        return true;
      default:
        return false;
    }
  }

 private:
  int Selected() const {
    const LRESULT at = SendDlgItemMessageA(Handle(), IDC_COMMENTS_VARIABLES, LB_GETCURSEL, 0, 0);
    return at >= 0 && static_cast<size_t>(at) < comment.parameters.size() ? static_cast<int>(at) : -1;
  }

  void FillVariables(int select) {
    HWND list = GetDlgItem(Handle(), IDC_COMMENTS_VARIABLES);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const CommentParameter& p : comment.parameters) {
      const std::string entry = p.name + "\t" + DirectionText(p.direction) + "\t" + UseText(p.use);
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
    ShowVariable();
  }

  void ShowVariable() {
    const int at = Selected();
    const bool any = at >= 0;
    for (int id : {IDC_COMMENTS_DIRECTION, IDC_COMMENTS_USE, IDC_COMMENTS_RENAME, IDC_COMMENTS_EDIT,
                   IDC_COMMENTS_DELETE, IDC_COMMENTS_UP, IDC_COMMENTS_DOWN})
      EnableWindow(GetDlgItem(Handle(), id), any);
    SendDlgItemMessageA(Handle(), IDC_COMMENTS_DIRECTION, CB_SETCURSEL,
                        any ? comment.parameters[static_cast<size_t>(at)].direction : -1, 0);
    SendDlgItemMessageA(Handle(), IDC_COMMENTS_USE, CB_SETCURSEL, any ? comment.parameters[static_cast<size_t>(at)].use : -1,
                        0);
  }

  void EditVariable(int at) {
    if (at < 0) return;
    CommentParameter& p = comment.parameters[static_cast<size_t>(at)];
    char caption[160];
    std::snprintf(caption, sizeof caption, "Edit comment for %s", p.name.c_str());
    TextDialog text(caption, p.comment);
    if (text.Run(IDD_EDIT_TEXT, Handle()) == IDOK) p.comment = text.text;
  }

  void EditText(const char* caption, std::string& field, int shownIn) {
    TextDialog text(caption, field);
    if (text.Run(IDD_EDIT_TEXT, Handle()) != IDOK) return;
    field = text.text;
    SetDlgItemTextA(Handle(), shownIn, field.c_str());
  }

  const std::string& title_;
};

}  // namespace

bool EditCommentsDialog(HWND owner, const std::string& title, ProgramComment& comment) {
  CommentsDialog dialog(title, comment);
  if (dialog.Run(IDD_EDIT_COMMENTS, owner) != IDOK) return false;
  comment = dialog.comment;
  return true;
}
