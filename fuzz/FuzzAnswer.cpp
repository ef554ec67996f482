// A whole answer through extraction, classification, the result and the HTML page writer.
#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/alerts/LabelSettings.h"
#include "core/alerts/PassConfiguration.h"
#include "core/alerts/RefreshResultBuilder.h"
#include "core/alerts/classify/AlertClassifier.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/classify/WarningSelection.h"
#include "core/alerts/outputs/HtmlPage.h"
#include "core/alerts/source/AlertExtraction.h"
#include "core/config/ConfigStore.h"
#include "core/json/JsonDocument.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

// A program directory with a guidance page, an HTML page and a few watched districts.
struct Home {
    Home() {
        // tmpfs: every run replaces the page, and a disk would make each run wait for it.
        char pattern[] = "/dev/shm/galewarden-fuzz-XXXXXX";
        path = ::mkdtemp(pattern);
        ::setenv("GALEWARDEN_HOME", path.c_str(), 1);
        std::ofstream(path + "/Guidance.html")
            << "<tr><td>暴雨蓝色预警信号</td><td>1. 甲<br>2. 乙</td></tr>";
        ConfigStore store;
        store.writeQuoted("Source", "Districts", gbFromUtf8("北京市 中央气象台 沙"));
        config = readPassConfiguration(store);
        page = path + "/page.html";
    }
    ~Home() { std::filesystem::remove_all(path); }

    std::string path;
    std::string page;
    PassConfiguration config;
};

}  // namespace
}  // namespace galewarden

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace galewarden;
    static const Home home;
    static const Guidance guidance;
    const std::string_view answer(reinterpret_cast<const char*>(data), size);

    JsonDocument list;
    if (!list.parse(answer)) {
        return 0;
    }
    AlertClassifier classifier(home.config.words, guidance);
    extractAlerts(list, home.config.rules, home.config.districts, classifier, nullptr);
    for (const ListOrder order : {ListOrder::newestFirst, ListOrder::oldestFirst}) {
        PassAccumulators acc = selectWarnings(classifier.classified(),
                                              {.labelUsesName = order == ListOrder::oldestFirst,
                                               .guidanceFileExists = true,
                                               .order = order},
                                              nullptr);
        const std::string pageText = acc.pageText;
        const RefreshResult result = buildRefreshResult(std::move(acc), LabelSettings{}, {});
        std::ofstream(home.page) << "/* Alert Start *//* Alert End */ /* Stage Start */"
                                    "/* Stage End */ /* Content Start *//* Content End */";
        writeHtmlPage(home.page, {.alertList = result.alertList, .stage = 0, .details = pageText});
    }
    return 0;
}
