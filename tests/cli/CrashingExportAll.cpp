// export-all that dies at one step of its first group's commit, as it would in a power cut
// or a kill: what it leaves is what a crash at that point leaves.
//   tessaly_crashing_export_all STEP FOLDER [OPTIONS]   (STEP: 0 written ... 4 folders on disk)

#include "FolderExport.h"

#include <csignal>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 3) return 64;
    const auto at = MyApp::BatchStep(std::stoi(argv[1]));
    std::string problem;
    auto request = MyApp::ParseFolderExport({argv + 2, argv + argc}, problem);
    if (!request) return 64;
    request->onStep = [at](MyApp::BatchStep step) {
        if (step == at) std::raise(SIGKILL);
    };
    return MyApp::ExportFolder(*request, std::cout, std::cerr, false);
}
