// Operations, recipes and calculations on arrays.
#include <pybind11/stl.h>

#include "ArrayImage.h"
#include "Calls.h"
#include "series/FileOptions.h"
#include "series/Recipe.h"
#include "series/StepOptions.h"

namespace py = pybind11;

namespace nuvakpy {
namespace {

PyObject* noticeClass = nullptr;

// What a run of steps gives back: the image, the extra images by suffix or
// path, and the notices.
struct Outcome {
    CImage image;
    std::vector<ExtraImage> extras;
    std::vector<std::string> notices;
};

py::tuple Returned(Outcome& outcome)
{
    Warn(outcome.notices);
    py::list extras;
    for (ExtraImage& extra : outcome.extras)
        extras.append(py::make_tuple(extra.path.empty() ? extra.suffix : extra.path, ArrayOf(extra.image)));
    return py::make_tuple(ArrayOf(outcome.image), extras);
}

// Runs the steps on the array's image as `nuvak-cli run` does; a failing
// step raises its text, numbered when there are several.
Outcome RunOn(const ArraySamples& samples, const std::vector<OperationStep>& steps, bool answer,
              const std::optional<SampleRange>& range, const std::optional<CCalibration>& calibration)
{
    Outcome outcome;
    CoreCall call(range, answer);
    try {
        ImageFromSamples(samples, outcome.image);
        if (calibration) outcome.image.SetCalibration(*calibration);
        for (size_t i = 0; i < steps.size(); ++i) {
            OperationOutputs outputs;
            if (RunStep(outcome.image, steps[i], outputs, true) != 0) {
                std::string text = TrimNewlines(outcome.image.errorMessage);
                if (steps.size() > 1) text = "step " + std::to_string(i + 1) + " (" + steps[i].op->name + "): " + text;
                throw CoreFailure{WithShown(call, text)};
            }
            for (ExtraImage& extra : outputs.extras) outcome.extras.push_back(std::move(extra));
        }
    } catch (const platform::UserAbort&) {
        throw CoreFailure{call.Shown()};
    }
    outcome.notices = call.Notices();
    return outcome;
}

}  // namespace

std::vector<StepOption> StepOptionsOf(const Options& options)
{
    std::vector<StepOption> out;
    for (const auto& [name, value] : options) out.push_back({name, value});
    return out;
}

void SetNoticeClass(PyObject* type) { noticeClass = type; }

void Warn(const std::vector<std::string>& notices)
{
    if (notices.empty()) return;
    // The warning names the caller's line, past the package's own frames.
    int level = 1;
    for (py::object frame = py::module_::import("sys").attr("_getframe")(0); !frame.is_none();
         frame = frame.attr("f_back"), ++level) {
        const auto module = py::str(frame.attr("f_globals").attr("get")("__name__", "")).cast<std::string>();
        if (module != "nuvak" && !module.starts_with("nuvak.")) break;
    }
    for (const std::string& text : notices)
        if (PyErr_WarnEx(noticeClass, text.c_str(), level) != 0) throw py::error_already_set();
}

std::string WithShown(const CoreCall& call, const std::string& text)
{
    const std::string shown = call.Shown();
    return shown.empty() ? text : shown + "\n" + text;
}

py::tuple Apply(const py::array& array, const Options& options)
{
    const ArraySamples samples = SamplesOf(array);
    Outcome outcome;
    {
        py::gil_scoped_release free;
        std::vector<StepOption> given = StepOptionsOf(options);
        const std::optional<SampleRange> range = TakeRange(given);
        const std::optional<CCalibration> calibration = TakeCalibration(given);
        OperationStep step = TakeStep(given, "apply");
        const bool answer = step.answer.value_or(true);
        step.answer.reset();
        outcome = RunOn(samples, {step}, answer, range, calibration);
    }
    return Returned(outcome);
}

py::tuple ApplyRecipe(const py::array& array, const std::string& text, const Options& options)
{
    const ArraySamples samples = SamplesOf(array);
    Outcome outcome;
    {
        py::gil_scoped_release free;
        std::vector<StepOption> given = StepOptionsOf(options);
        const bool answer = TakeAnswer(given).value_or(true);
        const std::optional<SampleRange> range = TakeRange(given);
        const std::optional<CCalibration> calibration = TakeCalibration(given);
        outcome = RunOn(samples, ParseRecipe(text, "recipe"), answer, range, calibration);
    }
    return Returned(outcome);
}

py::array Calc(const py::array& a, const py::array& b, const Options& options)
{
    std::vector<StepOption> given = StepOptionsOf(options);
    const CalcOperation* op = &TakeCalcOperation(given, "calc");
    const std::optional<SampleRange> range = TakeRange(given);
    const ArraySamples first = SamplesOf(a), second = SamplesOf(b);
    Outcome outcome;
    {
        py::gil_scoped_release free;
        CoreCall call(range, true);
        CImage other;
        try {
            ImageFromSamples(first, outcome.image);
            ImageFromSamples(second, other);
            if (op->run(outcome.image, other) != 0)
                throw CoreFailure{WithShown(call, TrimNewlines(outcome.image.errorMessage))};
        } catch (const platform::UserAbort&) {
            throw CoreFailure{call.Shown()};
        }
        outcome.notices = call.Notices();
    }
    Warn(outcome.notices);
    return ArrayOf(outcome.image);
}

std::string StepLine(const Options& options)
{
    std::vector<StepOption> given = StepOptionsOf(options);
    return StepCommandLine(TakeStep(given, "step"));
}

std::vector<std::string> StepLines(const std::vector<OperationStep>& steps)
{
    std::vector<std::string> lines;
    for (const OperationStep& step : steps) lines.push_back(StepCommandLine(step));
    return lines;
}

py::list OperationRows()
{
    py::list rows;
    for (const Operation& op : OperationTable()) {
        py::list params;
        for (ParamId id : op.params) {
            const ParamSpec& spec = FindParam(id);
            params.append(py::make_tuple(spec.option, spec.valueHint, spec.defaultText, spec.help,
                                         spec.min <= spec.max ? py::object(py::make_tuple(spec.min, spec.max))
                                                              : py::object(py::none()),
                                         spec.required));
        }
        rows.append(py::make_tuple(op.name, op.description, params));
    }
    return rows;
}

}  // namespace nuvakpy
