// The view's cursors of the three tools, drawn as 32 x 32 monochrome
// cursors: an arrow for select feature, a cross-hair over a dashed
// rectangle for select AOI, a cross-hair over a ruler for measure.
#pragma once

#include <QCursor>

// The cursor of tool 0, 1 or 2; any other value gives the arrow.
const QCursor& ToolCursor(int tool);
