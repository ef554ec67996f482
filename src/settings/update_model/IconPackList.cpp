#include "settings/update_model/IconPackList.h"

#include "core/text/CodePage.h"

namespace galewarden {
namespace {

std::string gb(std::string_view utf8) {
    return gbFromUtf8(utf8);
}

}  // namespace

IconPackMessage downloadPrompt() {
    return {gb("手动下载预警图标"),
            gb("请输入需要手动下载的预警图标，格式为预警类型+预警级别。\r\n如：“台风蓝”")};
}

bool isDownloadRequest(std::string_view typedName) {
    return typedName.size() > 1;
}

std::optional<IconPackMessage> downloadReport(DownloadResult result, std::string_view name) {
    switch (result) {
        case DownloadResult::NotAPicture:
            return IconPackMessage{gb("下载失败"), gb("未能下载“") + std::string(name) + gb("”。")};
        case DownloadResult::SaveFailed:
            return IconPackMessage{gb("保存失败"),
                                   gb("保存“") + std::string(name) + gb(".png”时出现问题。")};
        case DownloadResult::Saved:
            break;
    }
    return std::nullopt;
}

IconPackMessage deleteQuestion(std::string_view name) {
    return {gb("删除"), gb("确定删除“") + std::string(name) + gb(".png”？")};
}

IconPackMessage deleteAllQuestion() {
    return {gb("删除"), gb("确定删除全部预警图标？")};
}

void IconPackList::refresh() {
    names_ = IconPack::storedNames();
    selected_ = -1;
}

void IconPackList::select(int row) {
    selected_ = row >= 0 && row < static_cast<int>(names_.size()) ? row : -1;
}

std::optional<std::string> IconPackList::selectedName() const {
    if (selected_ < 0) {
        return std::nullopt;
    }
    return names_[static_cast<std::size_t>(selected_)];
}

}  // namespace galewarden
