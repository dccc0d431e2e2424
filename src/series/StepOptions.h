// Reading `apply` options into an operation step: one reader for the CLI's
// arguments and for the lines of a recipe.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "series/OperationStep.h"

struct StepOption {
    std::string name;  // without the leading "--"
    std::string value;
};

// A refused option or value, with the reason.
struct OptionError {
    std::string reason;
};

// Options that take no value.
bool IsFlagOption(const std::string& name);

// Splits words into "--name value", "--name=value" and flag options, and the
// other words; "--" ends the options.
void SplitOptions(const std::vector<std::string>& words, std::vector<StepOption>& options,
                  std::vector<std::string>& others);

// Removes every option of that name and returns the value of the last one.
std::optional<std::string> TakeOption(std::vector<StepOption>& options, const std::string& name);
std::optional<bool> TakeAnswer(std::vector<StepOption>& options);
std::optional<AoiBox> TakeAoi(std::vector<StepOption>& options);
// The --op row; command names the command that needs it.
const Operation& TakeOperation(std::vector<StepOption>& options, const std::string& command);
// The calc --op row; command names the command that needs it.
const CalcOperation& TakeCalcOperation(std::vector<StepOption>& options, const std::string& command);
// The operation's parameters from all remaining options, which it consumes.
OperationParams TakeParams(std::vector<StepOption>& options, const Operation& op);
// All of a step, consuming every option.
OperationStep TakeStep(std::vector<StepOption>& options, const std::string& command);
