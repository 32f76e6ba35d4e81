#include "toolkit/controls/FormAbout.h"

#include "toolkit/controls/Button.h"
#include "toolkit/controls/CellControl.h"
#include "toolkit/controls/PanelChildren.h"
#include "toolkit/controls/StaticControls.h"
#include "toolkit/controls/TextBox.h"
#include "toolkit/core/Services.h"

#include <initializer_list>

namespace OrvUtility {

namespace {

constexpr int ClientWidth = 600;
constexpr int ClientHeight = 300;
constexpr Colour LinkBlue = 0x00FF0000;

// Characters typed in any control of the box reach the box.
bool RouteCharacter(GUIElement* sender, wchar_t character) {
    GUIElement* target = sender;
    if (auto* child = dynamic_cast<Child*>(sender)) target = child->parent;
    auto* box = dynamic_cast<FormAbout*>(target);
    return box ? box->OnChildChar(character) : true;
}

void PressLink(GUIElement* sender, HWND, int, int) {
    auto* child = dynamic_cast<Child*>(sender);
    if (auto* box = dynamic_cast<FormAbout*>(child ? child->parent : sender))
        box->OnLinkClick(sender);
}

void PressButton(GUIElement* sender) {
    auto* child = dynamic_cast<Child*>(sender);
    if (auto* box = dynamic_cast<FormAbout*>(child ? child->parent : nullptr))
        box->OnButton(sender);
}

// Every control of the box routes its characters to the box and is created once configured.
// Places and sizes are in the box's pixels, already scaled.
template <typename Control>
void Place(std::unique_ptr<Control>& control, int left, int top, int controlWidth,
           int controlHeight) {
    control->SetPosition(left, top);
    control->SetSize(controlWidth, controlHeight);
}

}  // namespace

std::string ReplaceAll(const std::string& source, const std::string& find,
                       const std::string& replacement) {
    std::string text = source;
    if (find.empty()) return text;
    if (replacement.find(find) == std::string::npos) {
        for (std::size_t at = text.find(find); at != std::string::npos; at = text.find(find))
            text.replace(at, find.size(), replacement);
        return text;
    }
    for (std::size_t at = text.find(find); at != std::string::npos;
         at = text.find(find, at + replacement.size()))
        text.replace(at, find.size(), replacement);
    return text;
}

FormAbout::FormAbout(Form* ownerForm) : Form(ownerForm->instance), owner(ownerForm) {
    // Shown on the owner's screen, at its DPI.
    scale.dpi = WindowDpi(owner->handle);
    for (Font* each : {&ownFont, &titleFont, &linkFont}) each->ScaleTo(scale.dpi);
    font = &ownFont;
    titleFont.bold = true;
    linkFont.underline = true;
    modalFrame = true;
    minimizeBox = false;
    resizable = false;
    SetSize(scale(ClientWidth), scale(ClientHeight));
    CenterOnScreen();
    SetText(std::string("Info..."));

    onCreate = [](GUIElement* sender, HWND) { static_cast<FormAbout*>(sender)->BuildControls(); };
    onClose = [](GUIElement* sender) { return static_cast<FormAbout*>(sender)->ConfirmClose(); };
    onResize = [](GUIElement* sender) { static_cast<FormAbout*>(sender)->LayoutControls(); };
    onDpiChanged = [](GUIElement* sender, int dpi, const RECT& suggested) {
        static_cast<FormAbout*>(sender)->OnDpiChanged(dpi, suggested);
    };
    onChar = RouteCharacter;
    onKeyDown = [](GUIElement* sender, int key) {
        static_cast<FormAbout*>(sender)->OnFormKeyDown(key);
    };
    onKeyUp = [](GUIElement* sender, int key) { static_cast<FormAbout*>(sender)->OnFormKeyUp(key); };

    owner->SetEnabled(false);
    owner->openDialog = this;
    ownerDisabled = true;
}

FormAbout::~FormAbout() {
    // Teardown, in this order: the window closes while the box is whole (its close gives the
    // owner back); an owner not given back yet, because the window never opened or went
    // without closing, gets it now; the controls go with the members, their windows gone.
    CloseAndDestroy();
    ReleaseOwner();
}

void FormAbout::ReleaseOwner() {
    if (!ownerDisabled) return;
    ownerDisabled = false;
    if (owner->openDialog == this) owner->openDialog = nullptr;
    owner->SetEnabled(true);
}

void FormAbout::OnShow() {
    SetClientSize(scale(ClientWidth), scale(ClientHeight));
}

void FormAbout::BuildControls() {
    logoFrame = std::make_unique<PanelChildren>(this);
    logoFrame->border = true;
    logo = std::make_unique<Image>(logoFrame.get(), logoResource);
    titleLabel = std::make_unique<Label>(this, title);
    titleLabel->font = &titleFont;
    subtitleLabel = std::make_unique<Label>(this, subtitle);
    subtitleLabel->font = font;
    homeLink = std::make_unique<CellControl>(this);
    homeLink->SetText(homePage);
    mailLink = std::make_unique<CellControl>(this);
    mailLink->SetText(ReplaceAll(homePage, "http://www.", "info@"));
    for (CellControl* link : {homeLink.get(), mailLink.get()}) {
        link->textColour = LinkBlue;
        link->textAlign = 0;
        link->SetHandCursor(true);
        link->onMouseDown = PressLink;
        link->font = &linkFont;
    }
    // An edit control takes its multi-line nature only when it is made: set afterwards, the
    // style bit shows but the text stays on one line.
    infoBox = std::make_unique<TextBox>(this, infoText);
    infoBox->multiline = infoBox->readOnly = infoBox->verticalScroll = true;
    okButton = std::make_unique<Button>(this, "OK");
    okButton->onCommand = PressButton;

    // Each made where it goes: the places first, then the windows.
    PlaceControls();
    logo->pixelFactor = scale.Pixels();
    for (GUIElement* control : std::initializer_list<GUIElement*>{
             logoFrame.get(), logo.get(), titleLabel.get(), subtitleLabel.get(), homeLink.get(),
             mailLink.get(), infoBox.get(), okButton.get()}) {
        control->onChar = RouteCharacter;
        control->Create();
    }
    PlaceControls();  // the button's width is its window's
    okButton->Focus();
}

// From the client area the box has: the logo grows by a whole factor, every other length with
// the DPI.
void FormAbout::PlaceControls() {
    RECT client{};
    GetClientRect(handle, &client);
    width = client.right - client.left;
    height = client.bottom - client.top;
    const int shownLogoWidth = logoWidth * scale.Pixels();
    const int shownLogoHeight = logoHeight * scale.Pixels();
    const int x0 = shownLogoWidth + scale(45);
    const int columnWidth = width - (shownLogoWidth + scale(20)) - scale(35);

    Place(logoFrame, scale(10), scale(10), shownLogoWidth + scale(20), height - scale(20));
    Place(logo, scale(5), scale(5), shownLogoWidth, shownLogoHeight);
    Place(titleLabel, x0, scale(10), columnWidth, scale(25));
    Place(subtitleLabel, x0, scale(35), columnWidth, scale(25));
    Place(homeLink, x0, scale(55), scale(150), scale(22));
    Place(mailLink, x0 + scale(160), scale(55), scale(150), scale(22));
    Place(infoBox, x0, scale(85), columnWidth, height - scale(145));
    Place(okButton, 0, 0, scale(80), scale(25));
    const int buttonWidth = okButton->GetSize().cx;
    okButton->SetPosition(columnWidth / 2 + x0 - buttonWidth / 2, height - scale(50));
}

// Moved to a screen of another DPI: fonts, logo and places made again for it, in the
// rectangle the system suggests.
void FormAbout::OnDpiChanged(int dpi, const RECT& suggested) {
    scale.dpi = dpi;
    for (Font* each : {&ownFont, &titleFont, &linkFont}) {
        const HFONT old = each->handle;
        if (each->ScaleTo(scale.dpi) && old) ReplaceFont(handle, old, each->GetHandle());
    }
    logo->pixelFactor = scale.Pixels();
    logo->SetResource(logoResource);
    SetWindowPos(handle, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls();
    RedrawWindow(handle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool FormAbout::ConfirmClose() {
    UnregisterHotKeys();
    ReleaseOwner();
    return true;
}

void FormAbout::LayoutControls() {}

bool FormAbout::OnChildChar(wchar_t character) {
    if (character != L'\r' && character != 27) return true;
    if (okButton) OnButton(okButton.get());
    return false;
}

void FormAbout::OnFormKeyDown(int) {}

void FormAbout::OnFormKeyUp(int) {}

void FormAbout::OnButton(GUIElement* sender) {
    if (!okButton || sender->id != okButton->id) return;
    SendMessageW(handle, WM_CLOSE, 0, 0);
    created = false;
}

void FormAbout::OnLinkClick(GUIElement* sender) {
    if (homeLink && sender->id == homeLink->id) {
        OpenDocument(homePage);
    } else if (mailLink && sender->id == mailLink->id) {
        OpenDocument("mailto:" + mailLink->GetTextNarrow());
    }
}

}  // namespace OrvUtility
