#include "ModuleLocks.h"

#include <atomic>

namespace MyApp {

namespace {
std::atomic<long> holders{0};
}

void ModuleAddRef() { ++holders; }
void ModuleRelease() { --holders; }
bool ModuleInUse() { return holders.load() != 0; }

}  // namespace MyApp
