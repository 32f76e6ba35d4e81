#include "Interruption.h"

#include "files/PendingTemporaries.h"

#include <cerrno>
#include <csignal>

namespace MyApp {

#ifdef _WIN32
void RemoveTemporariesOnInterruption() {}
#else
namespace {

constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

extern "C" void OnInterruption(int signal) {
    const int saved = errno;
    PendingTemporaries::RemoveAll();
    errno = saved;
    // The handler is the default action again (SA_RESETHAND): the signal, raised once more,
    // ends the program with its own status as soon as this returns.
    std::raise(signal);
}

}  // namespace

void RemoveTemporariesOnInterruption() {
    struct sigaction action {};
    action.sa_handler = OnInterruption;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int signal : Signals) sigaddset(&action.sa_mask, signal);
    for (const int signal : Signals) {
        struct sigaction previous {};
        if (sigaction(signal, nullptr, &previous) != 0) continue;
        if (previous.sa_handler == SIG_IGN && signal != SIGPIPE) continue;
        sigaction(signal, &action, nullptr);
    }
}
#endif

}  // namespace MyApp
