// tessaly-cli: turns ".art" drawings into ".png" and ".bmp" pictures without opening the editor.

#include "CheckedOutput.h"
#include "Converter.h"
#include "FolderExport.h"
#include "Interruption.h"
#include "PrintableNames.h"
#include "files/FailureCauses.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <new>
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
    "      accanto al disegno se non indicato altro, con N lavori insieme (uno per core,\n"
    "      al massimo quattro per core); stampa una riga per disegno, in ordine di nome:\n"
    "      \"ok NOME\" oppure \"NOME: errore\"\n"
    "  tessaly-cli check DISEGNO.art\n"
    "      stampa larghezza;altezza;sfondo del disegno\n"
    "  tessaly-cli --help\n"
    "      mostra questo aiuto\n"
    "Codici di uscita: 0 fatto, 1 immagine non scritta (o uscita non scritta, memoria\n"
    "insufficiente), 2 disegno rifiutato, 64 argomenti errati. Per export-all: 1 se una\n"
    "immagine non e' stata scritta, altrimenti 2 se un disegno e' stato rifiutato.\n";

bool ErrorsOnTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

int WrongArguments(const std::string& problem) {
    std::cerr << "tessaly-cli: " << problem << '\n' << Usage;
    return MyApp::ExitUsage;
}

// How many arguments each command takes after its name.
std::string ArgumentCountProblem(const std::string& command, std::size_t given,
                                 std::size_t wanted) {
    return "argomenti " + std::string(given < wanted ? "mancanti" : "di troppo") + " per " +
           command;
}

// Arguments as paths, so that on Windows a file name keeps every character.
int Run(const std::vector<std::filesystem::path>& arguments) {
    if (arguments.empty()) return WrongArguments("manca il comando");
    const std::string command = arguments[0].u8string();
    const std::size_t count = arguments.size() - 1;
    if (command == "--help") {
        if (count != 0) return WrongArguments(ArgumentCountProblem(command, count, 0));
        std::cout << Usage;
        return MyApp::ExitDone;
    }
    if (command == "export") {
        if (count != 2) return WrongArguments(ArgumentCountProblem(command, count, 2));
        if (!MyApp::PictureFormatOf(arguments[2])) {
            return WrongArguments("estensione non riconosciuta: " + MyApp::PrintableName(arguments[2]));
        }
        return MyApp::ExportDrawing(arguments[1], arguments[2], std::cerr);
    }
    if (command == "export-all") {
        std::string problem;
        const auto request =
            MyApp::ParseFolderExport({arguments.begin() + 1, arguments.end()}, problem);
        if (!request) return WrongArguments(problem);
        return MyApp::ExportFolder(*request, std::cout, std::cerr, ErrorsOnTerminal());
    }
    if (command == "check") {
        if (count != 1) return WrongArguments(ArgumentCountProblem(command, count, 1));
        return MyApp::CheckDrawing(arguments[1], std::cout, std::cerr);
    }
    return WrongArguments("comando sconosciuto: " + MyApp::Printable(command));
}

int RunToTheEnd(const std::vector<std::filesystem::path>& arguments) {
    MyApp::RemoveTemporariesOnInterruption();
    MyApp::CheckedOutput output(stdout);
    std::streambuf* const standard = std::cout.rdbuf(&output);
    int exitCode = MyApp::ExitDone;
    try {
        exitCode = Run(arguments);
    } catch (const std::bad_alloc&) {
        // Every save has removed its temporary file on the way out.
        std::cerr << "tessaly-cli: Memoria insufficiente.\n";
        exitCode = MyApp::ExitWriteFailed;
    }
    std::cout.rdbuf(standard);
    // A full disk or a closed pipe is said, not lost.
    if (const std::error_code failure = output.Finish()) {
        std::cerr << "tessaly-cli: "
                  << MyApp::WithCause("Errore durante la scrittura dell'uscita.", failure) << '\n';
        if (exitCode != MyApp::ExitUsage) exitCode = MyApp::ExitWriteFailed;
    }
    return exitCode;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    return RunToTheEnd(std::vector<std::filesystem::path>(argv + 1, argv + argc));
}
#else
int main(int argc, char** argv) {
    return RunToTheEnd(std::vector<std::filesystem::path>(argv + 1, argv + argc));
}
#endif
