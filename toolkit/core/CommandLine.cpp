#include "toolkit/core/CommandLine.h"

#include "toolkit/core/SystemLibrary.h"

#include <windows.h>

#include <memory>

namespace OrvUtility {

namespace {

using SplitFunction = LPWSTR*(WINAPI*)(LPCWSTR, int*);

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Whether anything follows the program's name. The name ends at its closing quote when it is
// quoted, at the first blank otherwise: the rule CommandLineToArgvW applies to it.
bool HasArguments(const wchar_t* commandLine) {
    const wchar_t* rest = commandLine;
    if (*rest == L'"') {
        ++rest;
        while (*rest && *rest != L'"') ++rest;
        if (*rest) ++rest;
    } else {
        while (*rest && !IsBlank(*rest)) ++rest;
    }
    while (IsBlank(*rest)) ++rest;
    return *rest != L'\0';
}

struct LocalFreeing {
    void operator()(LPWSTR* block) const { LocalFree(block); }
};

}  // namespace

// shell32 is loaded only when there is something to split: a plain start goes without it.
std::optional<std::wstring> FirstCommandLineArgument(const wchar_t* commandLine) {
    if (!commandLine || !HasArguments(commandLine)) return std::nullopt;
    static const auto split = SystemFunction<SplitFunction>(L"shell32.dll", "CommandLineToArgvW");
    if (!split) return std::nullopt;
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreeing> arguments(split(commandLine, &count));
    if (!arguments || count < 2) return std::nullopt;
    return std::wstring(arguments.get()[1]);
}

}  // namespace OrvUtility
