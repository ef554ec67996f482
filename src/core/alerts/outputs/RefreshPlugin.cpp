#include "core/alerts/outputs/RefreshPlugin.h"

#include "core/platform/FatalError.h"
#include "core/platform/FileSystem.h"
#include "core/platform/PluginLibrary.h"
#include "core/platform/ProgramPaths.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

constexpr int kPluginErrorCode = 1;
constexpr char kExportName[] = "RefreshA";

}  // namespace

RefreshPlugin::RefreshPlugin()
    : RefreshPlugin(dataDirectory() + "/" + PluginLibrary::relativeName()) {}

RefreshPlugin::RefreshPlugin(std::string path) : path_(std::move(path)) {}

RefreshPlugin::~RefreshPlugin() = default;

bool RefreshPlugin::fileExists() const {
    return galewarden::fileExists(path_);
}

RefreshPlugin::RefreshFunction RefreshPlugin::function() {
    if (function_ != nullptr) {
        return function_;
    }
    library_ = PluginLibrary::load(path_);
    if (library_ != nullptr) {
        function_ = reinterpret_cast<RefreshFunction>(library_->symbol(kExportName));
    }
    if (function_ == nullptr) {
        raiseFatalError(kPluginErrorCode,
                        gbFromUtf8("无法找到指定DLL库文件“") + PluginLibrary::relativeName() +
                            gbFromUtf8("”中的输出命令“") + kExportName + gbFromUtf8("”"));
    }
    return function_;
}

void RefreshPlugin::callOncePerAlert(const std::vector<KeptAlert>& alerts) {
    if (alerts.empty()) {
        return;
    }
    const RefreshFunction refresh = function();
    const std::string pathText = PluginLibrary::textForLibrary(path_);
    int order = 0;
    for (const KeptAlert& alert : alerts) {
        const auto text = [](const std::string& gb) { return PluginLibrary::textForLibrary(gb); };
        refresh(++order, text(alert.id).c_str(), text(alert.publishTime).c_str(),
                text(alert.region).c_str(), text(alert.signalName).c_str(),
                text(alert.description).c_str(), pathText.c_str());
    }
}

}  // namespace galewarden
