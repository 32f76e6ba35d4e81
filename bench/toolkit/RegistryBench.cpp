// Element lookup by window handle with as many elements as the main window has (2,000 cells,
// the glyph palette and the other controls): the registry's hash index against the walk over
// the construction-ordered list that it replaces. Run under Wine:
//     build/windows/wine-run build/windows/bench/toolkit/tessaly_registry_bench.exe

#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/GUIElement.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace OrvUtility;
using Clock = std::chrono::steady_clock;

constexpr int ElementCount = 2200;

class BenchElement : public GUIElement {
public:
    BenchElement() : GUIElement(GetModuleHandleW(nullptr)) {}
    void Create() override {}
};

volatile std::uintptr_t sink = 0;  // keeps the lookups from being optimised away

// Nanoseconds per lookup over `rounds` passes of `handles`, best of five runs.
template <typename Lookup>
double NanosecondsPerLookup(const std::vector<HWND>& handles, int rounds, Lookup lookup) {
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        std::uintptr_t sum = 0;
        for (int round = 0; round < rounds; ++round)
            for (HWND window : handles) sum += reinterpret_cast<std::uintptr_t>(lookup(window));
        const auto elapsed = std::chrono::duration<double, std::nano>(Clock::now() - start);
        sink = sink + sum;
        best = std::min(best, elapsed.count() / (double(rounds) * double(handles.size())));
    }
    return best;
}

}  // namespace

int main() {
    // Real windows, so the handles are the values the system hands out.
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    std::vector<std::unique_ptr<BenchElement>> elements;
    std::vector<HWND> handles;
    for (int i = 0; i < ElementCount; ++i) {
        elements.push_back(std::make_unique<BenchElement>());
        HWND window = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 16, 24, host,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
        elements.back()->handle = window;
        handles.push_back(window);
    }
    const ElementRegistry& registry = ElementRegistry::Instance();

    std::vector<HWND> shuffled = handles;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(2200));
    const std::vector<HWND> last(64, handles.back());   // the walk's best case for a hit
    const std::vector<HWND> first(64, handles.front()); // found first, but the walk goes on
    const std::vector<HWND> unknown(64, host);          // no element: a full walk, then the rule

    // Floor: touching one element per lookup, without any search.
    std::vector<GUIElement*> byPosition(elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i) byPosition[i] = elements[i].get();
    std::size_t next = 0;
    const double floor = NanosecondsPerLookup(shuffled, 200, [&](HWND) {
        GUIElement* element = byPosition[next++ % byPosition.size()];
        return reinterpret_cast<void*>(element->handle.Get());
    });

    auto index = [&](HWND w) { return registry.FindByHandle(w); };
    auto walk = [&](HWND w) { return registry.FindByHandleWalk(w); };
    struct Row {
        const char* name;
        const std::vector<HWND>* handles;
    };
    const Row rows[] = {{"random element", &shuffled},
                        {"first constructed", &first},
                        {"last constructed", &last},
                        {"window without element", &unknown}};

    std::printf("FindByHandle with %d registered elements (ns per lookup, best of 5)\n",
                ElementCount);
    std::printf("floor (read one element's handle): %.2f ns\n\n", floor);
    std::printf("%-24s %12s %12s %10s %14s\n", "lookup of", "index", "walk", "walk/index",
                "index/floor");
    for (const Row& row : rows) {
        const double indexed = NanosecondsPerLookup(*row.handles, 20000, index);
        const double walked = NanosecondsPerLookup(*row.handles, 20, walk);
        std::printf("%-24s %12.2f %12.1f %10.0f %14.1f\n", row.name, indexed, walked,
                    walked / indexed, indexed / floor);
    }

    for (auto& element : elements) DestroyWindow(element->handle);
    DestroyWindow(host);
    return 0;
}
