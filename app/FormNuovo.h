#pragma once
// The new-drawing dialog: width, height and background of a drawing, for a new one ("Nuovo")
// or for the drawing being edited ("Modifica"). It behaves modally: its owner is disabled while
// it is open. The owner reads the outcome when the dialog's window is destroyed (its
// `onDestroy` hook): `result`, then `width`, `height`, `background` and `modifyMode`.
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/StaticControls.h"
#include "toolkit/controls/TextBox.h"
#include "toolkit/core/Dpi.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/Form.h"

#include <memory>
#include <optional>
#include <string>

namespace MyApp {

class FormNuovo : public OrvUtility::Form {
public:
    enum Result { ClosedWithoutChoice = 0, Accepted = 1, Cancelled = 2 };

    // Builds and creates the dialog 50 pixels right of and below the owner's corner, with a
    // 400 x 150 client area, and disables the owner.
    FormNuovo(OrvUtility::Form* ownerForm, const std::string& title);
    ~FormNuovo() override;

    // Modify mode, showing the drawing's size and background. A control the user leaves alone
    // gives back the drawing's own value, also one the control cannot show (a drawing 9 rows
    // high shows 10, the least the box takes, and stays 9 unless the box is changed).
    void Preset(int drawingWidth, int drawingHeight, int backgroundPair);

    int result = ClosedWithoutChoice;
    bool modifyMode = false;
    int width = 0;
    int height = 0;
    int background = 0;
    OrvUtility::Form* owner;

    // The controls, created with the window (in this order).
    std::unique_ptr<OrvUtility::Label> widthLabel;
    std::unique_ptr<OrvUtility::TextBox> widthBox;
    std::unique_ptr<OrvUtility::NumericBox> widthSpinner;
    std::unique_ptr<OrvUtility::Label> heightLabel;
    std::unique_ptr<OrvUtility::TextBox> heightBox;
    std::unique_ptr<OrvUtility::NumericBox> heightSpinner;
    std::unique_ptr<OrvUtility::Label> backgroundLabel;
    std::unique_ptr<OrvUtility::IconList> iconList;
    std::unique_ptr<OrvUtility::ComboBoxEx> backgroundList;
    std::unique_ptr<OrvUtility::Button> cancelButton;
    std::unique_ptr<OrvUtility::Button> okButton;

    // Moved to a screen of `dpi`: laid out again for it in the suggested rectangle.
    void OnDpiChanged(int dpi, const RECT& suggested);

private:
    virtual void BuildControls();
    // Every control at its place for the client area and the DPI.
    void PlaceControls();
    virtual bool ConfirmClose();
    // Escape closes without a choice, Enter accepts; whatever was typed, in whichever control.
    virtual bool OnFormChar(wchar_t character);
    virtual bool OnBoxChar(OrvUtility::GUIElement* box, wchar_t character);
    // The box shows the side it will be read as, so a bad entry is seen corrected at once.
    virtual void OnBoxLostFocus(OrvUtility::GUIElement* box);
    virtual void OnButton(OrvUtility::GUIElement* button);

    int WidthChosen();
    int HeightChosen();
    void CloseWith(Result outcome);
    void ReleaseOwner();

    // The drawing's values given to Preset, and what the controls showed for them.
    struct PresetValues {
        int width, height, background;
        std::wstring widthText, heightText;
        int backgroundItem;
    };
    std::optional<PresetValues> preset;

    OrvUtility::Font ownFont{"Lucida Console", 16};  // the form's `font`
    OrvUtility::DpiScale scale;  // the owner's screen's
    bool ownerDisabled = false;
};

}  // namespace MyApp
