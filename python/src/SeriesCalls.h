// A series run spread over several processes (nuvak.dask.series): the
// front end starts the run and puts the log and the combined tables
// together in the files' order; each file is processed on its own, into a
// folder of its own, by the engine's own code.
#pragma once

#include <pybind11/pybind11.h>

namespace nuvakpy {

void AddSeriesCalls(pybind11::module_& m);

}  // namespace nuvakpy
