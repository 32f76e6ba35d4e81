#include "app/FormMain.h"

#include "app/AtlasResource.h"
#include "app/rules/ProductInfo.h"
#include "files/ArtFile.h"
#include "files/BitmapFile.h"
#include "files/PictureFile.h"
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

// The picture is composed from the atlas pixels exactly as the converter composes it. The file
// type chosen in the dialog gives the format and the extension the dialog adds to a bare name;
// a name that says ".png" or ".bmp" keeps its own format, and any other name is written as
// given, in the chosen format.
void FormMain::ExportDrawing() {
    int chosen = 1;
    const std::wstring path = SaveFileDialog(
        this, "Salva", "", L"Disegno.bmp",
        {"Immagine bitmap (*.bmp)", "*.bmp", "Immagine PNG (*.png)", "*.png"}, "bmp", &chosen);
    if (path.empty()) return;
    const PictureFormat format = PictureFormatOf(std::filesystem::path(path))
                                     .value_or(chosen == 2 ? PictureFormat::Png : PictureFormat::Bitmap);
    const AtlasImage* atlas = ExportAtlas();
    const bool written = atlas && WritePicture(std::filesystem::path(path),
                                               ComposeExportPicture(editor.Grid(), *atlas), format);
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
