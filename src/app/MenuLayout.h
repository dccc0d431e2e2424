// The menu bar and the five toolbars as data: which command goes where.
#pragma once

#include <vector>

struct MenuEntry {
    enum Kind { Command, Separator, Begin, End, RecentFiles, WindowList };
    Kind kind;
    int id = 0;                  // Command
    const char* text = nullptr;  // Begin: the (sub)menu's title
};

const std::vector<MenuEntry>& MenuBarLayout();

struct ToolbarLayout {
    const char* objectName;
    const char* title;  // shown while it floats
    std::vector<int> buttons;  // 0: a separator
};

// In creation order: main, Analysis, Calculations, Preprocessing, Transform.
const std::vector<ToolbarLayout>& ToolbarLayouts();
