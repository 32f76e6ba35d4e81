#include "CommitGroups.h"

#include "files/FailureCauses.h"

#include <algorithm>
#include <utility>

namespace MyApp {

CommitGroups::CommitGroups(std::size_t count, const BatchReplacement::StepHook& hook,
                           const char* writeFailedMessage, Finished whenFinished)
    : writeFailed(writeFailedMessage), finished(std::move(whenFinished)),
      groups((count + GroupSize - 1) / GroupSize) {
    for (std::size_t g = 0; g < groups.size(); ++g) {
        groups[g].batch = std::make_unique<BatchReplacement>(hook);
        groups[g].left = std::min(GroupSize, count - g * GroupSize);
        groups[g].results.resize(groups[g].left);
    }
}

bool CommitGroups::WaitForRoom(std::size_t index) {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return stopped || index / GroupSize < committed + GroupsAhead; });
    return !stopped;
}

void CommitGroups::Done(std::size_t index, ExportResult result) {
    const std::size_t g = index / GroupSize;
    std::unique_lock<std::mutex> lock(mutex);
    groups[g].results[index % GroupSize] = std::move(result);
    if (--groups[g].left != 0) return;
    if (!inWorkers) {
        changed.notify_all();
        return;
    }
    lock.unlock();
    Commit(g);
}

void CommitGroups::CommitAll() {
    for (std::size_t g = 0; g < groups.size(); ++g) {
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return stopped || groups[g].left == 0; });
            if (stopped) return;
        }
        Commit(g);
    }
}

void CommitGroups::CommitInWorkers() {
    const std::lock_guard<std::mutex> lock(mutex);
    inWorkers = true;
}

void CommitGroups::Stop() {
    const std::lock_guard<std::mutex> lock(mutex);
    stopped = true;
    changed.notify_all();
}

void CommitGroups::Commit(std::size_t g) {
    Group& group = groups[g];
    const std::size_t start = g * GroupSize;
    for (const auto& [key, cause] : group.batch->Commit()) {
        group.results[key - start] = {ExitWriteFailed, WithCause(writeFailed, cause)};
    }
    for (std::size_t k = 0; k < group.results.size(); ++k) {
        finished(start + k, std::move(group.results[k]));
    }
    const std::lock_guard<std::mutex> lock(mutex);
    group.done = true;
    while (committed < groups.size() && groups[committed].done) ++committed;
    changed.notify_all();
}

}  // namespace MyApp
