#include "core/alerts/classify/Guidance.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "core/platform/FileSystem.h"
#include "core/platform/ProgramPaths.h"
#include "core/text/CodePage.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

// The last cell of the first row naming the signal.
std::string findGuidance(std::string_view page, std::string_view signalName) {
    static const std::string suffix = gbFromUtf8("色预警信号");
    if (signalName.empty()) {
        return {};
    }
    const int key = findText(page, std::string(signalName) + suffix);
    const int rowEnd = key == -1 ? -1 : findText(page, "</tr>", key + 1);
    if (rowEnd == -1) {
        return {};
    }
    const int cell = findLastText(page.substr(0, static_cast<std::size_t>(rowEnd - 1)), "<td>");
    if (cell == -1) {
        return {};
    }
    const int textStart = cell + 4;
    const int cellEnd = findText(page, "</td>", textStart);
    if (cellEnd == -1) {
        return {};
    }
    const auto offset = static_cast<std::size_t>(textStart - 1);
    const auto length = static_cast<std::size_t>(cellEnd - textStart);
    return replaceAll(page.substr(offset, length), "<br>", "\r\n");
}

}  // namespace

// The refresh asks once per warning, so the converted file and every answer are kept while
// the file stays the same.
class Guidance::Cache {
  public:
    std::string lookup(const std::vector<std::string>& paths, std::string_view signalName) {
        const std::lock_guard lock(mutex_);
        refreshIfChanged(paths);
        std::string name(signalName);
        const auto known = answers_.find(name);
        if (known != answers_.end()) {
            return known->second;
        }
        std::string guidance = findGuidance(page_, signalName);
        answers_.emplace(std::move(name), guidance);
        return guidance;
    }

  private:
    // The first copy that exists is read; a copy coming or going elsewhere counts as a change.
    void refreshIfChanged(const std::vector<std::string>& paths) {
        std::string path = paths.front();
        FileStamp current;
        for (const std::string& candidate : paths) {
            if (FileStamp stamp = fileStamp(candidate); stamp.regularFile) {
                path = candidate;
                current = stamp;
                break;
            }
        }
        if (stamp_ == current && path_ == path) {
            return;
        }
        path_ = path;
        std::string bytes;
        const FileState state = readFile(path, bytes);
        page_ = gbFromUtf8(bytes);
        answers_.clear();
        // An unreadable file is tried again next time: its permissions may change without
        // touching its stamp.
        stamp_ = state == FileState::Unreadable ? std::nullopt : std::optional(current);
    }

    std::mutex mutex_;
    std::string path_;
    std::optional<FileStamp> stamp_;
    std::string page_;
    std::unordered_map<std::string, std::string> answers_;
};

namespace {

std::vector<std::string> guidanceCopies() {
    std::vector<std::string> paths;
    for (const std::string& directory : programPlaces().resourceDirectories) {
        paths.push_back(directory + "/Guidance.html");
    }
    return paths;
}

}  // namespace

Guidance::Guidance() : paths_(guidanceCopies()), cache_(std::make_unique<Cache>()) {}

Guidance::Guidance(std::string filePath)
    : paths_{std::move(filePath)}, cache_(std::make_unique<Cache>()) {}

Guidance::~Guidance() = default;

std::string Guidance::lookup(std::string_view signalName) const {
    return cache_->lookup(paths_, signalName);
}

bool Guidance::fileExists() const {
    return std::any_of(paths_.begin(), paths_.end(),
                       [](const std::string& path) { return galewarden::fileExists(path); });
}

}  // namespace galewarden
