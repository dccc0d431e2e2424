// The calls the module offers, each taking the core's lock while it works
// with the GIL released (see CoreCall).
#pragma once

#include <pybind11/numpy.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CoreCall.h"
#include "image/Image.h"
#include "series/OperationStep.h"

namespace nuvakpy {

// (option, value) pairs as the CLI's words give them, without the "--".
using Options = std::vector<std::pair<std::string, std::string>>;
// "file", "full" or "LO,HI"; none keeps each file's own range.
using Range = std::optional<std::string>;
// Pixel width, pixel height and unit.
using Calibration = std::optional<std::tuple<double, double, std::string>>;

// The warning class notices are raised as.
void SetNoticeClass(PyObject* type);
// Notices become warnings once the GIL is held again.
void Warn(const std::vector<std::string>& notices);

// Sets the calibration, refused with the CLI's texts.
void Calibrate(CImage& image, const Calibration& calibration);
// A failure's text after the errors shown on the way to it, as the CLI
// prints them.
std::string WithShown(const CoreCall& call, const std::string& text);

// One step (apply's options), a recipe's steps, or a calculation, on an
// array: the new array and the extra images by name.
pybind11::tuple Apply(const pybind11::array& array, const Options& options, const Range& range,
                      const Calibration& calibration);
pybind11::tuple ApplyRecipe(const pybind11::array& array, const std::string& text, bool answer, const Range& range,
                            const Calibration& calibration);
pybind11::array Calc(const std::string& name, const pybind11::array& a, const pybind11::array& b, const Range& range);
// A checked step as its recipe line.
std::string StepLine(const Options& options);
std::vector<std::string> StepLines(const std::vector<OperationStep>& steps);
// Rows of the operation table: name, description, parameters.
pybind11::list OperationRows();

// The array, the file facts, the calibration and the resolution.
pybind11::tuple Imread(const std::string& path, const Range& range);
// A calibration also becomes the resolution written, as the workbench's
// scale does; without one the given resolution is kept.
void Imwrite(const std::string& path, const pybind11::array& array, int quality, const Calibration& calibration,
             std::pair<double, double> resolution);

}  // namespace nuvakpy
