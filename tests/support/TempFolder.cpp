#include "TempFolder.h"

#include <fstream>
#include <iterator>
#include <random>

namespace MyApp::Testing {

TempFolder::TempFolder() {
    // Tests run in parallel processes: a random name, and another if it is taken.
    std::random_device random;
    do {
        path = std::filesystem::temp_directory_path() / ("tessaly-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path));
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::filesystem::path SourceFolder() { return TESSALY_SOURCE_DIR; }

}  // namespace MyApp::Testing
