// Element lifetimes: windows bound to their own element while being created, subclassed
// controls handed back in time, forms whole while their windows close, no dispatcher pointer
// left on a dead element, failing hooks, and the objects a form leaves behind.

#include "ToolkitTesting.h"

#include "support/ObjectCounts.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/PanelChildren.h"

#include "toolkit/core/DispatcherState.h"
#include "toolkit/core/ElementRegistry.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProcedure.h"

#include <memory>
#include <stdexcept>

namespace OrvUtility {
namespace {

using namespace Testing;
using ElementLifetimeTest = ToolkitTest;

void RecordCreation(GUIElement* sender, HWND) {
    Record("create " + sender->typeName);
}

// Creation messages reach the element whose window is being created, also when another was
// constructed later or the creation nests; a window without element reaches none, however
// recently an element without a window was constructed.
TEST_F(ElementLifetimeTest, CreationMessagesReachTheirOwnElementOrNone) {
    Form outer(Module());
    Form inner(Module());
    Form constructedLast(Module());
    outer.typeName = "outer";
    inner.typeName = "inner";
    constructedLast.typeName = "last";
    for (Form* form : {&outer, &inner, &constructedLast}) form->onCreate = RecordCreation;
    static Form* nested;
    nested = &inner;
    outer.onCreate = [](GUIElement* sender, HWND window) {
        RecordCreation(sender, window);
        nested->Create();
        Record(FindByHandle(window) == sender ? "outer found" : "outer lost");
    };
    outer.Create();
    EXPECT_EQ(Log(), (Lines{"create outer", "create inner", "outer found"}));
    EXPECT_EQ(FindByHandle(inner.handle), &inner);
    EXPECT_EQ(constructedLast.handle.Get(), nullptr);

    Log().clear();
    const HWND stranger = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 0, 0,
                                          20, 20, outer.handle, nullptr, Module(), nullptr);
    Button item(&outer, "OK");  // the last constructed, without a window
    item.onCommand = [](GUIElement*) { Record("command"); };
    SendMessageW(stranger, BM_CLICK, 0, 0);
    PumpPending();
    EXPECT_TRUE(Log().empty());
}

// A probe native control: counts what its own procedure sees.
int probeDestroys = 0;
int probeTexts = 0;

LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) ++probeDestroys;
    if (message == WM_SETTEXT) ++probeTexts;
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* ProbeClass() {
    static const ATOM atom = [] {
        WNDCLASSW probe{};
        probe.lpfnWndProc = ProbeProcedure;
        probe.hInstance = Module();
        probe.lpszClassName = L"TessalyProbe";
        return RegisterClassW(&probe);
    }();
    return atom ? L"TessalyProbe" : nullptr;
}

WNDPROC stackedPrevious = nullptr;

LRESULT CALLBACK StackedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(stackedPrevious, window, message, wParam, lParam);
}

// The control keeps receiving its messages after its element dies first: the shared procedure
// leaves the chain, or forwards when another subclass sits on top of it (as a tooltip's does).
TEST_F(ElementLifetimeTest, ASubclassedControlOutlivingItsElementStillGetsItsMessages) {
    Form form(Module());
    form.Create();
    for (bool stacked : {false, true}) {
        probeDestroys = probeTexts = 0;
        auto element = std::make_unique<NativeChild>(&form, ProbeClass());
        element->destroyWindow = false;
        element->Create();
        const HWND window = element->handle;
        if (stacked) {
            stackedPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StackedProcedure)));
        }
        element.reset();
        const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
        EXPECT_EQ(procedure, stacked ? &StackedProcedure : &ProbeProcedure);
        SetWindowTextW(window, L"after");
        DestroyWindow(window);
        EXPECT_EQ(std::make_pair(probeTexts, probeDestroys), std::make_pair(1, 1)) << stacked;
    }
}

// A hook that throws stops at the window procedure, and the message still gets its default
// processing: a paint is validated, a control sees its destruction; a close stays refused.
TEST_F(ElementLifetimeTest, AThrowingHookStillGetsDefaultProcessingButACloseKeepsTheWindow) {
    Form form(Module());
    form.onPaint = [](GUIElement*) { throw std::runtime_error("paint failed"); };
    form.onClose = [](GUIElement*) -> bool { throw std::bad_alloc(); };
    form.Create();
    InvalidateRect(form.handle, nullptr, FALSE);
    UpdateWindow(form.handle);
    EXPECT_FALSE(GetUpdateRect(form.handle, nullptr, FALSE));
    EXPECT_EQ(SendMessageW(form.handle, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(form.handle));

    probeDestroys = 0;
    NativeChild control(&form, ProbeClass());
    control.onDestroy = [](GUIElement*) { throw std::runtime_error("destroy failed"); };
    control.Create();
    DestroyWindow(control.handle);
    EXPECT_EQ(probeDestroys, 1);
    form.onClose = nullptr;
}

// Closes while whole: its override and its hooks see the derived form.
class WholeDialog : public Form {
public:
    WholeDialog() : Form(Module(), true) {
        onDestroy = [](GUIElement* sender) {
            Record(dynamic_cast<WholeDialog*>(sender) ? "destroy whole" : "destroy half");
        };
    }
    ~WholeDialog() override { CloseAndDestroy(); }
    bool OnClose() override {
        Record("close " + result);
        return false;  // the destructor closes it all the same
    }
    std::string result = "kept";
};

// Leaves its window to the base destructor.
class CarelessDialog : public Form {
public:
    CarelessDialog() : Form(Module(), true) {
        onClose = [](GUIElement* sender) {
            Record(dynamic_cast<CarelessDialog*>(sender) ? "close whole" : "close half");
            return true;
        };
    }
};

TEST_F(ElementLifetimeTest, FormsCloseWhileWholeAndNoHookSeesAHalfDestroyedForm) {
    HWND windows[2];
    {
        WholeDialog whole;
        whole.Create();
        CarelessDialog careless;
        careless.Create();
        windows[0] = whole.handle;
        windows[1] = careless.handle;
    }
    EXPECT_EQ(Log(), (Lines{"close kept", "destroy whole"}));
    EXPECT_FALSE(IsWindow(windows[0]) || IsWindow(windows[1]));
}

// The owner's dialog, the active form and panels are forgotten when their window goes and
// when they die.
TEST_F(ElementLifetimeTest, NoDispatcherPointerOrOwnerKeepsADeadElement) {
    Form owner(Module());
    owner.Create();
    for (bool windowFirst : {true, false}) {
        auto dialog = std::make_unique<Form>(Module(), true);
        dialog->Create();
        auto panel = std::make_unique<PanelChildren>(&owner);
        panel->text = L"pannello";
        panel->Create();
        const Form* dead = owner.openDialog = activeForm = dialog.get();
        activePanel = wheelPanel = panel.get();
        if (windowFirst) {
            DestroyWindow(dialog->handle);
            DestroyWindow(panel->handle);
            // Its handle may name another window from now on; the element keeps its text.
            EXPECT_EQ(panel->handle.Get(), nullptr);
            EXPECT_EQ(panel->GetText(), L"pannello");
        } else {
            dialog.reset();
            panel.reset();
        }
        EXPECT_EQ(owner.openDialog, nullptr) << windowFirst;
        EXPECT_NE(activeForm, dead) << windowFirst;  // the owner may have become active
        EXPECT_EQ(activePanel, nullptr) << windowFirst;
        EXPECT_EQ(wheelPanel, nullptr) << windowFirst;
    }
}

void OpenAndCloseDialogs(int count, wchar_t (&lastClass)[32]) {
    for (int round = 0; round < count; ++round) {
        Form dialog(Module(), true);
        dialog.backColour = 0x00FFFF;
        dialog.iconId = 101;
        dialog.toolTipText = "Nuovo";
        dialog.Create();
        dialog.SetIcon(101);
        GetClassNameW(dialog.handle, lastClass, 32);
    }
}

// Makes `count` cell-sized subclassed children of `owner` and drops them.
void MakeAndDropCells(Form& owner, int count) {
    std::vector<std::unique_ptr<NativeChild>> cells;
    for (int n = 0; n < count; ++n) {
        cells.push_back(std::make_unique<NativeChild>(&owner, L"STATIC", WS_CHILD | WS_VISIBLE));
        cells.back()->x = 16 * (n % 80);
        cells.back()->y = 24 * (n / 80);
        cells.back()->width = 16;
        cells.back()->height = 24;
        cells.back()->Create();
    }
    UpdateWindow(owner.handle);
    cells.clear();
    PumpPending();
}

// A dialog opened and closed a thousand times, and two thousand cell-sized subclassed children
// made and dropped, leave the object counts where they were and no class registered. A short
// first round lets the system fill the caches it keeps.
TEST_F(ElementLifetimeTest, FormsAndChildrenMadeAgainAndAgainLeaveNothingBehind) {
    Form owner(Module());
    owner.Create();
    wchar_t lastClass[32] = {};
    OpenAndCloseDialogs(10, lastClass);
    MakeAndDropCells(owner, 2000);
    const int gdiBefore = ::Testing::GdiObjects();
    const int userBefore = ::Testing::UserObjects();
    OpenAndCloseDialogs(1000, lastClass);
    MakeAndDropCells(owner, 2000);
    EXPECT_EQ(::Testing::GdiObjects(), gdiBefore);
    EXPECT_EQ(::Testing::UserObjects(), userBefore);
    WNDCLASSW registered{};
    EXPECT_FALSE(GetClassInfoW(Module(), lastClass, &registered));
}

}  // namespace
}  // namespace OrvUtility
