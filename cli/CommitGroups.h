#pragma once
// The pictures of a folder export committed in groups: one flush to disk a group of
// pictures (BatchReplacement), not one a picture.

#include "Converter.h"
#include "files/BatchReplacement.h"
#include "files/PendingTemporaries.h"

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace MyApp {

// The drawings, in name order, in groups of GroupSize. Workers write each drawing's
// picture into its group's batch; a committer (a thread of its own, as it mostly waits on
// the disk) commits each group once its last drawing is written, in order, and only then
// hands its drawings' results on. No worker starts a group while the group GroupsAhead
// before it is uncommitted, so few temporary files are open at once.
class CommitGroups {
public:
    static constexpr std::size_t GroupSize = 128;
    static constexpr std::size_t GroupsAhead = 2;
    static_assert(GroupsAhead * GroupSize <= PendingTemporaries::Slots,
                  "every temporary file open at once is removed on an interruption");

    // Told each drawing's result once its group is committed.
    using Finished = std::function<void(std::size_t index, ExportResult result)>;

    CommitGroups(std::size_t count, const BatchReplacement::StepHook& hook,
                 const char* writeFailedMessage, Finished finished);

    BatchReplacement& BatchOf(std::size_t index) { return *groups[index / GroupSize].batch; }

    // Waits until drawing `index` may be written; false once the work is stopped.
    bool WaitForRoom(std::size_t index);
    // Drawing `index` is written into its batch, or failed. Without a committer, the
    // worker that ends a group commits it.
    void Done(std::size_t index, ExportResult result);
    // The committer: commits every group in order, until all are or the work is stopped.
    void CommitAll();
    // Commits by the workers from now on: no committer thread could be had.
    void CommitInWorkers();
    // Wakes everyone waiting; no group is committed after this.
    void Stop();

private:
    struct Group {
        std::unique_ptr<BatchReplacement> batch;
        std::size_t left = 0;
        std::vector<ExportResult> results;
        bool done = false;
    };

    void Commit(std::size_t group);

    const char* writeFailed;
    Finished finished;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Group> groups;
    std::size_t committed = 0;  // the groups before this one are committed
    bool stopped = false;
    bool inWorkers = false;
};

}  // namespace MyApp
