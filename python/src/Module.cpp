// nuvak._core: the core's operation table, steps, recipes and files over
// numpy arrays. The Python package builds its functions on these.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <tuple>
#include <utility>

#include "ArrayImage.h"
#include "CoreCall.h"
#include "image/Calibration.h"
#include "series/Recipe.h"
#include "series/StepOptions.h"

namespace py = pybind11;
using namespace nuvakpy;

namespace {

using Options = std::vector<std::pair<std::string, std::string>>;
using Range = std::optional<std::string>;
// Pixel width, pixel height and unit.
using Calibration = std::optional<std::tuple<double, double, std::string>>;

PyObject* noticeClass = nullptr;

// Notices become warnings once the GIL is held again.
void Warn(const std::vector<std::string>& notices)
{
    for (const std::string& text : notices)
        if (PyErr_WarnEx(noticeClass, text.c_str(), 2) != 0) throw py::error_already_set();
}

std::vector<StepOption> StepOptionsOf(const Options& options)
{
    std::vector<StepOption> out;
    for (const auto& [name, value] : options) out.push_back({name, value});
    return out;
}

void Calibrate(CImage& image, const Calibration& calibration)
{
    if (!calibration) return;
    CCalibration c;
    c.pixelWidth = std::get<0>(*calibration);
    c.pixelHeight = std::get<1>(*calibration);
    c.unit = CalibrationUnit(std::get<2>(*calibration));
    if (c.unit.empty()) throw OptionError{"--unit must be nm, um, mm, cm, m or in"};
    if (!c.Calibrated() || !std::isfinite(c.pixelWidth) || !std::isfinite(c.pixelHeight))
        throw OptionError{"--pixel-size must be W or W,H with numbers above 0"};
    image.calibration = c;
}

// A failure's text after the errors shown on the way to it, as the CLI
// prints them.
std::string WithShown(const CoreCall& call, const std::string& text)
{
    const std::string shown = call.Shown();
    return shown.empty() ? text : shown + "\n" + text;
}

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
    for (const ExtraImage& extra : outcome.extras)
        extras.append(py::make_tuple(extra.path.empty() ? extra.suffix : extra.path, ArrayOf(extra.image)));
    return py::make_tuple(ArrayOf(outcome.image), extras);
}

// Runs the steps on the array's image as `nuvak-cli run` does; a failing
// step raises its text, numbered when there are several.
Outcome RunOn(const ArraySamples& samples, const std::vector<OperationStep>& steps, bool answer, const Range& range,
              const Calibration& calibration)
{
    Outcome outcome;
    CoreCall call(range, answer);
    try {
        ImageFromSamples(samples, outcome.image);
        Calibrate(outcome.image, calibration);
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

py::tuple Apply(const py::array& array, const Options& options, const Range& range, const Calibration& calibration)
{
    const ArraySamples samples = SamplesOf(array);
    Outcome outcome;
    {
        py::gil_scoped_release free;
        std::vector<StepOption> given = StepOptionsOf(options);
        OperationStep step = TakeStep(given, "apply");
        const bool answer = step.answer.value_or(true);
        step.answer.reset();
        outcome = RunOn(samples, {step}, answer, range, calibration);
    }
    return Returned(outcome);
}

py::tuple ApplyRecipe(const py::array& array, const std::string& text, bool answer, const Range& range,
                      const Calibration& calibration)
{
    const ArraySamples samples = SamplesOf(array);
    Outcome outcome;
    {
        py::gil_scoped_release free;
        outcome = RunOn(samples, ParseRecipe(text, "recipe"), answer, range, calibration);
    }
    return Returned(outcome);
}

py::array Calc(const std::string& name, const py::array& a, const py::array& b, const Range& range)
{
    const CalcOperation* op = FindCalcOperation(name);
    if (!op) throw OptionError{"unknown calculation \"" + name + "\""};
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

// The array, the file facts, the calibration and the resolution.
py::tuple Imread(const std::string& path, const Range& range)
{
    Outcome outcome;
    {
        py::gil_scoped_release free;
        CoreCall call(range, true);
        std::string message;
        bool causeValid = false;
        int cause = 0;
        try {
            if (outcome.image.SerializeFile(false, path, false, message, causeValid, cause) != 0)
                throw FileFailure{TrimNewlines(message)};
        } catch (const platform::UserAbort&) {
            throw FileFailure{call.Shown()};
        }
        outcome.notices = call.Notices();
    }
    Warn(outcome.notices);
    const CImage& image = outcome.image;
    const FileFacts& facts = image.fileFacts;
    py::dict factsOut;
    factsOut["format"] = FileFormatName(facts.format);
    factsOut["bits_per_sample"] = facts.bitsPerSample;
    factsOut["samples_per_pixel"] = facts.samplesPerPixel;
    factsOut["pages"] = facts.pages;
    const CCalibration& c = image.calibration;
    py::object calibration = py::none();
    if (c.Calibrated()) calibration = py::make_tuple(c.pixelWidth, c.pixelHeight, c.unit);
    return py::make_tuple(ArrayOf(image), factsOut, calibration,
                          py::make_tuple(image.xPixelsPerMetre, image.yPixelsPerMetre));
}

// A calibration also becomes the resolution written, as the workbench's
// scale does; without one the given resolution is kept.
void Imwrite(const std::string& path, const py::array& array, int quality, const Calibration& calibration,
             std::pair<int, int> resolution)
{
    if (quality < 1 || quality > 100) throw OptionError{"--quality must be an integer from 1 to 100"};
    const ArraySamples samples = SamplesOf(array);
    std::vector<std::string> notices;
    {
        py::gil_scoped_release free;
        CoreCall call(std::nullopt, true);
        CImage image;
        try {
            ImageFromSamples(samples, image);
            std::tie(image.xPixelsPerMetre, image.yPixelsPerMetre) = resolution;
            Calibrate(image, calibration);
            if (calibration) std::tie(image.xPixelsPerMetre, image.yPixelsPerMetre) = PixelsPerMetre(image.calibration);
            std::string message;
            bool causeValid = false;
            int cause = 0;
            if (image.SerializeFile(true, path, false, message, causeValid, cause, {std::nullopt, quality}) != 0)
                throw FileFailure{TrimNewlines(message)};
        } catch (const platform::UserAbort&) {
            throw FileFailure{call.Shown()};
        }
        notices = call.Notices();
    }
    Warn(notices);
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

}  // namespace

PYBIND11_MODULE(_core, m)
{
    m.doc() = "The compiled part of nuvak; use the nuvak package.";
    noticeClass = PyErr_NewExceptionWithDoc("nuvak.Notice", "A notice of the core: the operation went on.",
                                            PyExc_UserWarning, nullptr);
    m.attr("Notice") = py::handle(noticeClass);
    static py::exception<CoreFailure> error(m, "Error");
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const CoreFailure& e) {
            PyErr_SetString(error.ptr(), e.text.c_str());
        } catch (const FileFailure& e) {
            PyErr_SetString(PyExc_OSError, e.text.c_str());
        } catch (const OptionError& e) {
            PyErr_SetString(PyExc_ValueError, e.reason.c_str());
        } catch (const RecipeError& e) {
            PyErr_SetString(PyExc_ValueError, e.message.c_str());
        }
    });

    m.attr("RECIPE_HEADER") = kRecipeHeader;
    m.def("operations", &OperationRows, "Rows of the operation table: name, description, parameters.");
    m.def("calculations", [] {
        std::vector<std::string> names;
        for (const CalcOperation& op : CalcOperationTable()) names.push_back(op.name);
        return names;
    });
    m.def("apply", &Apply, py::arg("array"), py::arg("options"), py::arg("range"), py::arg("calibration"));
    m.def("apply_recipe", &ApplyRecipe, py::arg("array"), py::arg("text"), py::arg("answer"), py::arg("range"),
          py::arg("calibration"));
    m.def("calc", &Calc, py::arg("name"), py::arg("a"), py::arg("b"), py::arg("range"));
    m.def("imread", &Imread, py::arg("path"), py::arg("range"));
    m.def("imwrite", &Imwrite, py::arg("path"), py::arg("array"), py::arg("quality"), py::arg("calibration"),
          py::arg("resolution"));
    m.def("step_line", [](const Options& options) {
        std::vector<StepOption> given = StepOptionsOf(options);
        return StepCommandLine(TakeStep(given, "step"));
    });
    m.def("parse_recipe", [](const std::string& text, const std::string& name) {
        return StepLines(ParseRecipe(text, name));
    });
    m.def("read_recipe", [](const std::string& path) { return StepLines(ReadRecipe(path)); });
    m.def("recipe_text", [](const std::string& text) { return RecipeText(ParseRecipe(text, "recipe")); });
    m.def("write_recipe", [](const std::string& path, const std::string& text) {
        if (!WriteRecipe(path, text)) throw FileFailure{path + " could not be written completely."};
    });
}
