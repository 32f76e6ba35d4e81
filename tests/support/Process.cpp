#include "Process.h"

#include "TempFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace MyApp::Testing {

#ifdef _WIN32

namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

// One argument quoted so that the C runtime's parser gives it back unchanged.
std::wstring Quote(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

HANDLE InheritableFile(const std::filesystem::path& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes,
                       creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments) {
    TempFolder folder;
    ProcessResult result;
    std::wstring commandLine = Quote(program.wstring());
    for (const std::string& argument : arguments) commandLine += L" " + Quote(Widen(argument));

    HANDLE in = InheritableFile(folder / "in", GENERIC_READ, CREATE_ALWAYS);
    HANDLE out = InheritableFile(folder / "out", GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE err = InheritableFile(folder / "err", GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                                        TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                                        &process);
    CloseHandle(in);
    CloseHandle(out);
    CloseHandle(err);
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        result.exitCode = int(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    result.out = ReadBytes(folder / "out");
    result.err = ReadBytes(folder / "err");
    return result;
}

#else

ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments) {
    TempFolder folder;
    ProcessResult result;
    std::vector<char*> argv;
    std::string name = program.string();
    std::vector<std::string> copies(arguments);
    argv.push_back(name.data());
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);

    const std::string outPath = (folder / "out").string();
    const std::string errPath = (folder / "err").string();
    const pid_t child = fork();
    if (child == 0) {
        // Only async-signal-safe calls between fork and exec.
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0) _exit(127);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    result.out = ReadBytes(folder / "out");
    result.err = ReadBytes(folder / "err");
    return result;
}

#endif

}  // namespace MyApp::Testing
