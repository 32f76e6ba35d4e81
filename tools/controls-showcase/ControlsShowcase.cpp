// tessaly-controls-showcase PICTURE.bmp
// Opens a form holding one of each toolkit control, lets it paint, and saves the window as it
// is shown (frame, menu bar and all) to PICTURE.bmp. scripts/screenshot-controls turns that
// into docs/controls.png.

#include "app/AtlasResource.h"
#include "files/BitmapFile.h"
#include "model/GlyphAtlas.h"
#include "resources/ResourceIds.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/CellControl.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/ImageFrame.h"
#include "toolkit/controls/Menu.h"
#include "toolkit/controls/PanelChildren.h"
#include "toolkit/controls/StaticControls.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/TextBox.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/core/Font.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/GdiGuards.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace OrvUtility;

void PumpFor(DWORD milliseconds) {
    const DWORD until = GetTickCount() + milliseconds;
    MSG message;
    while (GetTickCount() < until) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

// The whole window as it is on the screen, as 0x00BBGGRR pixels, top row first.
MyApp::Picture Capture(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    MyApp::Picture picture;
    picture.width = frame.right - frame.left;
    picture.height = frame.bottom - frame.top;
    HDC windowContext = GetWindowDC(window);
    MemoryContext copy(windowContext);
    GdiObject<HBITMAP> pixels(CreateCompatibleBitmap(windowContext, picture.width, picture.height));
    {
        Selection selection(copy.Get(), pixels.Get());
        BitBlt(copy.Get(), 0, 0, picture.width, picture.height, windowContext, 0, 0, SRCCOPY);
    }
    ReleaseDC(window, windowContext);
    picture.pixels = MyApp::BitmapPixels(pixels.Get());
    return picture;
}

}  // namespace

int main() {
    int argumentCount = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &argumentCount);
    if (argumentCount != 2) {
        std::fprintf(stderr, "usage: tessaly-controls-showcase PICTURE.bmp\n");
        return 64;
    }
    const std::wstring output = arguments[1];
    const HINSTANCE module = GetModuleHandleW(nullptr);
    GdiObject<HBITMAP> atlas(MyApp::LoadAtlasBitmap(module));
    Font font("Tahoma", 14);

    Form form(module);
    form.SetText(std::string("Controlli"));
    form.SetPosition(0, 0);
    form.SetSize(620, 420);
    form.font = &font;
    form.Create();

    MenuBar bar(&form);
    Menu file("&File", &bar), help("&?", &bar);
    SubMenu entries[] = {{&file, "&Nuovo"}, {&file, "&Apri"}, {&file, ""}, {&file, "&Esci"},
                         {&help, "&Info..."}};
    entries[1].checkable = entries[1].checked = true;
    entries[3].SetEnabled(false);
    bar.Create();

    ToolBar tools(&form);
    tools.flat = true;
    tools.alignTop = false;
    tools.SetPosition(0, 0);
    tools.SetSize(600, 26);
    std::vector<std::unique_ptr<ToolBarItem>> items;
    for (int image : {6, 7, 8, 0, 4, 5, 6, 7}) {
        items.push_back(std::make_unique<ToolBarItem>(&tools));
        ToolBarItem& item = *items.back();
        if (image == 0) item.buttonStyle = TBSTYLE_SEP;
        else if (items.size() <= 3) item.imageIndex = image;
        else item.imageOffset = image;
        if (items.size() == 5) {
            item.bitmapResource = IDB_TOOLBAR;
            item.bitmapCount = 8;
        }
        tools.AddItem(&item);
    }
    items[6]->enabled = false;
    tools.Create();

    Label label(&form, "Etichetta");
    label.SetPosition(10, 40);
    label.SetSize(110, 22);
    label.Create();
    TextBox text(&form, "Testo");
    text.SetPosition(130, 38);
    text.SetSize(120, 24);
    text.Create();
    TextBox number(&form, "");
    number.numeric = true;
    number.SetMaxLength(2);
    number.SetPosition(260, 38);
    number.SetSize(60, 24);
    NumericBox arrows(&form, &number, 80);
    arrows.value = 40;
    arrows.Create();
    ComboBox combo(&form);
    combo.Add(L"Primo", L"1");
    combo.Add(L"Secondo", L"2");
    combo.SetPosition(330, 38);
    combo.SetSize(120, 120);
    combo.Create();
    combo.Select(0);
    IconList swatches(7);
    for (int icon : {IDI_COLOUR_BIANCO, IDI_COLOUR_AZZURO, IDI_COLOUR_VERDE, IDI_COLOUR_NERO})
        swatches.AddIcon(icon);
    ComboBoxEx colours(&form, swatches);
    colours.Add("Bianco", "10", 0);
    colours.Add("Azzuro", "9", 1);
    colours.SetPosition(460, 38);
    colours.SetSize(140, 120);
    colours.Create();
    colours.Select(1);

    Button plain(&form, "Pulsante");
    plain.SetPosition(10, 75);
    plain.SetSize(100, 30);
    plain.Create();
    Button drawn(&form, "Disegnato");
    drawn.ownerDraw = true;
    drawn.iconEnabled = LoadIconW(module, MAKEINTRESOURCEW(IDI_APP));
    drawn.SetPosition(120, 70);
    drawn.SetSize(150, 40);
    drawn.Create();
    Image logo(&form, IDB_LOGO);
    logo.SetPosition(290, 70);
    logo.SetSize(164, 50);
    logo.Create();
    CellControl link(&form);
    link.textColour = 0x00FF0000;
    link.textAlign = 0;
    link.underline = true;
    link.SetText(std::string("http://www.tessaly.example"));
    link.SetPosition(10, 120);
    link.SetSize(260, 22);
    link.Create();

    PanelChildren canvas(&form);
    canvas.SetBorder(true, false);
    canvas.SetPosition(10, 150);
    canvas.SetSize(16 * 20 + 4, 24 * 5 + 4);
    canvas.Create();
    // A frame of box-drawing pieces round the word, one glyph per cell.
    const wchar_t* rows[] = {L"+------------------+", L"+                  +",
                             L"|     Tessaly      |", L"+                  +",
                             L"+------------------+"};
    std::vector<std::unique_ptr<ImageFrame>> cells;
    for (int cell = 0; cell < 20 * 5; ++cell) {
        const int column = cell % 20, row = cell / 20;
        const int glyph = MyApp::GlyphForCharacter(rows[row][column]).value_or(*MyApp::GlyphForCharacter(L' '));
        const int pair = row == 2 && column > 4 && column < 13 ? 39 : 8;
        cells.push_back(std::make_unique<ImageFrame>(&canvas, atlas.Get(), glyph, pair));
        cells.back()->SetPosition(16 * column, 24 * row);
        cells.back()->SetSize(16, 24);
        cells.back()->Create();
        cells.back()->transparent = false;
    }
    Timer timer(&form, 500);
    timer.Start();
    StatusBar status(&form, "C:\\Disegni\\esempio.art");
    status.Create();

    PumpFor(1500);
    const bool written = MyApp::WriteBitmap(output, Capture(form.handle));
    timer.Stop();
    LocalFree(arguments);
    return written ? 0 : 1;
}
