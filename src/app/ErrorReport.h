#pragma once

#include <string_view>

#include "app/ErrorReportText.h"
#include "app/ProgramInfo.h"

namespace galewarden {

// The error report. A crash of the program (a fatal error raised through the core's hook,
// an exception that reaches std::terminate, a fatal signal) appends a report to the
// executable's name + "_BugReport.txt" in the program's data directory and starts the program again
// as its own helper (ErrorReportHelper.h), which does what a crashed process no longer can; the
// crashed process ends at once with exit status −1.
//
// The report is made beforehand, so that a crash only adds the time, the run time, the code
// and the message, and writes it with system calls: a crashed process may hold the locks of
// the memory allocator.

// Step 1 of the start-up, on the main thread: its stack for signals serves that thread.
// `executablePath` is absolute, in GB18030; the program is started again from it, and the report
// file lies in `reportDirectory`. False when installed already or the path is not absolute
// (nothing is installed then), or when not every fault could be caught (the others still
// report).
bool installErrorReport(const ProgramInfo& info, std::string_view executablePath,
                        std::string_view reportDirectory);

// Keeps the report current: once a second and after each refresh result, on the UI thread.
void updateErrorReport(const ReportContext& context);

// The code of an exception that reached std::terminate. Signals report their number, the
// core's fatal errors their own codes.
inline constexpr int kUncaughtExceptionCode = 3;

}  // namespace galewarden
