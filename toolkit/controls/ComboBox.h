#pragma once
// Drop-down lists that keep their own copy of the items (display text and value per item), so
// an owner reads a chosen item's value back by index. ComboBoxEx shows an icon beside each item
// from an IconList. Choosing an item raises `onCommand`.

#include "toolkit/core/ControlRoles.h"
#include "toolkit/core/GUIElement.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace OrvUtility {

// A native image list of 16 x 16 icons from this program's resources, owned, each drawn
// `factor` times as wide and high (a whole factor: every pixel a square of the same colour).
class IconList {
public:
    explicit IconList(int initialSize, int factor = 1);
    ~IconList();
    IconList(const IconList&) = delete;
    IconList& operator=(const IconList&) = delete;

    // Empties the list and makes its pictures `factor` times as large from now on; a combo box
    // showing it must be given it again.
    void Restart(int factor);
    // Appends the icon resource; an icon that does not load is skipped.
    void AddIcon(int resourceId);
    // Appends 16 x 16 opaque pictures made in memory, drawn exactly as icons of the same pixels:
    // `pixels` holds them side by side, a strip 16 * `pictures` wide and 16 high, top row
    // first, as 0x00RRGGBB. Made at once, where loading each icon costs a round of the system.
    void AddPictures(const std::vector<std::uint32_t>& pixels, int pictures);

    HIMAGELIST imageList = nullptr;
    int count = 0;
    int factor = 1;
};

class ComboBox : public Child, public CommandElement, public ComboBoxRole {
public:
    explicit ComboBox(GUIElement* parentElement);
    ~ComboBox() override;

    void Create() override;                                                     // 35
    bool OnDropDown() override;                                                 // 36
    bool OnCloseUp() override;                                                  // 37
    virtual void Add(const std::wstring& itemText, const std::wstring& value);  // 38
    virtual int Count();                                                        // 39
    // Past the end (or before the start) gives the last item; an empty list answers "".
    virtual std::wstring ItemText(int index);                                   // 40
    virtual std::wstring ItemValue(int index);                                  // 41
    // False for -1, an index with no item, or when the native list refuses.
    virtual bool Remove(int index);                                             // 42
    // Removes from the last item to the first, stopping at a refusal; false when empty.
    virtual bool Clear();                                                       // 43
    virtual int SelectedIndex();                                                // 44
    virtual void ClearSelection();                                              // 45
    // False without a window or when the native list refuses (-1 clears and answers false).
    virtual bool Select(int index);                                             // 46
    virtual void SetDropDownList(bool listOnly);                                // 47

    std::string ItemValueNarrow(int index);

    bool dropDownList = true;
    std::vector<std::wstring> texts;
    std::vector<std::wstring> values;

protected:
    DWORD ListStyle() const;
};

class ComboBoxEx : public ComboBox {
public:
    ComboBoxEx(GUIElement* parentElement, IconList& icons);

    void Create() override;
    void Add(const std::wstring& itemText, const std::wstring& value) override;
    bool Remove(int index) override;

    void Add(const std::wstring& itemText, const std::wstring& value, int image, int selectedImage,
             int indent);
    // Image `image` both normally and when selected, no indent.
    void Add(const std::string& itemText, const std::string& value, int image);

    IconList& iconList;
    bool tabStop = false;  // set before Create: Tab then stops at it
    std::vector<std::int32_t> images;
    std::vector<std::int32_t> selectedImages;
    std::vector<std::int32_t> indents;

private:
    bool InsertNative(int index);
    void RefreshSize();
};

}  // namespace OrvUtility
