#include <algorithm>
#include <iostream>
#include <optional>

#include "cli/Commands.h"
#include "cli/TerminalText.h"
#include "core/alerts/AlertEngine.h"
#include "core/alerts/RefreshResultBuilder.h"
#include "core/alerts/RefreshState.h"
#include "core/alerts/RefreshView.h"
#include "core/json/JsonWriter.h"
#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"
#include "core/text/TextSearch.h"

namespace galewarden::cli {
namespace {

// Keeps what a pass shows; the terminal gets it once the pass is over.
class RecordingView : public RefreshView {
  public:
    void showStatus(const StatusLine& status) override { status_ = status; }
    void setRefreshInterval(int) override {}
    void presentResult(const RefreshResult& result) override { result_ = result; }
    void updateIconWindowVisibility() override {}
    void applyIconWindowSettings() override {}

    const StatusLine& status() const { return status_; }
    const std::optional<RefreshResult>& result() const { return result_; }

  private:
    StatusLine status_;
    std::optional<RefreshResult> result_;
};

std::string keptAsJson(const std::vector<KeptAlert>& kept) {
    JsonWriter writer;
    const auto member = [&](const char* name, std::string_view gb) {
        writer.key(name);
        writer.string(utf8FromGb(gb));
    };
    writer.startArray();
    for (const KeptAlert& alert : kept) {
        writer.startObject();
        member("id", alert.id);
        member("region", alert.region);
        member("signalName", alert.signalName);
        writer.key("level");
        writer.integer(alert.level);
        member("publishTime", alert.publishTime);
        member("title", alert.title);
        member("description", alert.description);
        writer.endObject();
    }
    writer.endArray();
    return std::string(writer.text()) + "\n";
}

void print(const RecordingView& view, bool asJson) {
    const std::optional<RefreshResult>& result = view.result();
    if (asJson) {
        std::cout << keptAsJson(result ? result->kept : std::vector<KeptAlert>{});
        return;
    }
    std::cout << terminalText(view.status().text) << "\n\n"
              << terminalText(result ? result->detailsText : noAlertsText()) << "\n";
}

int exitStatus(RefreshCycle::Outcome outcome) {
    return outcome == RefreshCycle::Outcome::failed ? kFailure : kSuccess;
}

bool takeJsonFlag(std::vector<std::string>& args) {
    const auto flag = std::find(args.begin(), args.end(), "--json");
    if (flag == args.end()) {
        return false;
    }
    args.erase(flag);
    return true;
}

// One pass with the program's own objects, printing what it showed. Every pass processes its
// answer: nothing is remembered from an earlier run.
template <typename Pass>
int runPass(bool asJson, Pass pass) {
    RecordingView view;
    RefreshCycle::Outcome outcome;
    {
        AlertEngine engine(view);
        engine.state().settingsChanged = true;
        outcome = pass(engine, view);
    }
    print(view, asJson);
    return exitStatus(outcome);
}

}  // namespace

int runOnceCommand(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const bool asJson = takeJsonFlag(args);
    if (!args.empty()) {
        return usage();
    }
    return runPass(asJson, [](AlertEngine& engine, RecordingView&) { return engine.runOnce(); });
}

int runCheckCommand(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const bool asJson = takeJsonFlag(args);
    if (args.size() != 1) {
        return usage();
    }
    std::string answer;
    if (readFile(gbFromUtf8(args[0]), answer) != FileState::Read) {
        std::cerr << "galewarden-cli: cannot read " << args[0] << "\n";
        return kFailure;
    }
    return runPass(asJson, [&](AlertEngine& engine, RecordingView& view) {
        return engine.checkAnswer(answer, view);
    });
}

}  // namespace galewarden::cli
