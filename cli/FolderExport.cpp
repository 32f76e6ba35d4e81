#include "FolderExport.h"

#include "CommitGroups.h"
#include "Converter.h"
#include "PrintableNames.h"
#include "files/ArtFile.h"
#include "files/FailureCauses.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <thread>

#ifndef _WIN32
#include <unistd.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#include <pthread.h>
#endif

namespace MyApp {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t WorkerStackBytes = 2 << 20;

// Lowers A-Z only: the same answer in every locale.
std::string LowerAscii(std::string text) {
    for (char& c : text) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

bool IsDrawing(const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_regular_file(error) && LowerAscii(entry.path().extension().u8string()) == ".art";
}

// The drawings in name order, so that every run prints its lines in the same order.
std::vector<fs::path> DrawingsIn(const fs::path& folder, std::error_code& error) {
    std::vector<fs::path> drawings;
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

// Why pictures cannot go into `target` at all; nothing when they may.
std::error_code UnusableTarget(const fs::path& target) {
    std::error_code error, asked;
    fs::create_directories(target, error);
    if (!fs::is_directory(target, asked)) {
        return fs::exists(target, asked) ? std::make_error_code(std::errc::not_a_directory) : error;
    }
#ifndef _WIN32
    if (access(target.c_str(), W_OK | X_OK) != 0) return LastErrno();
#endif
    return {};
}

// For each drawing, the one before it (in name order) whose picture has the same name,
// as a disk that does not tell capitals from small letters sees it; itself when none.
std::vector<std::size_t> FirstWithSamePicture(const std::vector<fs::path>& pictures) {
    std::vector<std::size_t> first(pictures.size());
    std::map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        first[i] = seen.emplace(LowerAscii(pictures[i].filename().u8string()), i).first->second;
    }
    return first;
}

// The lines of the finished drawings, printed in name order, and the progress line.
class Report {
public:
    Report(std::size_t count, std::ostream& lines, std::ostream* progressLine)
        : results(count), names(count), out(lines), progress(progressLine) {}

    void Done(std::size_t index, const fs::path& drawing, ExportResult result) {
        const std::lock_guard<std::mutex> lock(mutex);
        results[index] = std::move(result);
        names[index] = PrintableName(drawing.filename());
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

std::optional<FolderExport> ParseFolderExport(const std::vector<fs::path>& arguments,
                                              std::string& problem) {
    if (arguments.empty() || arguments[0].u8string().rfind("--", 0) == 0) {
        problem = "manca la cartella dei disegni";
        return std::nullopt;
    }
    FolderExport request;
    request.folder = request.target = arguments[0];
    request.jobs = std::max(1u, std::thread::hardware_concurrency());
    bool seenTo = false, seenFormat = false, seenJobs = false;
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        const std::string option = arguments[i].u8string();
        bool* const seen = option == "--to" ? &seenTo : option == "--format" ? &seenFormat
                         : option == "--jobs" ? &seenJobs : nullptr;
        if (!seen) problem = "opzione sconosciuta: " + Printable(option);
        else if (*seen) problem = "opzione ripetuta: " + option;
        else if (i + 1 >= arguments.size()) problem = "manca il valore di " + option;
        if (!problem.empty()) return std::nullopt;
        *seen = true;
        const std::string value = arguments[i + 1].u8string();
        const std::optional<PictureFormat> format = PictureFormatNamed(value);
        const std::optional<unsigned> jobs = Count(value);
        if (option == "--to") request.target = arguments[i + 1];
        else if (option == "--format" && format) request.format = *format;
        else if (option == "--jobs" && jobs) request.jobs = *jobs;
        else problem = "valore non valido per " + option + ": " + Printable(value);
        if (!problem.empty()) return std::nullopt;
    }
    std::error_code error;
    const fs::file_status folder = fs::status(request.folder, error);
    if (!fs::is_directory(folder)) {
        problem = (fs::exists(folder) ? "non è una cartella: " : "cartella non trovata: ") +
                  PrintableName(request.folder);
        return std::nullopt;
    }
    return request;
}

unsigned MaxJobs() {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min(4 * cores, 32u);
}

int ExportFolder(const FolderExport& request, std::ostream& out, std::ostream& errors,
                 bool progress) {
    std::error_code error;
    const std::vector<fs::path> drawings = DrawingsIn(request.folder, error);
    if (error) {
        errors << PrintableName(request.folder) << ": "
               << WithCause(ArtReadMessage(ArtReadStatus::ReadFailed), error) << '\n';
        return ExitWriteFailed;
    }
    if (drawings.empty()) return ExitDone;
    if (const std::error_code unusable = UnusableTarget(request.target)) {
        errors << PrintableName(request.target) << ": "
               << WithCause(PictureWriteFailedMessage(request.format), unusable) << '\n';
        return ExitWriteFailed;
    }

    std::vector<fs::path> pictures;
    pictures.reserve(drawings.size());
    for (const fs::path& drawing : drawings) {
        pictures.push_back(request.target /
                           drawing.stem().concat(PictureExtension(request.format)));
    }
    const std::vector<std::size_t> first = FirstWithSamePicture(pictures);

    Report report(drawings.size(), out, progress ? &errors : nullptr);
    CommitGroups groups(drawings.size(), request.onStep, PictureWriteFailedMessage(request.format),
                        [&](std::size_t i, ExportResult result) {
                            report.Done(i, drawings[i], std::move(result));
                        });
    std::atomic<std::size_t> next{0};
    std::atomic<bool> outOfMemory{false};
    const auto exportOne = [&](std::size_t i) {
        if (first[i] != i) {
            return ExportResult{ExitRefused, "la sua immagine " +
                                                 PrintableName(pictures[i].filename()) +
                                                 " è già quella di " +
                                                 PrintableName(drawings[first[i]].filename()) + "."};
        }
        return ExportDrawing(drawings[i], pictures[i], request.format, &groups.BatchOf(i), i);
    };
    const auto stopOnLackOfMemory = [&](auto&& task) {
        try {
            task();
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
            groups.Stop();
        }
    };
    // What each worker holds is one drawing's: its cells, its tiles and its picture's bytes,
    // all gone before it takes the next, but for the picture's open temporary file.
    const auto work = [&] {
        stopOnLackOfMemory([&] {
            for (std::size_t i; !outOfMemory && (i = next++) < drawings.size();) {
                if (!groups.WaitForRoom(i)) break;
                groups.Done(i, exportOne(i));
            }
        });
    };
#ifdef __GLIBC__
    // A thread's own arena reserves 64 MB of address space, its stack 8 MB: a few workers
    // would not start under a limit of some hundred megabytes. Two arenas are plenty for
    // workers that spend their time composing and packing, and a worker's deepest need
    // is the reader's 64 KB block.
    mallopt(M_ARENA_MAX, 2);
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) == 0) {
        pthread_attr_setstacksize(&attributes, WorkerStackBytes);
        pthread_setattr_default_np(&attributes);
        pthread_attr_destroy(&attributes);
    }
#endif
    // The committer waits on the disk more than it uses a core, so it is a thread beside
    // the workers. This thread is one of the workers; if the system gives fewer threads,
    // fewer work, and without a committer thread the workers commit.
    std::thread committer;
    try {
        committer = std::thread([&] { stopOnLackOfMemory([&] { groups.CommitAll(); }); });
    } catch (const std::exception&) {
        groups.CommitInWorkers();
    }
    std::vector<std::thread> workers;
    const std::size_t count = std::min<std::size_t>({request.jobs, drawings.size(), MaxJobs()});
    try {
        workers.reserve(count);
        while (workers.size() + 1 < count) workers.emplace_back(work);
    } catch (const std::exception&) {
    }
    work();
    for (std::thread& worker : workers) worker.join();
    if (committer.joinable()) committer.join();
    report.Finish();
    if (outOfMemory) throw std::bad_alloc();
    return report.ExitCode();
}

}  // namespace MyApp
