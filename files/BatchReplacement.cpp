#include "BatchReplacement.h"

#include "FailureCauses.h"

#include <map>

#include <fcntl.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace MyApp {

namespace fs = std::filesystem;

namespace {

#ifdef __linux__
constexpr bool OneSyncPerFileSystem = true;
#else
// Windows has no flush of a whole volume that a user may ask for (FlushFileBuffers on a
// volume needs an administrator), nor do other systems promise syncfs: each file is put
// on disk by the worker that wrote it, several at a time.
constexpr bool OneSyncPerFileSystem = false;
#endif

#ifdef __linux__
// For each open file, the cause when its data could not be put on the disk: one syncfs for
// each file system among them (a link may lead to another), asked through one of its files.
std::vector<std::error_code> SyncFileSystems(const std::vector<int>& descriptors) {
    std::map<dev_t, std::error_code> synced;
    std::vector<std::error_code> causes;
    for (const int descriptor : descriptors) {
        struct stat info;
        if (fstat(descriptor, &info) != 0) {
            causes.push_back(LastErrno());
            continue;
        }
        const auto [system, first] = synced.emplace(info.st_dev, std::error_code());
        if (first && syncfs(descriptor) != 0) system->second = LastErrno();
        causes.push_back(system->second);
    }
    return causes;
}
#endif

#ifndef _WIN32
// The folder's entries, a rename among them, on disk; its cause when that fails.
std::error_code SyncFolder(const fs::path& folder) {
    const fs::path opened = folder.empty() ? fs::path(".") : folder;
    const int descriptor = open(opened.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return LastErrno();
    const std::error_code cause = fsync(descriptor) == 0 ? std::error_code() : LastErrno();
    close(descriptor);
    return cause;
}
#endif

}  // namespace

BatchReplacement::BatchReplacement(StepHook stepHook)
    : hook(std::move(stepHook)), seeds(FreshSeed()) {}

void BatchReplacement::Sweep(const fs::path& folder) {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!swept.insert(folder).second) return;
    }
    // A fresh temporary file is never taken for stale, so the sweep may follow the
    // writing and need not hold the others up.
    RemoveStaleTemporaries(folder);
}

bool BatchReplacement::Add(std::size_t key, const fs::path& target, const FileWriter& write,
                           std::error_code& cause) {
    StagedFile file;
    std::uint64_t seed;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        seed = seeds();
    }
    TemporaryNames names(seed);
    if (!file.Write(target, write, names, false, cause)) return false;
    Sweep(file.Target().parent_path());
    if (!OneSyncPerFileSystem && !file.Flush(cause)) return false;
    const std::lock_guard<std::mutex> lock(mutex);
    entries.push_back(Entry{key, std::move(file)});
    return true;
}

std::vector<std::pair<std::size_t, std::error_code>> BatchReplacement::Commit() {
    std::vector<Entry> batch;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        batch.swap(entries);
    }
    std::vector<std::pair<std::size_t, std::error_code>> failed;
    std::vector<bool> placed(batch.size(), true);
    if (hook) hook(BatchStep::Written);

#ifdef __linux__
    std::vector<int> descriptors;
    for (const Entry& entry : batch) descriptors.push_back(entry.file.Descriptor());
    const std::vector<std::error_code> onDisk = SyncFileSystems(descriptors);
    for (std::size_t i = 0; i < batch.size(); ++i) {
        placed[i] = !onDisk[i];
        if (onDisk[i]) failed.emplace_back(batch[i].key, onDisk[i]);
    }
#endif
    if (hook) hook(BatchStep::OnDisk);

    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (!placed[i]) continue;
        std::error_code cause;
        placed[i] = batch[i].file.Place(cause);
        if (!placed[i]) failed.emplace_back(batch[i].key, cause);
        if (placed[i] && hook) hook(BatchStep::OneReplaced);
    }
    if (hook) hook(BatchStep::AllReplaced);

#ifndef _WIN32
    // Each folder once, after all its renames: until then a crash may keep the old names.
    std::map<fs::path, std::error_code> folders;
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (placed[i]) folders.emplace(batch[i].file.Target().parent_path(), std::error_code());
    }
    for (auto& [folder, cause] : folders) cause = SyncFolder(folder);
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (!placed[i]) continue;
        const std::error_code& cause = folders[batch[i].file.Target().parent_path()];
        if (cause) failed.emplace_back(batch[i].key, cause);
    }
#endif
    if (hook) hook(BatchStep::FoldersOnDisk);
    return failed;
}

}  // namespace MyApp
