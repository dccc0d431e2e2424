// Operation dialogs: refusals, the table run and the shared size list.
#include "forms/OperationDialog.h"

#include <algorithm>

#include "forms/DataExchange.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"
#include "series/Operations.h"

std::optional<FieldFailure> OperationDialog::Validate() const
{
    OperationParams unused;
    return Read(unused);
}

OperationParams OperationDialog::Params() const
{
    OperationParams p;
    Read(p);
    return p;
}

std::optional<FieldFailure> OperationDialog::Ok() const
{
    std::optional<FieldFailure> failure = Validate();
    if (failure) platform::error(failure->message);
    return failure;
}

int OperationDialog::ApplyTo(CImage& image) const { return RunNamedOperation(OperationName(), Params(), image); }

std::vector<OperationStep> OperationDialog::Steps() const
{
    const Operation* operation = FindOperation(OperationName());
    if (operation == nullptr) return {};
    return {OperationStep{operation, Params(), {}, {}}};
}

int RunNamedOperation(const std::string& name, const OperationParams& params, CImage& image)
{
    const Operation* operation = FindOperation(name);
    if (operation == nullptr) {
        image.errorMessage = platform::Format("The operation \"%s\" is not available.", name.c_str());
        return -1;
    }
    OperationOutputs unused;
    return operation->run(image, params, unused);
}

bool OperationAvailable(const std::string& name) { return FindOperation(name) != nullptr; }

const std::vector<std::string>& SizeListEntries()
{
    static const std::vector<std::string> entries = {"3", "5", "7", "9"};
    return entries;
}

int SizeFromIndex(int index) { return 3 + 2 * std::clamp(index, 0, 3); }

void ReadIntField(int control, const std::string& text, int min, int max, int& value,
                  std::optional<FieldFailure>& failure)
{
    if (failure) return;
    const Exchanged<int> read = ExchangeInt(text, min, max);
    if (read.ok)
        value = read.value;
    else
        failure = FieldFailure{control, read.message};
}

void ReadRealField(int control, const std::string& text, double& value, std::optional<FieldFailure>& failure)
{
    if (failure) return;
    const Exchanged<double> read = ExchangeReal(text);
    if (read.ok)
        value = read.value;
    else
        failure = FieldFailure{control, read.message};
}
