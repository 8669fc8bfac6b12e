// Undo and Redo: every saved change to the open account's records can be
// taken back and done again, each time saved at once like any change.
// Typing not yet saved is taken back first.
#pragma once

#include <windows.h>

#include <string>

inline constexpr char kUndoItemText[] = "&Undo";
inline constexpr char kRedoItemText[] = "&Redo";
inline constexpr char kUndoTypingName[] = "Typing";

// "&Undo Delete Transaction\tCtrl+Z", "&Redo\tCtrl+Y" when there is nothing.
std::string UndoItemText(const std::string& name);
std::string RedoItemText(const std::string& name);

// Names and grays the two Edit menu items for what they would do now.
void UpdateUndoMenuItems(HMENU menu);

void RunUndoCommand(HWND hwnd, int id);
void RunRedoCommand(HWND hwnd, int id);
