#pragma once

#include <chrono>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "core/alerts/AlertRecord.h"
#include "core/alerts/RefreshState.h"
#include "core/alerts/pictures/DownloadBudget.h"

namespace galewarden {

class ConfigStore;
class Guidance;
class HistoryStore;
class HttpClient;
class JsonDocument;
class RefreshPlugin;
class RefreshView;
struct LabelSettings;
struct PassAccumulators;
struct PassConfiguration;
struct ClassifiedWarnings;

// What a pass reaches besides the view.
struct PassServices {
    const ConfigStore& store;
    const HttpClient& http;
    const Guidance& guidance;
    RefreshPlugin& plugin;
    // The time all picture downloads of a pass may take together.
    std::chrono::milliseconds pictureBudget = DownloadBudget::kPerPass;
    // Where a live pass writes the warnings in force; none: no history.
    HistoryStore* history = nullptr;
};

// What a pass may do. A live pass writes the saved answer, the plug-in calls and the HTML
// page; a preview fetches but writes nothing; a saved answer needs no network at all.
enum class PassKind { live, preview, savedAnswer };

// One pass of fetch → parse → extract → classify → hand over the result, run on a worker
// thread. It stops the refresh timer first and re-arms it last, so passes never overlap. A pass
// is all or nothing: stopped or failed, it leaves the state as it found it.
class RefreshCycle {
  public:
    enum class Outcome { processed, unchanged, failed, stopped };

    RefreshCycle(const PassServices& services, RefreshState& state, RefreshView& view,
                 PassKind kind = PassKind::live);

    // The whole pass against the configured source. A stop request ends it promptly,
    // abandoning a transfer in progress; the status line and the refresh timer are restored.
    Outcome run(std::stop_token stop = {});

    // The pass over an answer already at hand, as after its download.
    Outcome runOn(std::string_view answerBytes, std::stop_token stop = {});

  private:
    Outcome process(std::shared_ptr<const std::string> answer, const PassConfiguration& config,
                    std::stop_token stop);
    ClassifiedWarnings classify(const JsonDocument& list, const PassConfiguration& config,
                                std::stop_token stop) const;
    PassAccumulators select(const ClassifiedWarnings& classified, const PassConfiguration& config,
                            const LabelSettings& label, std::stop_token stop) const;
    void deliver(const PassConfiguration& config, const LabelSettings& label, PassAccumulators acc,
                 bool pluginWanted);
    Outcome fail(const PassConfiguration& config, std::string_view answer);
    Outcome unchanged(const PassConfiguration& config);
    Outcome abandon(const PassConfiguration& config);
    Outcome refuse(const PassConfiguration& config, const std::string& problem);
    void beginPass();
    void setStatus(std::string text, bool error = false);
    void reportFetchHealth(bool failed);
    void recordHistory(const std::vector<KeptAlert>* kept);
    bool networked() const { return kind_ != PassKind::savedAnswer; }
    bool writesOutputs() const { return kind_ == PassKind::live; }

    PassServices services_;
    RefreshState& state_;
    RefreshView& view_;
    PassKind kind_;
    // The status line as the pass found it, shown again when the pass is stopped.
    StatusLine statusBefore_;
};

// Classifies a saved answer on a state of its own, never a running program's: no network, no
// outputs. The status line and the result reach the view as after a download.
RefreshCycle::Outcome checkSavedAnswer(const PassServices& services, std::string_view answerBytes,
                                       RefreshView& view);

}  // namespace galewarden
