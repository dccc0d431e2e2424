// The document's image commands that run an operation of the operation table
// without a parameter dialog.
#pragma once

struct Operation;

struct DocumentCommand {
    int id;
    const char* operation;  // row name in the operation table
    bool wait;              // under the wait cursor
    bool reportFailure;     // show errorMessage when the operation fails
};

// null when id is not one of these commands.
const DocumentCommand* FindDocumentCommand(int id);
// The row that runs the command; null while the operation is not built.
const Operation* CommandOperation(const DocumentCommand& command);
