#pragma once
// Runs a program as its own process and collects what it printed.

#include <filesystem>
#include <string>
#include <vector>

namespace MyApp::Testing {

struct ProcessResult {
    int exitCode = -1;  // -1: the program did not exit normally
    std::string out;    // standard output, bytes as written
    std::string err;    // standard error
};

// Standard input is empty. The program runs through the system's shell (cmd.exe on
// Windows), each argument quoted: on Windows an argument must hold no '"' or '%'.
ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments);

}  // namespace MyApp::Testing
