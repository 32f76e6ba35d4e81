#pragma once
// The program's command line as Windows parses it (CommandLineToArgvW), in wide text so that
// any path comes through whole.

#include <optional>
#include <string>

namespace OrvUtility {

// The first argument after the program's name, or none. `commandLine` is a whole command line
// as GetCommandLineW gives it.
std::optional<std::wstring> FirstCommandLineArgument(const wchar_t* commandLine);

}  // namespace OrvUtility
