#include "PendingTemporaries.h"

#include <array>
#include <atomic>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace MyApp::PendingTemporaries {

namespace {

static_assert(std::atomic<int>::is_always_lock_free, "the handler may not wait on a lock");

enum State : int { Free = 0, Filling, Creating, Present };

// No initializers: the slots, in static storage, start zeroed (Free) at no cost. With one,
// the compiler wrote each slot's state at start, a page apart: 128 pages faulted in by
// every run of the converter, a tenth of a small export. The states lie together, apart
// from the names, so that looking for a free slot touches one page, not one a slot.
std::array<std::atomic<int>, Slots> states;
std::array<std::array<std::filesystem::path::value_type, NameLength>, Slots> names;
std::atomic<bool> stopping{false};

void Unlink(const std::filesystem::path::value_type* name) {
#ifdef _WIN32
    _wunlink(name);
#else
    unlink(name);
#endif
}

}  // namespace

int Add(const std::filesystem::path& temporary) {
    const auto& name = temporary.native();
    if (name.size() >= NameLength) return stopping ? Stopped : Untracked;
    for (std::size_t i = 0; i < Slots; ++i) {
        // Read before the exchange: a folder export holds a few hundred slots, and an
        // exchange on each would lock the bus as many times.
        int expected = Free;
        if (states[i].load(std::memory_order_relaxed) != Free ||
            !states[i].compare_exchange_strong(expected, Filling)) {
            continue;
        }
        std::memcpy(names[i].data(), name.c_str(), (name.size() + 1) * sizeof name[0]);
        states[i] = Creating;
        // After the slot shows: a handler that began before this sees `stopping`, and one
        // that begins after it sees the slot.
        if (stopping) {
            states[i] = Free;
            return Stopped;
        }
        return int(i);
    }
    return stopping ? Stopped : Untracked;
}

void Created(int slot) {
    if (slot >= 0) states[std::size_t(slot)] = Present;
}

void Remove(int slot) {
    if (slot >= 0) states[std::size_t(slot)] = Free;
}

void RemoveAll() {
    stopping = true;
    for (std::size_t i = 0; i < Slots; ++i) {
        // A file being created may appear after it was removed: wait for the creation, but
        // not for ever, as it may be this very thread's, interrupted before creating it.
        for (long spin = 0; states[i] == Creating && spin < 20'000'000; ++spin) {
        }
        const int state = states[i];
        if (state == Creating || state == Present) Unlink(names[i].data());
    }
}

}  // namespace MyApp::PendingTemporaries
