#pragma once
// A fresh folder under the system's temporary folder, removed with everything
// in it, and whole-file helpers for what the tests write and read.

#include <filesystem>
#include <string>

namespace MyApp::Testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path; }
    std::filesystem::path operator/(const std::string& name) const { return path / name; }

private:
    std::filesystem::path path;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

// The project's source folder (resources/, examples/, tests/data/ ...).
std::filesystem::path SourceFolder();

}  // namespace MyApp::Testing
