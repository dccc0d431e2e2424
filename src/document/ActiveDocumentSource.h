// What a dialog that follows the active image window asks for, so that it
// needs to know nothing of the frames that hold the windows.
#pragma once

class CNUVAKDoc;

class CActiveDocumentSource {
public:
    virtual ~CActiveDocumentSource() = default;
    // The active image window's document, or null when none is active.
    virtual CNUVAKDoc* ActiveDocument() const = 0;
};
