// What every operation parameter dialog shares without its window: the
// refused field with its text, the values OK hands back and the run of the
// chosen operation through the one operation table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "image/Image.h"
#include "series/OperationParams.h"
#include "series/OperationStep.h"

// The control that refused its text and the text to show; the focus goes
// back to that control and the dialog stays open.
struct FieldFailure {
    int control = 0;
    std::string message;
};

class OperationDialog {
public:
    virtual ~OperationDialog() = default;

    virtual std::string Title() const = 0;
    // The operation table's name of what OK runs.
    virtual std::string OperationName() const = 0;
    // The first refused field, in the order the dialog reads them.
    std::optional<FieldFailure> Validate() const;
    // The values OK hands back; meaningful once Validate passes.
    OperationParams Params() const;

    // OK: shows and returns the refused field; none when the dialog may close.
    std::optional<FieldFailure> Ok() const;
    // The document's run after OK: 0, or -1 with image.errorMessage.
    virtual int ApplyTo(CImage& image) const;
    // What ApplyTo ran, as steps of the operation table without AOIs.
    virtual std::vector<OperationStep> Steps() const;

protected:
    // Reads the fields into p, stopping at the first refusal.
    virtual std::optional<FieldFailure> Read(OperationParams& p) const = 0;
};

// Runs the named row of the operation table; a row not built yet fails with
// "The operation \"%s\" is not available." in image.errorMessage.
int RunNamedOperation(const std::string& name, const OperationParams& params, CImage& image);
bool OperationAvailable(const std::string& name);

// The neighbourhood size lists: "3", "5", "7", "9" for indices 0..3.
const std::vector<std::string>& SizeListEntries();
int SizeFromIndex(int index);  // 3 + 2 x index, index limited to 0..3

// Reads an integer field into value; on refusal stores the failure once.
void ReadIntField(int control, const std::string& text, int min, int max, int& value,
                  std::optional<FieldFailure>& failure);
void ReadRealField(int control, const std::string& text, double& value, std::optional<FieldFailure>& failure);
