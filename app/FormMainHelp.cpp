#include "app/FormMain.h"

#include "app/AtlasResource.h"
#include "app/rules/DrawingFilePath.h"
#include "app/rules/ProductInfo.h"
#include "files/ArtFile.h"
#include "files/BitmapFile.h"
#include "files/PictureFile.h"
#include "resources/ResourceIds.h"
#include "toolkit/core/Services.h"
#include "toolkit/core/TextConversion.h"

#include <filesystem>
#include <new>

namespace MyApp {

using namespace OrvUtility;

namespace {

constexpr int LogoWidth = 164;
constexpr int LogoHeight = 50;

// The export dialog's file types: bitmap first, then PNG.
PictureFormat FormatOfType(int type) {
    return type == 2 ? PictureFormat::Png : PictureFormat::Bitmap;
}

}  // namespace

const AtlasImage* FormMain::ExportAtlas() {
    if (!exportAtlas) exportAtlas = ReadAtlasImage(atlasBitmap.Get());
    return exportAtlas ? &*exportAtlas : nullptr;
}

// The picture is composed from the atlas pixels exactly as the converter composes it. The file
// type chosen in the dialog gives the format and the extension the dialog adds to a bare name;
// a name that says ".png" or ".bmp" keeps its own format, and any other gets the chosen type's
// extension too, so that no name says another format than its bytes. A file that name would
// replace has been offered in the dialog first, which asks before it is replaced.
void FormMain::ExportDrawing() {
    const SaveDialogSetup picture{
        "Salva", {"Immagine bitmap (*.bmp)", "*.bmp", "Immagine PNG (*.png)", "*.png"}, "bmp",
        [](const std::wstring& chosen, int type) {
            return WithPictureExtension(chosen, Widen(PictureExtension(FormatOfType(type))));
        }};
    int chosen = 1;
    const std::wstring path = AskWrittenPath(picture, L"Disegno.bmp", &chosen);
    if (path.empty()) return;
    const PictureFormat format =
        PictureFormatOf(std::filesystem::path(path)).value_or(FormatOfType(chosen));
    const AtlasImage* atlas = ExportAtlas();
    bool written = false;
    try {
        written = atlas && WritePicture(std::filesystem::path(path),
                                        ComposeExportPicture(editor.Grid(), *atlas), format);
    } catch (const std::bad_alloc&) {  // no memory for the picture: nothing was written
    }
    if (written) {
        ShowInfo(this, "Esportazione effettuata correttamente.", "Esporta");
    } else {
        ShowError(this, PictureWriteFailedMessage(format), ErrorCaption);
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
