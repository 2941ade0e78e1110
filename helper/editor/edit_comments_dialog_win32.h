// "Comments": the fields of the program's comment block — routine,
// description, the parameters with their direction, use and comment, and the
// common variables — edited in a dialog (with its text and name dialogs).
#pragma once

#include <windows.h>

#include <string>

#include "comment_block.h"

// True on OK with the edited fields in `comment`. Message boxes carry `title`.
bool EditCommentsDialog(HWND owner, const std::string& title, ProgramComment& comment);
