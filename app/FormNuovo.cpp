#include "app/FormNuovo.h"

#include "app/rules/NewDrawingChoices.h"
#include "model/GlyphAtlas.h"
#include "resources/ResourceIds.h"

#include <windows.h>

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

template <typename Control>
Control& Place(std::unique_ptr<Control>& control, const OrvUtility::DpiScale& scale, int left,
               int top, int controlWidth, int controlHeight) {
    return OrvUtility::PlaceScaled(*control, scale, left, top, controlWidth, controlHeight);
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
    // Laid out in the client area the window has while being made; the buttons keep those
    // places when the client area is then enlarged.
    int clientWidth = scale(DialogWidth);
    int clientHeight = scale(DialogHeight);
    RECT client{};
    if (handle && GetClientRect(handle, &client)) {
        clientWidth = client.right - client.left;
        clientHeight = client.bottom - client.top;
    }

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

    const struct {
        std::unique_ptr<OrvUtility::Label>& label;
        const char* caption;
        std::unique_ptr<OrvUtility::TextBox>& box;
        std::unique_ptr<OrvUtility::NumericBox>& spinner;
        int left;
        int largest;
        int proposed;
    } sides[] = {
        {widthLabel, "Larghezza:", widthBox, widthSpinner, 10, WidestDrawing, ProposedWidth},
        {heightLabel, "Altezza:", heightBox, heightSpinner, 200, TallestDrawing, ProposedHeight},
    };
    for (const auto& side : sides) {
        side.label = std::make_unique<OrvUtility::Label>(this, side.caption);
        Place(side.label, scale, side.left, 30, 80, 25).Create();

        side.box = std::make_unique<OrvUtility::TextBox>(this, "");
        OrvUtility::TextBox& box = Place(side.box, scale, side.left + 90, 28, 80, 25);
        box.numeric = true;
        box.maxLength = SideBoxLength;
        box.onChar = characterOfBox;
        box.onLostFocus = boxLostFocus;
        box.Create();

        side.spinner = std::make_unique<OrvUtility::NumericBox>(this, &box, side.largest);
        side.spinner->Create();
        side.spinner->SetValue(side.proposed);
    }

    backgroundLabel = std::make_unique<OrvUtility::Label>(this, "Sfondo:");
    Place(backgroundLabel, scale, 10, 60, 80, 25).Create();

    iconList = std::make_unique<OrvUtility::IconList>(int(BackgroundChoices.size()), scale.Pixels());
    for (const BackgroundChoice& choice : BackgroundChoices) iconList->AddIcon(choice.swatchIcon);

    backgroundList = std::make_unique<OrvUtility::ComboBoxEx>(this, *iconList);
    backgroundList->tabStop = true;
    Place(backgroundList, scale, 100, 60, 120, 120);
    for (std::size_t i = 0; i < BackgroundChoices.size(); ++i)
        backgroundList->Add(BackgroundChoices[i].label, std::to_string(BackgroundChoices[i].pair),
                            int(i));
    backgroundList->Create();
    backgroundList->Select(0);

    const struct {
        std::unique_ptr<OrvUtility::Button>& button;
        const char* caption;
        int fromRight;
    } buttons[] = {{cancelButton, "Annulla", 110}, {okButton, "OK", 220}};
    for (const auto& entry : buttons) {
        entry.button = std::make_unique<OrvUtility::Button>(this, entry.caption);
        entry.button->defaultButton = &entry.button == &okButton;
        OrvUtility::Button& button = Place(entry.button, scale, 0, 0, 100, 25);
        button.SetPosition(clientWidth - scale(entry.fromRight), clientHeight - scale(35));
        button.onCommand = click;
        entry.button->Create();
    }

    widthBox->Focus();
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
