// Texts of every menu and toolbar command: menu text with its mnemonic,
// status-bar prompt, tooltip, keys and toolbar icon.
#pragma once

#include <vector>

struct CommandText {
    int id;
    const char* menuText;
    const char* prompt;   // status bar
    const char* tooltip;  // toolbar
    const char* keys;     // "Ctrl+Z;Alt+Backspace", empty for none
    const char* icon;     // resource name, empty for none
};

const std::vector<CommandText>& CommandTexts();
// null for an unknown id.
const CommandText* FindCommandText(int id);
