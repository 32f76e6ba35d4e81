#include "app/FormNuovo.h"

#include "app/rules/NewDrawingChoices.h"
#include "model/GlyphAtlas.h"
#include "resources/ResourceIds.h"

#include <windows.h>
#include <commctrl.h>

namespace MyApp {

namespace {

constexpr int DialogWidth = 400;
constexpr int DialogHeight = 150;
constexpr int OwnerOffset = 50;
constexpr int SideBoxLength = 2;  // digits a side can have

// The dialog a control of it belongs to.
FormNuovo* DialogOf(OrvUtility::GUIElement* control) {
    auto* child = dynamic_cast<OrvUtility::Child*>(control);
    return dynamic_cast<FormNuovo*>(child ? child->parent : control);
}


}  // namespace

FormNuovo::FormNuovo(OrvUtility::Form* ownerForm, const std::string& title)
    : Form(ownerForm->instance, true), owner(ownerForm) {
    topmost = false;
    keyPreview = true;
    // Made on the owner's screen, at its DPI.
    scale.dpi = OrvUtility::WindowDpi(owner->handle);
    const POINT ownerCorner = owner->GetPosition();
    SetPosition(ownerCorner.x + scale(OwnerOffset), ownerCorner.y + scale(OwnerOffset));
    ownFont.bold = true;
    ownFont.ScaleTo(scale.dpi);
    font = &ownFont;
    SetSize(scale(DialogWidth), scale(DialogHeight));
    SetText(title);
    minimizeBox = true;
    resizable = false;

    onCreate = [](GUIElement* sender, HWND) { static_cast<FormNuovo*>(sender)->BuildControls(); };
    onClose = [](GUIElement* sender) { return static_cast<FormNuovo*>(sender)->ConfirmClose(); };
    onChar = [](GUIElement* sender, wchar_t character) {
        return static_cast<FormNuovo*>(sender)->OnFormChar(character);
    };
    onDpiChanged = [](GUIElement* sender, int dpi, const RECT& suggested) {
        static_cast<FormNuovo*>(sender)->OnDpiChanged(dpi, suggested);
    };

    SetIcon(IDI_APP);  // before Create: the window class carries it
    Create();
    SetClientSize(scale(DialogWidth), scale(DialogHeight));

    owner->SetEnabled(false);
    owner->openDialog = this;
    ownerDisabled = true;
}

FormNuovo::~FormNuovo() {
    // The window closes while the dialog is whole, so the owner's hook reads the outcome; an
    // owner not given back by a close (the window went some other way) gets it now.
    CloseAndDestroy();
    ReleaseOwner();
}

void FormNuovo::Preset(int drawingWidth, int drawingHeight, int backgroundPair) {
    widthSpinner->SetValue(drawingWidth);
    heightSpinner->SetValue(drawingHeight);
    backgroundList->Select(BackgroundChoiceFor(backgroundPair));
    preset = PresetValues{drawingWidth,        drawingHeight,       backgroundPair,
                          widthBox->GetText(), heightBox->GetText(), backgroundList->SelectedIndex()};
    modifyMode = true;
}

void FormNuovo::BuildControls() {
    const auto characterOfBox = [](GUIElement* box, wchar_t character) {
        FormNuovo* owning = DialogOf(box);
        return owning ? owning->OnBoxChar(box, character) : true;
    };
    const auto boxLostFocus = [](GUIElement* box) {
        if (FormNuovo* owning = DialogOf(box)) owning->OnBoxLostFocus(box);
    };
    const auto click = [](GUIElement* button) {
        if (FormNuovo* owning = DialogOf(button)) owning->OnButton(button);
    };

    widthLabel = std::make_unique<OrvUtility::Label>(this, "Larghezza:");
    heightLabel = std::make_unique<OrvUtility::Label>(this, "Altezza:");
    for (auto* box : {&widthBox, &heightBox}) {
        *box = std::make_unique<OrvUtility::TextBox>(this, "");
        (*box)->numeric = true;
        (*box)->maxLength = SideBoxLength;
        (*box)->onChar = characterOfBox;
        (*box)->onLostFocus = boxLostFocus;
    }
    backgroundLabel = std::make_unique<OrvUtility::Label>(this, "Sfondo:");
    iconList = std::make_unique<OrvUtility::IconList>(int(BackgroundChoices.size()), scale.Pixels());
    for (const BackgroundChoice& choice : BackgroundChoices) iconList->AddIcon(choice.swatchIcon);
    backgroundList = std::make_unique<OrvUtility::ComboBoxEx>(this, *iconList);
    backgroundList->tabStop = true;
    for (std::size_t i = 0; i < BackgroundChoices.size(); ++i)
        backgroundList->Add(BackgroundChoices[i].label, std::to_string(BackgroundChoices[i].pair),
                            int(i));
    cancelButton = std::make_unique<OrvUtility::Button>(this, "Annulla");
    okButton = std::make_unique<OrvUtility::Button>(this, "OK");
    okButton->defaultButton = true;
    for (OrvUtility::Button* button : {cancelButton.get(), okButton.get()}) button->onCommand = click;

    // Laid out in the client area the window has while being made; the buttons keep those
    // places when the client area is then enlarged. Each window is made where it goes, in the
    // order the keyboard visits them; a side's spinner sits on its box as the box is placed.
    PlaceControls();
    const struct {
        OrvUtility::Label& label;
        OrvUtility::TextBox& box;
        std::unique_ptr<OrvUtility::NumericBox>& spinner;
        int largest;
        int proposed;
    } sides[] = {
        {*widthLabel, *widthBox, widthSpinner, WidestDrawing, ProposedWidth},
        {*heightLabel, *heightBox, heightSpinner, TallestDrawing, ProposedHeight},
    };
    for (const auto& side : sides) {
        side.label.Create();
        side.box.Create();
        side.spinner = std::make_unique<OrvUtility::NumericBox>(this, &side.box, side.largest);
        side.spinner->Create();
        side.spinner->SetValue(side.proposed);
    }
    backgroundLabel->Create();
    backgroundList->Create();
    backgroundList->Select(0);
    cancelButton->Create();
    okButton->Create();
    widthBox->Focus();
}

void FormNuovo::PlaceControls() {
    int clientWidth = scale(DialogWidth);
    int clientHeight = scale(DialogHeight);
    RECT client{};
    if (handle && GetClientRect(handle, &client)) {
        clientWidth = client.right - client.left;
        clientHeight = client.bottom - client.top;
    }
    const struct {
        OrvUtility::Label& label;
        OrvUtility::TextBox& box;
        std::unique_ptr<OrvUtility::NumericBox>& spinner;
        int left;
    } sides[] = {{*widthLabel, *widthBox, widthSpinner, 10}, {*heightLabel, *heightBox, heightSpinner, 200}};
    for (const auto& side : sides) {
        OrvUtility::PlaceScaled(side.label, scale, side.left, 30, 80, 25);
        OrvUtility::PlaceScaled(side.box, scale, side.left + 90, 28, 80, 25);
        if (side.spinner && side.spinner->handle)  // onto its box again, wherever that went
            SendMessageW(side.spinner->handle, UDM_SETBUDDY,
                         reinterpret_cast<WPARAM>(side.box.handle.Get()), 0);
    }
    OrvUtility::PlaceScaled(*backgroundLabel, scale, 10, 60, 80, 25);
    OrvUtility::PlaceScaled(*backgroundList, scale, 100, 60, 120, 120);
    const struct {
        OrvUtility::Button& button;
        int fromRight;
    } buttons[] = {{*cancelButton, 110}, {*okButton, 220}};
    for (const auto& entry : buttons) {
        OrvUtility::PlaceScaled(entry.button, scale, 0, 0, 100, 25);
        entry.button.SetPosition(clientWidth - scale(entry.fromRight), clientHeight - scale(35));
    }
}

// Moved to a screen of another DPI: font, swatches and places made again for it, in the
// rectangle the system suggests.
void FormNuovo::OnDpiChanged(int dpi, const RECT& suggested) {
    const int before = scale.dpi;
    scale.dpi = dpi;
    const HFONT oldFont = ownFont.handle;
    if (ownFont.ScaleTo(dpi)) OrvUtility::ReplaceFont(handle, oldFont, ownFont.GetHandle());
    OrvUtility::ReplaceFont(handle, OrvUtility::SystemFontAt(before),
                            OrvUtility::SystemFontAt(dpi));
    iconList->Restart(scale.Pixels());
    for (const BackgroundChoice& choice : BackgroundChoices) iconList->AddIcon(choice.swatchIcon);
    SendMessageW(backgroundList->handle, CBEM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(iconList->imageList));
    SetWindowPos(handle, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls();
    RedrawWindow(handle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool FormNuovo::ConfirmClose() {
    ReleaseOwner();
    return true;
}

bool FormNuovo::OnFormChar(wchar_t character) {
    if (character == 27) {
        CloseWith(ClosedWithoutChoice);
    } else if (character == L'\r' && cancelButton && GetFocus() == cancelButton->handle) {
        OnButton(cancelButton.get());  // Enter presses the button that has the keyboard
    } else if (character == L'\r' && okButton) {
        OnButton(okButton.get());  // and means OK everywhere else
    }
    return true;
}

bool FormNuovo::OnBoxChar(GUIElement*, wchar_t character) {
    return character != L'\t';
}

void FormNuovo::OnBoxLostFocus(GUIElement* box) {
    if (box == heightBox.get()) {
        heightBox->SetText(std::to_wstring(HeightChosen()));
    } else if (box == widthBox.get()) {
        widthBox->SetText(std::to_wstring(WidthChosen()));
    }
}

void FormNuovo::OnButton(GUIElement* button) {
    if (cancelButton && button == cancelButton.get()) {
        CloseWith(Cancelled);
    } else if (okButton && button == okButton.get()) {
        width = WidthChosen();
        height = HeightChosen();
        const int chosen = backgroundList->SelectedIndex();
        background = PairOfChoiceValue(backgroundList->ItemValueNarrow(chosen));
        if (preset) {  // modify mode
            if (widthBox->GetText() == preset->widthText) width = preset->width;
            if (heightBox->GetText() == preset->heightText) height = preset->height;
            if (chosen == preset->backgroundItem) background = preset->background;
        }
        CloseWith(Accepted);
    }
}

int FormNuovo::WidthChosen() {
    return TypedSide(widthBox->GetText(), widthSpinner->minimum, widthSpinner->maximum);
}

int FormNuovo::HeightChosen() {
    return TypedSide(heightBox->GetText(), heightSpinner->minimum, heightSpinner->maximum);
}

void FormNuovo::CloseWith(Result outcome) {
    result = outcome;
    SendMessageW(handle, WM_CLOSE, 0, 0);
    created = false;
}

void FormNuovo::ReleaseOwner() {
    if (!ownerDisabled) return;
    ownerDisabled = false;
    if (owner->openDialog == this) owner->openDialog = nullptr;
    owner->SetEnabled(true);
}

}  // namespace MyApp
