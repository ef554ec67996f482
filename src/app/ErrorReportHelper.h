#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace galewarden {

// The helper of a crashed program is the program itself, started by the crash with an
// internal first argument. In a fresh process it does what the crashed one no longer could:
// it sounds the beep, marks the HTML page with the stage −4, restarts the program (command
// line: the executable alone) when the crashed one had completed a refresh and was not itself
// restarted after a crash less than a minute earlier, and otherwise tells the user why not
// with a message box (ui/MessageBox.h) titled with the version text.
inline constexpr char kErrorReportHelperArgument[] = "--galewarden-error-report";

// The helper's command line (UTF-8): the executable, the internal argument, the version text,
// "1" or "0" for a completed first refresh, and the moment of the crash that restarted the
// crashed program ("" for none).
std::vector<std::string> errorReportHelperCommandLine(const std::string& executable,
                                                      const std::string& versionText,
                                                      bool firstCycleDone,
                                                      std::optional<std::int64_t> previousCrash);

// Checked by main() before anything else, the QApplication included.
bool isErrorReportHelperCall(int argc, char** argv);

// Runs the helper and returns main()'s exit status. It makes its QApplication itself, last,
// so that the page and the restart do not depend on a display.
int runErrorReportHelper(int argc, char** argv);

}  // namespace galewarden
