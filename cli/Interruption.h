#pragma once
// Stopping the converter from outside (Ctrl+C, kill, a closed terminal or pipe) leaves
// no temporary file behind.

namespace MyApp {

// From now on SIGINT, SIGTERM, SIGHUP and SIGPIPE remove the temporary files of the saves
// under way and then end the program as the signal itself would. Pictures already replaced
// are whole; those being written keep their old content. A signal ignored when the program
// started (nohup) stays ignored, SIGPIPE aside. Does nothing on Windows.
void RemoveTemporariesOnInterruption();

}  // namespace MyApp
