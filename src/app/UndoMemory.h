// Edit > Undo Memory: how much memory the undo steps of each image may take,
// kept in the settings in megabytes.
#pragma once

#include <cstdint>

// Applies the kept setting, or the default (a quarter of the machine's
// memory) when none is kept.
void LoadUndoMemoryPreference();
// Applies and keeps megabytes.
void SaveUndoMemoryPreference(std::int64_t megabytes);
// The budget now in force, in whole megabytes.
std::int64_t UndoMemoryMegabytes();
