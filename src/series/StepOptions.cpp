// The option reader shared by `apply`, `series` and recipe lines.
#include "series/StepOptions.h"

#include "platform/Format.h"

using platform::Format;

bool IsFlagOption(const std::string& name)
{
    return name == "below" || name == "above" || name == "overwrite" || name == "progress" ||
           name == "skip-unreadable" || name == "allow-8bit" || name == "exclude-edge" || name == "own-pixels" ||
           name == "summary";
}

void SplitOptions(const std::vector<std::string>& words, std::vector<StepOption>& options,
                  std::vector<std::string>& others)
{
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 3 || word.compare(0, 2, "--") != 0) {
            if (word == "--" && !optionsEnded) {
                optionsEnded = true;
                continue;
            }
            others.push_back(word);
            continue;
        }
        StepOption opt;
        const size_t eq = word.find('=');
        opt.name = word.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        if (IsFlagOption(opt.name)) {
            if (eq != std::string::npos) throw OptionError{Format("--%s takes no value", opt.name.c_str())};
        } else if (eq != std::string::npos) {
            opt.value = word.substr(eq + 1);
        } else {
            if (i + 1 >= words.size()) throw OptionError{Format("--%s needs a value", opt.name.c_str())};
            opt.value = words[++i];
        }
        options.push_back(opt);
    }
}

std::optional<std::string> TakeOption(std::vector<StepOption>& options, const std::string& name)
{
    std::optional<std::string> value;
    for (auto it = options.begin(); it != options.end();) {
        if (it->name == name) {
            value = it->value;
            it = options.erase(it);
        } else {
            ++it;
        }
    }
    return value;
}

std::optional<bool> TakeAnswer(std::vector<StepOption>& options)
{
    const auto answer = TakeOption(options, "answer");
    if (!answer) return std::nullopt;
    if (*answer == "yes") return true;
    if (*answer == "no") return false;
    throw OptionError{"--answer must be yes or no"};
}

namespace {

AoiBox ParseAoi(const std::string& text)
{
    int values[4];
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = text.find(',', start);
        const bool last = i == 3;
        if (last != (comma == std::string::npos)) throw OptionError{"--aoi must be L,T,R,B"};
        const std::string part = text.substr(start, last ? std::string::npos : comma - start);
        size_t used = 0;
        try {
            values[i] = std::stoi(part, &used);
        } catch (const std::exception&) {
            throw OptionError{"--aoi must be L,T,R,B with four integers"};
        }
        if (used != part.size() || part.empty()) throw OptionError{"--aoi must be L,T,R,B with four integers"};
        start = comma + 1;
    }
    if (values[0] > values[2] || values[1] > values[3]) throw OptionError{"--aoi needs L <= R and T <= B"};
    return {values[0], values[1], values[2], values[3]};
}

}  // namespace

std::optional<AoiBox> TakeAoi(std::vector<StepOption>& options)
{
    const auto text = TakeOption(options, "aoi");
    if (!text) return std::nullopt;
    return ParseAoi(*text);
}

const Operation& TakeOperation(std::vector<StepOption>& options, const std::string& command)
{
    const auto name = TakeOption(options, "op");
    if (!name) throw OptionError{Format("%s needs --op NAME", command.c_str())};
    const Operation* op = FindOperation(*name);
    if (!op) throw OptionError{Format("unknown operation \"%s\"", name->c_str())};
    return *op;
}

const CalcOperation& TakeCalcOperation(std::vector<StepOption>& options, const std::string& command)
{
    const auto name = TakeOption(options, "op");
    if (!name) throw OptionError{Format("%s needs --op NAME", command.c_str())};
    const CalcOperation* op = FindCalcOperation(*name);
    if (!op) throw OptionError{Format("unknown calculation \"%s\"", name->c_str())};
    return *op;
}

OperationParams TakeParams(std::vector<StepOption>& options, const Operation& op)
{
    for (ParamId id : op.params) {
        const ParamSpec& spec = FindParam(id);
        bool given = false;
        for (const StepOption& opt : options) given |= opt.name == spec.option;
        if (spec.required && !given)
            throw OptionError{Format("\"%s\" needs --%s %s", op.name, spec.option, spec.valueHint)};
    }
    OperationParams params;
    // A step read without --channel names none, and writes none back.
    params.channel = -1;
    for (const StepOption& opt : options) {
        const ParamSpec* spec = nullptr;
        for (ParamId id : op.params)
            if (opt.name == FindParam(id).option) spec = &FindParam(id);
        if (!spec) {
            bool known = false;
            for (const ParamSpec& any : ParameterTable()) known |= opt.name == any.option;
            if (known) throw OptionError{Format("--%s does not apply to \"%s\"", opt.name.c_str(), op.name)};
            throw OptionError{Format("unknown option --%s", opt.name.c_str())};
        }
        const std::string problem = ApplyParam(params, spec->id, opt.value);
        if (!problem.empty()) throw OptionError{problem};
    }
    options.clear();
    return params;
}

OperationStep TakeStep(std::vector<StepOption>& options, const std::string& command)
{
    OperationStep step;
    step.op = &TakeOperation(options, command);
    step.answer = TakeAnswer(options);
    step.aoi = TakeAoi(options);
    step.params = TakeParams(options, *step.op);
    return step;
}
