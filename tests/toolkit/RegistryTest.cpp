// The element registry: lookups by handle (index against the ordered walk), the rule for
// windows being created, destruction, lookups by id.

#include "ToolkitTesting.h"

#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProcedure.h"

#include <algorithm>
#include <memory>
#include <random>
#include <set>

namespace OrvUtility {
namespace {

using namespace Testing;

class PlainElement : public GUIElement {
public:
    PlainElement() : GUIElement(Module()) {}
    void Create() override {}
};

HWND Fake(int n) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7000 + 16 * n));
}

using RegistryTest = ToolkitTest;

TEST_F(RegistryTest, TheLastConstructedOfEqualHandlesWins) {
    PlainElement first, second, third;
    first.handle = Fake(1);
    third.handle = Fake(1);
    second.handle = Fake(2);
    EXPECT_EQ(FindByHandle(Fake(1)), &third);
    EXPECT_EQ(FindByHandle(Fake(2)), &second);
    // Assignment order does not matter, construction order does.
    PlainElement fourth;
    fourth.handle = Fake(3);
    first.handle = Fake(3);
    EXPECT_EQ(FindByHandle(Fake(3)), &fourth);
    first.handle = Fake(1);
    EXPECT_EQ(FindByHandle(Fake(3)), &fourth);
    EXPECT_EQ(FindByHandle(Fake(1)), &third);
}

TEST_F(RegistryTest, AnUnknownHandleGoesToTheLastElementOnlyWhileItHasNoHandle) {
    PlainElement created;
    created.handle = Fake(1);
    EXPECT_EQ(FindByHandle(Fake(9)), nullptr);

    PlainElement beingCreated;  // constructed last, no handle yet
    EXPECT_EQ(FindByHandle(Fake(9)), &beingCreated);
    EXPECT_EQ(FindByHandle(Fake(1)), &created);  // a known handle still wins

    beingCreated.handle = Fake(2);
    EXPECT_EQ(FindByHandle(Fake(9)), nullptr);
}

TEST_F(RegistryTest, DestructedElementsAreNeverFound) {
    auto early = std::make_unique<PlainElement>();
    PlainElement kept;
    auto late = std::make_unique<PlainElement>();
    early->handle = Fake(1);
    kept.handle = Fake(1);
    late->handle = Fake(1);
    late->id = 77;
    early->id = 77;
    ASSERT_EQ(FindByHandle(Fake(1)), late.get());
    late.reset();
    EXPECT_EQ(FindByHandle(Fake(1)), &kept);
    EXPECT_EQ(FindById(77), early.get());
    early.reset();
    EXPECT_EQ(FindById(77), nullptr);
    EXPECT_EQ(FindByHandle(Fake(1)), &kept);

    // The last live element decides the rule for unknown handles.
    auto pending = std::make_unique<PlainElement>();
    EXPECT_EQ(FindByHandle(Fake(5)), pending.get());
    pending.reset();
    EXPECT_EQ(FindByHandle(Fake(5)), nullptr);
}

// The index must answer as the walk over the construction-ordered list, through any mix of
// constructions, handle changes (shared handles, none, reuse) and destructions.
TEST_F(RegistryTest, IndexAnswersEqualTheOrderedWalkOnMixedSequences) {
    const std::size_t before = ElementRegistry::Instance().Size();
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        std::vector<std::unique_ptr<PlainElement>> live;
        std::vector<PlainElement*> constructionOrder;
        auto pick = [&](std::size_t count) {
            return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
        };
        for (int step = 0; step < 400; ++step) {
            const std::size_t action = pick(10);
            if (live.empty() || action < 3) {
                live.push_back(std::make_unique<PlainElement>());
                constructionOrder.push_back(live.back().get());
            } else if (action < 5) {
                const std::size_t victim = pick(live.size());
                constructionOrder.erase(std::find(constructionOrder.begin(),
                                                  constructionOrder.end(), live[victim].get()));
                live.erase(live.begin() + std::ptrdiff_t(victim));
            } else {
                const std::size_t handleNumber = pick(7);  // 0: back to no handle
                live[pick(live.size())]->handle = handleNumber ? Fake(int(handleNumber)) : nullptr;
            }
            const std::set<GUIElement*> alive(constructionOrder.begin(), constructionOrder.end());
            for (int n = 0; n <= 8; ++n) {
                const HWND window = n ? Fake(n) : nullptr;
                GUIElement* indexed = FindByHandle(window);
                ASSERT_EQ(indexed, ElementRegistry::Instance().FindByHandleWalk(window))
                    << "seed " << seed << " step " << step << " handle " << n;
                if (indexed) {
                    ASSERT_TRUE(alive.count(indexed));
                }
            }
        }
        const std::vector<GUIElement*> listed = ElementRegistry::Instance().Elements();
        ASSERT_EQ(listed.size(), before + constructionOrder.size());
        EXPECT_TRUE(std::equal(constructionOrder.begin(), constructionOrder.end(),
                               listed.begin() + std::ptrdiff_t(before)));
    }
    EXPECT_EQ(ElementRegistry::Instance().Size(), before);
}

TEST_F(RegistryTest, IdLookupsTakeTheFirstInConstructionOrder) {
    PlainElement plain;
    SubMenuDouble entry(nullptr);
    SubMenuDouble later(nullptr);
    plain.id = entry.id;
    later.id = entry.id;
    EXPECT_EQ(FindById(entry.id), &plain);
    EXPECT_EQ(FindSubMenuById(entry.id), &entry);  // the plain element is not a sub-menu
    EXPECT_EQ(FindSubMenuById(entry.id + 1000), nullptr);
    EXPECT_EQ(FindById(entry.id + 1000), nullptr);
}

// The rule for windows being created, with real windows of a class served by the toolkit.
TEST_F(RegistryTest, MessagesOfAWindowWithoutElementReachTheElementBeingCreated) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = Module();
    windowClass.lpszClassName = L"RegistryTestWindow";
    RegisterClassW(&windowClass);
    auto rawWindow = [] {
        return CreateWindowExW(0, L"RegistryTestWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, Module(), nullptr);
    };
    auto recordChar = [](GUIElement* sender, wchar_t) {
        Record(sender->typeName);
        return true;
    };

    Form form(Module());
    form.typeName = "created";
    form.onChar = recordChar;
    form.Create();
    HWND stranger = rawWindow();
    SendMessageW(stranger, WM_CHAR, 'a', 0);
    EXPECT_TRUE(Log().empty());  // the last element has its window: default processing only

    PlainElement pending;
    pending.typeName = "pending";
    pending.onChar = recordChar;
    SendMessageW(stranger, WM_CHAR, 'b', 0);
    SendMessageW(form.handle, WM_CHAR, 'c', 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"pending", "created"}));
    DestroyWindow(stranger);
}

}  // namespace
}  // namespace OrvUtility
