#include "app/FormMain.h"

#include "app/AtlasResource.h"
#include "app/rules/ProductInfo.h"
#include "files/ArtFile.h"
#include "files/BitmapFile.h"
#include "resources/ResourceIds.h"
#include "toolkit/core/Services.h"

#include <filesystem>

namespace MyApp {

using namespace OrvUtility;

namespace {

constexpr int LogoWidth = 164;
constexpr int LogoHeight = 50;

}  // namespace

const AtlasImage* FormMain::ExportAtlas() {
    if (!exportAtlas) exportAtlas = ReadAtlasImage(atlasBitmap.Get());
    return exportAtlas ? &*exportAtlas : nullptr;
}

// The picture is composed from the atlas pixels exactly as the converter composes it, and
// written under the name the user gave, without adding an extension.
void FormMain::ExportDrawing() {
    const std::wstring path = SaveFileDialog(this, "Salva", "", L"Disegno.bmp",
                                             {"File Bitmap (*.bmp)", "*.bmp"}, "");
    if (path.empty()) return;
    const AtlasImage* atlas = ExportAtlas();
    const bool written =
        atlas && WriteBitmap(std::filesystem::path(path), ComposeExportPicture(editor.Grid(), *atlas));
    if (written) {
        ShowInfo(this, "Esportazione effettuata correttamente.", "Esporta");
    } else {
        ShowError(this, ExportFailedMessage, ErrorCaption);
    }
}

// One About box at a time: the previous one goes before the next is made.
void FormMain::ShowAbout() {
    aboutForm.reset();
    aboutForm = std::make_unique<FormAbout>(this);
    aboutForm->logoResource = IDB_LOGO;
    aboutForm->logoWidth = LogoWidth;
    aboutForm->logoHeight = LogoHeight;
    aboutForm->title = ProductTitle;
    aboutForm->subtitle = ProductVersion;
    aboutForm->infoText = ProductDescription;
    aboutForm->homePage = SiteRoot;
    SetFocus(handle);
    if (!aboutForm->created) aboutForm->Create();
    ShowWindow(aboutForm->handle, SW_SHOWNA);
    aboutForm->visible = true;
}

}  // namespace MyApp
