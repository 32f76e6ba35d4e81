#include "toolkit/controls/ComboBox.h"

#include "toolkit/controls/NativeControl.h"
#include "toolkit/core/GdiGuards.h"
#include "toolkit/core/TextConversion.h"

#include <algorithm>
#include <array>

namespace OrvUtility {

namespace {

// Longest item text handed to the native extended list; longer texts are cut.
constexpr std::size_t ItemTextLimit = 254;

const std::wstring& ClampedItem(const std::vector<std::wstring>& list, int index) {
    static const std::wstring none;
    if (list.empty()) return none;
    if (index < 0 || std::size_t(index) >= list.size()) return list.back();
    return list[std::size_t(index)];
}

}  // namespace

namespace {

constexpr int IconSide = 16;

}  // namespace

IconList::IconList(int initialSize, int pixelFactor) : factor(std::max(1, pixelFactor)) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    imageList = ImageList_Create(IconSide * factor, IconSide * factor, ILC_COLOR32 | ILC_MASK,
                                 initialSize, 0);
}

void IconList::Restart(int pixelFactor) {
    if (imageList) ImageList_Destroy(imageList);
    factor = std::max(1, pixelFactor);
    imageList = ImageList_Create(IconSide * factor, IconSide * factor, ILC_COLOR32 | ILC_MASK,
                                 count, 0);
    count = 0;
}

IconList::~IconList() {
    if (imageList) ImageList_Destroy(imageList);
}

void IconList::AddIcon(int resourceId) {
    if (!imageList) return;
    // Icons from LoadIconW are shared with the module: nothing to release.
    const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId));
    if (!icon) return;
    if (factor == 1) {
        ImageList_ReplaceIcon(imageList, -1, icon);
        ++count;
        return;
    }
    // Enlarged from its 16 x 16 pixels, drawn on white (the swatches are opaque).
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(format.bmiHeader), IconSide, -IconSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    GdiObject<HBITMAP> picture(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture || !bits) return;
    {
        const MemoryContext memory(nullptr);
        const Selection selected(memory.Get(), picture.Get());
        if (!memory || !selected) return;
        PatBlt(memory.Get(), 0, 0, IconSide, IconSide, WHITENESS);
        DrawIconEx(memory.Get(), 0, 0, icon, IconSide, IconSide, 0, nullptr, DI_NORMAL);
        GdiFlush();
    }
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    AddPictures(std::vector<std::uint32_t>(pixels, pixels + IconSide * IconSide), 1);
}

void IconList::AddPictures(const std::vector<std::uint32_t>& pixels, int pictures) {
    if (!imageList || pictures <= 0 ||
        pixels.size() != std::size_t(IconSide) * pictures * IconSide)
        return;
    const int Side = IconSide * factor;
    const int stripWidth = Side * pictures;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = stripWidth;
    format.bmiHeader.biHeight = -Side;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> strip(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!strip || !bits) return;
    // Blue, green, red, alpha in memory; opaque, as the icons' pixels are.
    auto* out = static_cast<std::uint32_t*>(bits);
    const int givenWidth = IconSide * pictures;
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < stripWidth; ++x)
            out[std::size_t(y) * stripWidth + x] =
                0xFF000000u | pixels[std::size_t(y / factor) * givenWidth + x / factor];
    }
    GdiObject<HBITMAP> mask(CreateBitmap(stripWidth, Side, 1, 1, nullptr));  // all shown
    if (!mask) return;
    const std::vector<std::uint8_t> clear((stripWidth + 15) / 16 * 2 * Side, 0);
    SetBitmapBits(mask.Get(), LONG(clear.size()), clear.data());
    if (ImageList_Add(imageList, strip.Get(), mask.Get()) >= 0) count += pictures;
}

ComboBox::ComboBox(GUIElement* parentElement) : Child(parentElement) {
    typeName = "combobox";
    width = 80;
    height = 130;
}

ComboBox::~ComboBox() {
    DestroyOwnWindow();
}

DWORD ComboBox::ListStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL;
    style |= dropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
    if (!enabled) style |= WS_DISABLED;
    return style;
}

void ComboBox::Create() {
    if (created) return;
    NativeControlStyle native;
    native.className = WC_COMBOBOXW;
    native.style = ListStyle() | WS_TABSTOP;
    CreateNativeControl(*this, native);
    for (const std::wstring& item : texts)
        SendMessageW(handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    FinishNativeControl(*this);
}

bool ComboBox::OnDropDown() {
    return true;
}

bool ComboBox::OnCloseUp() {
    return true;
}

void ComboBox::Add(const std::wstring& itemText, const std::wstring& value) {
    texts.push_back(itemText);
    values.push_back(value);
    if (handle) SendMessageW(handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText.c_str()));
}

int ComboBox::Count() {
    return int(texts.size());
}

std::wstring ComboBox::ItemText(int index) {
    return ClampedItem(texts, index);
}

std::wstring ComboBox::ItemValue(int index) {
    return ClampedItem(values, index);
}

std::string ComboBox::ItemValueNarrow(int index) {
    return Narrow(ItemValue(index));
}

bool ComboBox::Remove(int index) {
    if (index < 0 || index >= Count()) return false;
    if (handle && SendMessageW(handle, CB_DELETESTRING, WPARAM(index), 0) == CB_ERR) return false;
    texts.erase(texts.begin() + index);
    values.erase(values.begin() + index);
    return true;
}

bool ComboBox::Clear() {
    bool removed = false;
    for (int index = Count() - 1; index >= 0; --index) {
        removed = Remove(index);
        if (!removed) break;
    }
    return removed;
}

int ComboBox::SelectedIndex() {
    return handle ? int(SendMessageW(handle, CB_GETCURSEL, 0, 0)) : -1;
}

void ComboBox::ClearSelection() {
    Select(-1);
}

bool ComboBox::Select(int index) {
    if (!handle) return false;
    return SendMessageW(handle, CB_SETCURSEL, WPARAM(index), 0) != CB_ERR;
}

void ComboBox::SetDropDownList(bool listOnly) {
    dropDownList = listOnly;
}

ComboBoxEx::ComboBoxEx(GUIElement* parentElement, IconList& icons)
    : ComboBox(parentElement), iconList(icons) {
    typeName = "ComboBoxEx";
}

void ComboBoxEx::Create() {
    if (created) return;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    NativeControlStyle native;
    native.className = WC_COMBOBOXEXW;
    native.style = ListStyle() | (tabStop ? WS_TABSTOP : 0);
    CreateNativeControl(*this, native);
    SendMessageW(handle, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(iconList.imageList));
    for (int index = 0; index < Count(); ++index) InsertNative(index);
    FinishNativeControl(*this);
    RefreshSize();
}

void ComboBoxEx::Add(const std::wstring& itemText, const std::wstring& value) {
    Add(itemText, value, 0, 0, 0);
}

void ComboBoxEx::Add(const std::wstring& itemText, const std::wstring& value, int image,
                     int selectedImage, int indent) {
    texts.push_back(itemText);
    values.push_back(value);
    images.push_back(image);
    selectedImages.push_back(selectedImage);
    indents.push_back(indent);
    if (handle && InsertNative(Count() - 1)) RefreshSize();
}

void ComboBoxEx::Add(const std::string& itemText, const std::string& value, int image) {
    Add(Widen(itemText), Widen(value), image, image, 0);
}

bool ComboBoxEx::Remove(int index) {
    if (!ComboBox::Remove(index)) return false;
    images.erase(images.begin() + index);
    selectedImages.erase(selectedImages.begin() + index);
    indents.erase(indents.begin() + index);
    return true;
}

bool ComboBoxEx::InsertNative(int index) {
    const std::size_t at = std::size_t(index);
    std::array<wchar_t, ItemTextLimit + 1> buffer{};
    const std::size_t length = std::min(texts[at].size(), ItemTextLimit);
    std::copy_n(texts[at].begin(), length, buffer.begin());
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT;
    item.iItem = index;
    item.pszText = buffer.data();
    item.cchTextMax = int(buffer.size());
    item.iImage = images[at];
    item.iSelectedImage = selectedImages[at];
    item.iIndent = indents[at];
    return SendMessageW(handle, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) != -1;
}

void ComboBoxEx::RefreshSize() {
    if (!handle) return;
    RECT frame{};
    GetWindowRect(handle, &frame);
    width = frame.right - frame.left;
    height = frame.bottom - frame.top;
    SetWindowPos(handle, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    RefreshToolTip();
}

}  // namespace OrvUtility
