#pragma once
// Static text and a static bitmap.

#include "toolkit/core/GUIElement.h"
#include "toolkit/core/GdiGuards.h"

#include <windows.h>

#include <string>

namespace OrvUtility {

class Label : public Child {
public:
    Label(GUIElement* parentElement, const std::string& caption);
    ~Label() override;

    void Create() override;  // 35

    // Settings read at creation; right alignment wins over centring.
    bool border = false;
    bool rightAligned = false;
    bool centred = false;
};

// Shows a bitmap loaded from a file or from this program's resources; owns what it loaded.
class Image : public Child {
public:
    // `bitmapResource` -1: the bitmap comes from `bitmapFile`.
    Image(GUIElement* parentElement, int bitmapResource);
    ~Image() override;

    void Create() override;  // 35

    // The bitmap file to show from now on (narrow path); an empty path loads nothing.
    void SetFile(const std::string& path);
    // The bitmap resource to show from now on; ids of 0 and below load nothing.
    void SetResource(int bitmapResource);

    GdiObject<HBITMAP> bitmap;
    std::string bitmapFile;
    int resourceId;
    bool border = false;
    int pixelFactor = 1;  // the picture shown this many times as wide and high, pixels whole

private:
    void Show(HBITMAP loaded);
};

}  // namespace OrvUtility
