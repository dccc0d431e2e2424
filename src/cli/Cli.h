// nuvak-cli: the headless front end. Runs in-process so tests can call it.
#pragma once

#include <ostream>
#include <string>

enum CliExit { kExitOk = 0, kExitFailed = 1, kExitUsage = 2, kExitFile = 3 };

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
