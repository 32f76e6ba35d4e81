#include "toolkit/controls/StaticControls.h"

#include "toolkit/controls/NativeControl.h"
#include "toolkit/core/Dpi.h"
#include "toolkit/core/Drawing.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/TextConversion.h"

namespace OrvUtility {

namespace {

DWORD Bordered(DWORD style, bool border, bool enabled) {
    if (border) style |= WS_BORDER;
    if (!enabled) style |= WS_DISABLED;
    return style;
}

DWORD BorderEdge(bool border) {
    return border ? WS_EX_CLIENTEDGE : 0;
}

}  // namespace

Label::Label(GUIElement* parentElement, const std::string& caption) : Child(parentElement) {
    typeName = "label";
    text = Widen(caption);
    width = 80;
    height = 30;
}

Label::~Label() {
    DestroyOwnWindow();
}

void Label::Create() {
    if (created) return;
    DWORD style = Bordered(WS_CHILD | WS_VISIBLE | SS_NOTIFY, border, enabled);
    if (rightAligned) style |= SS_RIGHT;
    else if (centred) style |= SS_CENTER;
    CreateNativeControl(*this, {L"static", style, BorderEdge(border)});
    FinishNativeControl(*this);
    // Without a font of its own a label shows the system's, which does not grow with the DPI.
    if (!font && handle)
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(SystemFontAt(WindowDpi(handle))),
                     FALSE);
}

Image::Image(GUIElement* parentElement, int bitmapResource)
    : Child(parentElement), resourceId(bitmapResource) {
    typeName = "image";
}

Image::~Image() {
    DestroyOwnWindow();
}

void Image::Create() {
    if (created) return;
    const DWORD style =
        Bordered(WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP, border, enabled);
    // Without a window the image stays uncreated and loads nothing.
    if (!CreateNativeControl(*this, {L"static", style, BorderEdge(border)})) return;
    created = true;
    if (resourceId == -1) SetFile(bitmapFile);
    else SetResource(resourceId);
    FinishNativeControl(*this);
}

void Image::SetFile(const std::string& path) {
    bitmapFile = path;
    resourceId = -1;
    if (!created || path.empty()) return;
    bitmap.Reset();
    Show(LoadBitmapFile(path));
}

void Image::SetResource(int bitmapResource) {
    bitmapFile.clear();
    resourceId = bitmapResource;
    if (!created || bitmapResource <= 0) return;
    bitmap.Reset();
    GdiObject<HBITMAP> loaded(static_cast<HBITMAP>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapResource), IMAGE_BITMAP, 0, 0,
        LR_CREATEDIBSECTION)));
    if (pixelFactor > 1 && loaded) loaded = GdiObject<HBITMAP>(EnlargedBitmap(loaded.Get(), pixelFactor));
    Show(loaded.Release());
}

// The window shows what the element holds: a failed load leaves it showing nothing rather
// than the bitmap just released.
void Image::Show(HBITMAP loaded) {
    bitmap = GdiObject<HBITMAP>(loaded);
    SendMessageW(handle, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(loaded));
}

}  // namespace OrvUtility
