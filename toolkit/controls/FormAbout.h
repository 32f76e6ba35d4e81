#pragma once
// The ready-made information box: a fixed-size form titled "Info..." with a framed picture, a
// title line, a second line, two links (a home page and a mail address made from it), a
// read-only text and "OK". Its owner is disabled for as long as the box exists.

#include "toolkit/core/Dpi.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/Form.h"

#include <cstdint>
#include <memory>
#include <string>

namespace OrvUtility {

class Button;
class CellControl;
class Image;
class Label;
class PanelChildren;
class TextBox;

class FormAbout : public Form {
public:
    explicit FormAbout(Form* ownerForm);
    ~FormAbout() override;

    void OnShow() override;  // 33

    virtual void BuildControls();                // 36
    virtual bool ConfirmClose();                 // 37
    virtual void LayoutControls();               // 38
    virtual bool OnChildChar(wchar_t character); // 39: false swallows it
    virtual void OnFormKeyDown(int key);         // 40
    virtual void OnFormKeyUp(int key);           // 41
    virtual void OnButton(GUIElement* sender);   // 42
    virtual void OnLinkClick(GUIElement* sender);  // 43

    Form* owner;
    Font titleFont{"Arial", 16};
    Font linkFont{"Arial", 16};
    std::unique_ptr<Image> logo;
    std::unique_ptr<Label> titleLabel;
    std::unique_ptr<Label> subtitleLabel;
    std::unique_ptr<PanelChildren> logoFrame;
    std::unique_ptr<TextBox> infoBox;
    std::unique_ptr<Button> okButton;
    std::unique_ptr<CellControl> homeLink;
    std::unique_ptr<CellControl> mailLink;
    std::int32_t logoResource = 0;
    std::int32_t logoWidth = 0;
    std::int32_t logoHeight = 0;
    std::string title;
    std::string subtitle;
    std::string infoText;
    std::string homePage;

    // Moved to a screen of `dpi`: laid out again for it in the suggested rectangle.
    void OnDpiChanged(int dpi, const RECT& suggested);

private:
    void ReleaseOwner();
    void PlaceControls();

    Font ownFont{"Arial", 14};  // the form's `font`
    DpiScale scale;             // the owner's screen's
    bool ownerDisabled = false;
};

// `source` with every `find` replaced, again and again from the start as long as one is left.
// Where that would never end (an empty `find`, or a replacement that brings it back), every
// occurrence is replaced once, from left to right.
std::string ReplaceAll(const std::string& source, const std::string& find,
                       const std::string& replacement);

}  // namespace OrvUtility
