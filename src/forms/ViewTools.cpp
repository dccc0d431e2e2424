// View tool values and the measure tool's zoom rule.
#include "forms/ViewTools.h"

#include "platform/UserInterface.h"

bool CheckTool(int tool)
{
    if (tool >= TOOL_SELECT_FEATURE && tool <= TOOL_MEASURE) return true;
    platform::error("CNUVAKView::ChangeTools()\n\nError:  invalid tool type.");
    return false;
}

bool MeasureEnabled(float zoom) { return zoom == 1.0f; }

int ToolForZoom(int tool, float zoom)
{
    return tool == TOOL_MEASURE && !MeasureEnabled(zoom) ? TOOL_SELECT_FEATURE : tool;
}
