// The document's image commands that collect their parameters in a dialog
// first: which dialog, in which mode, and how the pipeline runs the result.
#pragma once

enum class CommandDialog { Threshold, BrightnessSlice, Bound, Clean, Filter, Morphology, Rotate, Scale };

struct DialogCommand {
    int id;
    CommandDialog dialog;
    int mode;            // the filter type or morphological operation; 0 for the others
    bool wait;           // under the wait cursor
    bool reportFailure;  // show errorMessage when the operation fails
};

// null when id is not one of these commands.
const DialogCommand* FindDialogCommand(int id);
