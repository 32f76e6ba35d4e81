#include "FolderExport.h"

#include "Converter.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

namespace MyApp {

namespace fs = std::filesystem;

namespace {

bool IsDrawing(const fs::directory_entry& entry) {
    std::error_code error;
    if (!entry.is_regular_file(error)) return false;
    std::string extension = entry.path().extension().u8string();
    for (char& c : extension) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".art";
}

// The drawings in name order, so that every run prints its lines in the same order.
std::vector<fs::path> DrawingsIn(const fs::path& folder) {
    std::vector<fs::path> drawings;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (IsDrawing(*it)) drawings.push_back(it->path());
    }
    std::sort(drawings.begin(), drawings.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return drawings;
}

std::optional<unsigned> Count(const std::string& text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value == 0) return std::nullopt;
    return value;
}

// The lines of the finished drawings, printed in name order, and the progress line.
class Report {
public:
    Report(std::size_t count, std::ostream& lines, std::ostream* progressLine)
        : results(count), names(count), out(lines), progress(progressLine) {}

    void Done(std::size_t index, const fs::path& drawing, ExportResult result) {
        const std::lock_guard<std::mutex> lock(mutex);
        results[index] = std::move(result);
        names[index] = drawing.filename().u8string();
        ++done;
        ClearProgress();
        for (; printed < results.size() && results[printed]; ++printed) {
            const ExportResult& r = *results[printed];
            if (r.exitCode == ExitDone) out << "ok " << names[printed] << '\n';
            else out << names[printed] << ": " << r.message << '\n';
            worst = std::max(worst, Rank(r.exitCode));
        }
        out.flush();
        if (progress) {
            progressText = std::to_string(done) + "/" + std::to_string(results.size());
            *progress << '\r' << progressText << std::flush;
        }
    }

    void Finish() {
        const std::lock_guard<std::mutex> lock(mutex);
        ClearProgress();
    }

    int ExitCode() const {
        static constexpr int ByRank[] = {ExitDone, ExitRefused, ExitWriteFailed, ExitInternal};
        return ByRank[worst];
    }

private:
    // A failed write outweighs a refused drawing: the user has lost a picture, not a drawing.
    static int Rank(int exitCode) {
        switch (exitCode) {
            case ExitDone: return 0;
            case ExitRefused: return 1;
            case ExitWriteFailed: return 2;
            default: return 3;
        }
    }

    // Spaces over the progress line, so that the lines on a shared terminal stay whole.
    void ClearProgress() {
        if (!progress || progressText.empty()) return;
        *progress << '\r' << std::string(progressText.size(), ' ') << '\r' << std::flush;
        progressText.clear();
    }

    std::mutex mutex;
    std::vector<std::optional<ExportResult>> results;
    std::vector<std::string> names;
    std::size_t done = 0;
    std::size_t printed = 0;
    int worst = 0;
    std::ostream& out;
    std::ostream* progress;
    std::string progressText;
};

}  // namespace

std::optional<FolderExport> ParseFolderExport(const std::vector<fs::path>& arguments) {
    if (arguments.empty() || arguments[0].u8string().rfind("--", 0) == 0) return std::nullopt;
    FolderExport request;
    request.folder = request.target = arguments[0];
    request.jobs = std::max(1u, std::thread::hardware_concurrency());
    bool seenTo = false, seenFormat = false, seenJobs = false;
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) return std::nullopt;
        const std::string option = arguments[i].u8string(), value = arguments[i + 1].u8string();
        if (option == "--to" && !seenTo) {
            request.target = arguments[i + 1];
            seenTo = true;
        } else if (option == "--format" && !seenFormat && PictureFormatNamed(value)) {
            request.format = *PictureFormatNamed(value);
            seenFormat = true;
        } else if (option == "--jobs" && !seenJobs && Count(value)) {
            request.jobs = *Count(value);
            seenJobs = true;
        } else {
            return std::nullopt;
        }
    }
    std::error_code error;
    if (!fs::is_directory(request.folder, error)) return std::nullopt;
    return request;
}

int ExportFolder(const FolderExport& request, std::ostream& out, std::ostream* progress) {
    const std::vector<fs::path> drawings = DrawingsIn(request.folder);
    std::error_code error;
    fs::create_directories(request.target, error);  // if it fails, every write says so

    Report report(drawings.size(), out, progress);
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next++) < drawings.size();) {
            const fs::path picture = request.target / drawings[i].stem().concat(
                                                          PictureExtension(request.format));
            report.Done(i, drawings[i], ExportDrawing(drawings[i], picture, request.format));
        }
    };
    // This thread is one of the workers; if the system gives fewer threads, fewer work.
    std::vector<std::thread> workers;
    const std::size_t count = std::min<std::size_t>(request.jobs, drawings.size());
    try {
        while (workers.size() + 1 < count) workers.emplace_back(work);
    } catch (const std::system_error&) {
    }
    work();
    for (std::thread& worker : workers) worker.join();
    report.Finish();
    return report.ExitCode();
}

}  // namespace MyApp
