// tessaly-cli: turns ".art" drawings into ".bmp" pictures without opening the editor.

#include "Converter.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* Usage =
    "Uso:\n"
    "  tessaly-cli export DISEGNO.art IMMAGINE.bmp\n"
    "      scrive l'immagine del disegno, come \"Esporta come immagine...\" dell'editor\n"
    "  tessaly-cli check DISEGNO.art\n"
    "      stampa larghezza;altezza;sfondo del disegno\n"
    "  tessaly-cli --help\n"
    "      mostra questo aiuto\n"
    "Codici di uscita: 0 fatto, 1 immagine non scritta, 2 disegno rifiutato,\n"
    "64 argomenti errati.\n";

// Arguments as paths, so that on Windows a file name keeps every character.
int Run(const std::vector<std::filesystem::path>& arguments) {
    const std::string command = arguments.empty() ? "" : arguments[0].u8string();
    if (command == "--help" && arguments.size() == 1) {
        std::cout << Usage;
        return MyApp::ExitDone;
    }
    if (command == "export" && arguments.size() == 3) {
        return MyApp::ExportDrawing(arguments[1], arguments[2], std::cerr);
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
