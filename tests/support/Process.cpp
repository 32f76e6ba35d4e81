#include "Process.h"

#include "TempFolder.h"

#include <cstdlib>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace MyApp::Testing {

namespace {

std::string Quote(const std::string& text) {
#ifdef _WIN32
    return "\"" + text + "\"";
#else
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

}  // namespace

ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments) {
    TempFolder folder;
    std::string command = Quote(program.string());
    for (const std::string& argument : arguments) command += " " + Quote(argument);
    command += " >" + Quote((folder / "out").string()) + " 2>" + Quote((folder / "err").string());
#ifdef _WIN32
    // cmd.exe drops the first and the last quote of a line that holds more than two.
    const int exitCode = std::system(("\"" + command + " <NUL\"").c_str());
#else
    const int status = std::system((command + " </dev/null").c_str());
    const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return ProcessResult{exitCode, ReadBytes(folder / "out"), ReadBytes(folder / "err")};
}

}  // namespace MyApp::Testing
