// nuvak._core: the core's operation table, steps, recipes and files over
// numpy arrays. The Python package builds its functions on these.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "Calls.h"
#include "SeriesCalls.h"
#include "series/Operations.h"
#include "series/Recipe.h"
#include "series/StepOptions.h"

namespace py = pybind11;
using namespace nuvakpy;

PYBIND11_MODULE(_core, m)
{
    m.doc() = "The compiled part of nuvak; use the nuvak package.";
    PyObject* notice = PyErr_NewExceptionWithDoc("nuvak.Notice", "A notice of the core: the operation went on.",
                                                 PyExc_UserWarning, nullptr);
    SetNoticeClass(notice);
    m.attr("Notice") = py::handle(notice);
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
    // Options are (name, value) pairs that the core reads as the CLI's words.
    m.def("apply", &Apply, py::arg("array"), py::arg("options"));
    m.def("apply_recipe", &ApplyRecipe, py::arg("array"), py::arg("text"), py::arg("options"));
    m.def("calc", &Calc, py::arg("a"), py::arg("b"), py::arg("options"));
    m.def("imread", &Imread, py::arg("path"), py::arg("options"));
    m.def("imwrite", &Imwrite, py::arg("path"), py::arg("array"), py::arg("options"), py::arg("resolution"));
    m.def("step_line", &StepLine);
    m.def("parse_recipe", [](const std::string& text, const std::string& name) {
        return StepLines(ParseRecipe(text, name));
    });
    m.def("read_recipe", [](const std::string& path) { return StepLines(ReadRecipe(path)); });
    m.def("recipe_text", [](const std::string& text) { return RecipeText(ParseRecipe(text, "recipe")); });
    m.def("write_recipe", [](const std::string& path, const std::string& text) {
        if (!WriteRecipe(path, text)) throw FileFailure{path + " could not be written completely."};
    });
    AddSeriesCalls(m);
}
