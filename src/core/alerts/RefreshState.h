#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "core/alerts/KnownWarnings.h"
#include "core/text/CodePage.h"

namespace galewarden {

// The status line at the bottom of the details window: black for progress and results, red
// after a failed download or an unusable answer.
struct StatusLine {
    std::string text;
    bool error = false;
};

// What lasts from one refresh pass to the next, owned by whoever runs the passes. The windows
// get what they show from each pass's result, never from here.
class RefreshState {
  public:
    // Set by the settings windows; cleared by the pass that processes the answer again.
    std::atomic<bool> settingsChanged{false};
    // [General] Animate as the last pass read it.
    std::atomic<bool> animate{false};
    // A pass has been processed since the program started.
    std::atomic<bool> firstCycleDone{false};

    StatusLine status() const;
    void setStatus(StatusLine status);
    // The beginning of the last downloaded answer in the escaped ASCII form ("\uXXXX"), at
    // most kShownAnswerBytes and cut at a whole character, "…" (GB18030) appended when cut.
    std::string responseText() const;
    void setResponseBytes(std::shared_ptr<const std::string> utf8);
    // The same beginning as it reads, in GB18030, for people: a web page or an error text.
    std::string answerText() const;
    // The answer's text without CR and LF after an answer that could not be parsed; else empty.
    std::string unexpectedDataText() const;
    void setUnexpectedDataText(std::string text);

    // Worker-only: the last processed answer, for the unchanged test. Answers run to megabytes,
    // so this and the last downloaded one share their bytes.
    std::shared_ptr<const std::string> previousResponse;
    // Worker-only: the summary of the last processed pass, which an unchanged answer shows
    // again and a network error shows after its mark; and when an answer last could be used.
    std::string passSummary;
    std::optional<std::chrono::system_clock::time_point> lastGoodFetch;
    // Worker-only: what the last processed pass kept, to tell the new warnings of the next.
    KnownWarnings knownWarnings;

    static constexpr std::size_t kShownAnswerBytes = 64 * 1024;

  private:
    std::string beginningOfAnswer(Encoding to) const;

    mutable std::mutex textLock_;
    // The escaped form of responseBytes_, asked for once a second by the error report.
    mutable std::shared_ptr<const std::string> escapedFor_;
    mutable std::string escaped_;
    StatusLine status_;
    std::shared_ptr<const std::string> responseBytes_;
    std::string unexpectedDataText_;
};

}  // namespace galewarden
