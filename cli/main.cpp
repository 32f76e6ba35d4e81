// tessaly-cli: turns ".art" drawings into ".png" and ".bmp" pictures without opening the editor.

#include "Converter.h"
#include "FolderExport.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr const char* Usage =
    "Uso:\n"
    "  tessaly-cli export DISEGNO.art IMMAGINE.png\n"
    "  tessaly-cli export DISEGNO.art IMMAGINE.bmp\n"
    "      scrive l'immagine del disegno, come \"Esporta come immagine...\" dell'editor;\n"
    "      il formato segue l'estensione, maiuscole o minuscole (.png o .bmp)\n"
    "  tessaly-cli export-all CARTELLA [--to CARTELLA] [--format png|bmp] [--jobs N]\n"
    "      converte ogni disegno .art della cartella (non delle sottocartelle), in PNG\n"
    "      accanto al disegno se non indicato altro, con N lavori insieme (uno per core);\n"
    "      stampa una riga per disegno, in ordine di nome: \"ok NOME\" oppure \"NOME: errore\"\n"
    "  tessaly-cli check DISEGNO.art\n"
    "      stampa larghezza;altezza;sfondo del disegno\n"
    "  tessaly-cli --help\n"
    "      mostra questo aiuto\n"
    "Codici di uscita: 0 fatto, 1 immagine non scritta, 2 disegno rifiutato,\n"
    "64 argomenti errati. Per export-all: 1 se una immagine non e' stata scritta,\n"
    "altrimenti 2 se un disegno e' stato rifiutato.\n";

bool ErrorsOnTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

// Arguments as paths, so that on Windows a file name keeps every character.
int Run(const std::vector<std::filesystem::path>& arguments) {
    const std::string command = arguments.empty() ? "" : arguments[0].u8string();
    if (command == "--help" && arguments.size() == 1) {
        std::cout << Usage;
        return MyApp::ExitDone;
    }
    if (command == "export" && arguments.size() == 3 && MyApp::PictureFormatOf(arguments[2])) {
        return MyApp::ExportDrawing(arguments[1], arguments[2], std::cerr);
    }
    if (command == "export-all") {
        const auto request =
            MyApp::ParseFolderExport({arguments.begin() + 1, arguments.end()});
        if (request) {
            return MyApp::ExportFolder(*request, std::cout,
                                       ErrorsOnTerminal() ? &std::cerr : nullptr);
        }
    }
    if (command == "check" && arguments.size() == 2) {
        return MyApp::CheckDrawing(arguments[1], std::cout, std::cerr);
    }
    std::cerr << Usage;
    return MyApp::ExitUsage;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    return Run(std::vector<std::filesystem::path>(argv + 1, argv + argc));
}
#else
int main(int argc, char** argv) {
    return Run(std::vector<std::filesystem::path>(argv + 1, argv + argc));
}
#endif
