// Small helpers for the controls of the program's dialogs.
#pragma once

#include <windows.h>

#include <string>

// A combo box item with its data; the data of the selected item (-1 for
// none); select the item with this data (the first when none has it).
void AddComboItem(HWND box, int id, const char* text, int data);
int SelectedComboData(HWND box, int id);
void SelectComboData(HWND box, int id, int value);
// An edit control's text, at most size - 1 characters.
std::string DialogText(HWND box, int id, int size);
bool Checked(HWND box, int id);
void Check(HWND box, int id, bool on);
