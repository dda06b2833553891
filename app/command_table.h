#pragma once

#include "app/command_ids.h"

#include <vector>

/// One command of the main window: where it stands in the menus, its text,
/// accelerator and status prompt. Prompts are "status text\ntool tip".
struct CommandSpec {
    CommandId id;
    const char* menu;     // top-level menu title; nullptr for toolbar-only commands
    const char* submenu;  // sub-menu title inside `menu`, or nullptr
    const char* text;     // menu text with its "&" mnemonic
    const char* shortcut; // accelerators in Qt's portable text form ("; " between), or nullptr
    const char* prompt;   // status line prompt, then "\n" and the tool tip
    bool checkable;
    bool separatorBefore;
};

/// Every command in menu order.
const std::vector<CommandSpec>& CommandTable();

/// The command's entry; every id has one.
const CommandSpec& FindCommand(CommandId id);

/// Toolbar buttons in order, as command ids; `kToolbarGap` marks a gap.
constexpr int kToolbarGap = -1;
const std::vector<int>& ToolbarLayout();
