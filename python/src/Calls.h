// The calls the module offers, each taking the core's lock while it works
// with the GIL released (see CoreCall).
#pragma once

#include <pybind11/numpy.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CoreCall.h"
#include "image/Image.h"
#include "series/OperationStep.h"
#include "series/StepOptions.h"

namespace nuvakpy {

// (option, value) pairs as the CLI's words give them, without the "--": the
// core reads them as it reads the CLI's.
using Options = std::vector<std::pair<std::string, std::string>>;
std::vector<StepOption> StepOptionsOf(const Options& options);

// The warning class notices are raised as.
void SetNoticeClass(PyObject* type);
// Notices become warnings once the GIL is held again.
void Warn(const std::vector<std::string>& notices);

// A failure's text after the errors shown on the way to it, as the CLI
// prints them.
std::string WithShown(const CoreCall& call, const std::string& text);

// One step (apply's options with --range, --pixel-size and --unit), a
// recipe's steps (with --answer, --range, --pixel-size and --unit), or a
// calculation (calc's --op and --range), on an array: the new array and the
// extra images by name.
pybind11::tuple Apply(const pybind11::array& array, const Options& options);
pybind11::tuple ApplyRecipe(const pybind11::array& array, const std::string& text, const Options& options);
pybind11::array Calc(const pybind11::array& a, const pybind11::array& b, const Options& options);
// A checked step as its recipe line.
std::string StepLine(const Options& options);
std::vector<std::string> StepLines(const std::vector<OperationStep>& steps);
// Rows of the operation table: name, description, parameters.
pybind11::list OperationRows();

// The array, the file facts, the calibration and the resolution; options:
// --range.
pybind11::tuple Imread(const std::string& path, const Options& options);
// Options: --quality, --pixel-size and --unit. A calibration also becomes
// the resolution written, as the workbench's scale does; without one the
// given resolution is kept.
void Imwrite(const std::string& path, const pybind11::array& array, const Options& options,
             std::pair<double, double> resolution);

}  // namespace nuvakpy
