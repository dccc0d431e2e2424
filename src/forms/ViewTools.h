// The program-wide view tool: which values are tools and the measure
// tool's zoom rule.
#pragma once

enum ViewTool { TOOL_SELECT_FEATURE = 0, TOOL_SELECT_AOI = 1, TOOL_MEASURE = 2 };

// False after showing "CNUVAKView::ChangeTools()\n\nError:  invalid tool
// type." for a value outside 0..2; the current tool then stays.
bool CheckTool(int tool);
// Measuring needs a 1:1 view: at any other zoom the measure tool gives way
// to select feature.
bool MeasureEnabled(float zoom);
int ToolForZoom(int tool, float zoom);
