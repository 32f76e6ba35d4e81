// The About box built on a real owner form: its layout, its links, the keys that close it and
// the owner it disables while it exists.

#include "ToolkitTesting.h"

#include "resources/ResourceIds.h"
#include "support/ScriptedServices.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/CellControl.h"
#include "toolkit/controls/FormAbout.h"
#include "toolkit/controls/StaticControls.h"
#include "toolkit/controls/TextBox.h"

#include <memory>

namespace OrvUtility {
namespace {

using namespace Testing;
using FormAboutTest = ControlTest;

std::unique_ptr<FormAbout> OpenBox(Form& owner) {
    auto box = std::make_unique<FormAbout>(&owner);
    box->logoResource = IDB_LOGO;
    box->logoWidth = 164;
    box->logoHeight = 50;
    box->title = "Orv Tessaly";
    box->subtitle = "Versione 1.0";
    box->infoText = "Righe\r\ndi informazioni";
    box->homePage = "http://www.tessaly.example";
    box->Create();
    ShowWindow(box->handle, SW_SHOWNA);
    return box;
}

POINT PlaceOf(const GUIElement& control) {
    RECT frame{};
    GetWindowRect(control.handle, &frame);
    POINT corner{frame.left, frame.top};
    ScreenToClient(GetParent(control.handle), &corner);
    return corner;
}

TEST_F(FormAboutTest, TheBoxLaysOutItsControlsBesideThePictureAndHoldsItsOwner) {
    auto box = OpenBox(form);
    EXPECT_FALSE(IsWindowEnabled(form.handle));
    EXPECT_EQ(form.openDialog, box.get());
    EXPECT_EQ(box->GetText(), L"Info...");
    RECT client{};
    GetClientRect(box->handle, &client);
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(600L, 300L));

    EXPECT_EQ(PlaceOf(*box->titleLabel).x, 209);
    EXPECT_EQ(PlaceOf(*box->homeLink).x, 209);
    EXPECT_EQ(PlaceOf(*box->mailLink).x, 369);
    EXPECT_EQ(PlaceOf(*box->logo).x, 5);
    EXPECT_EQ(box->mailLink->GetText(), L"info@tessaly.example");
    EXPECT_TRUE(box->logo->bitmap);
    const auto infoStyle = DWORD(GetWindowLongPtrW(box->infoBox->handle, GWL_STYLE));
    EXPECT_EQ(infoStyle & (ES_MULTILINE | ES_READONLY | WS_VSCROLL),
              DWORD(ES_MULTILINE | ES_READONLY | WS_VSCROLL));
    EXPECT_EQ(SendMessageW(box->infoBox->handle, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(GetFocus(), box->okButton->handle.Get());
    // The button is centred under the text column, as wide as the information text.
    const int column = box->infoBox->GetSize().cx;
    EXPECT_EQ(PlaceOf(*box->okButton).x, column / 2 + 209 - 40);

    box.reset();
    EXPECT_TRUE(IsWindowEnabled(form.handle));
    EXPECT_EQ(form.openDialog, nullptr);
}

TEST_F(FormAboutTest, EnterOrEscapeInAnyControlClosesItOtherKeysReachTheControls) {
    const struct { wchar_t key; bool closes; } cases[] = {{L'\r', true}, {27, true}, {L'a', false}};
    for (const auto& c : cases) {
        auto box = OpenBox(form);
        for (HWND control : {box->infoBox->handle.Get(), box->okButton->handle.Get()}) {
            if (!IsWindow(box->handle)) break;
            SendMessageW(control, WM_CHAR, c.key, 0);
        }
        EXPECT_EQ(IsWindow(box->handle), !c.closes) << int(c.key);
        EXPECT_EQ(IsWindowEnabled(form.handle), c.closes) << int(c.key);
    }
    EXPECT_TRUE(IsWindowEnabled(form.handle));
}

TEST_F(FormAboutTest, TheLinksOpenTheHomePageAndAMailToTheAddressShown) {
    auto box = OpenBox(form);
    scriptedServices = {};
    SendMessageW(box->homeLink->handle, WM_LBUTTONDOWN, 0, 0);
    SendMessageW(box->mailLink->handle, WM_LBUTTONDOWN, 0, 0);
    SendMessageW(box->titleLabel->handle, WM_LBUTTONDOWN, 0, 0);
    const auto opened = scriptedServices.Shown("document");
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].text, "http://www.tessaly.example");
    EXPECT_EQ(opened[1].text, "mailto:info@tessaly.example");
}

TEST_F(FormAboutTest, ReplaceAllReplacesUntilNoneIsLeftAndEndsWhereThatWouldNot) {
    const struct { const char *source, *find, *replacement, *result; } cases[] = {
        {"http://www.orv.example", "http://www.", "info@", "info@orv.example"},
        {"aabb", "ab", "", ""},  // a replacement can make a new occurrence
        {"xx", "x", "xx", "xxxx"},
        {"abc", "", "z", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceAll(c.source, c.find, c.replacement), c.result) << c.source;
}

}  // namespace
}  // namespace OrvUtility
