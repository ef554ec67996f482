#pragma once

#include <memory>
#include <stop_token>
#include <string>
#include <string_view>

namespace galewarden {

class ConfigStore;
class HttpClient;
class RefreshPlugin;
class RefreshState;
class RefreshView;
struct PassConfiguration;
struct PassAccumulators;

// One pass of fetch → parse → extract → classify → publish, run on a worker thread. It stops
// the refresh timer first and re-arms it last, so passes never overlap.
class RefreshCycle {
  public:
    enum class Outcome { processed, unchanged, failed, stopped };

    RefreshCycle(const ConfigStore& store, const HttpClient& http, RefreshState& state,
                 RefreshView& view, RefreshPlugin& plugin);

    // The whole pass against the configured source. A stop request ends it promptly,
    // abandoning a transfer in progress, without publishing anything.
    Outcome run(std::stop_token stop = {});

    // The classification of a saved answer without network and without outputs (no detail
    // documents, no picture downloads, no saved copy, plug-in or HTML page); the status line
    // and the result reach the view as after a download.
    Outcome check(std::string_view answerBytes);

  private:
    Outcome process(std::shared_ptr<const std::string> answer, const PassConfiguration& config,
                    const std::string& savedStatus, std::stop_token stop);
    Outcome fail(const PassConfiguration& config, const std::string& savedStatus);
    Outcome unchanged(const PassConfiguration& config, const std::string& savedStatus);
    void clearDisplay();
    void publish(const PassConfiguration& config, PassAccumulators& acc, bool pluginWanted);
    void setStatus(std::string text, bool error = false);
    std::string beginPass();

    const ConfigStore& store_;
    const HttpClient& http_;
    RefreshState& state_;
    RefreshView& view_;
    RefreshPlugin& plugin_;
    bool offline_ = false;
};

}  // namespace galewarden
