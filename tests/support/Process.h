#pragma once
// Runs a program as its own process and collects what it printed.

#include <filesystem>
#include <string>
#include <vector>

namespace MyApp::Testing {

struct ProcessResult {
    int exitCode = -1;  // -1: the program could not be started or did not exit normally
    std::string out;    // standard output, bytes as written
    std::string err;    // standard error
};

// Standard input is empty. Arguments are passed exactly, one each.
ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments);

}  // namespace MyApp::Testing
