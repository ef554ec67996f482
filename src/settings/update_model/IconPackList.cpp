#include "settings/update_model/IconPackList.h"

#include "core/text/CodePage.h"

namespace galewarden {
IconPackMessage downloadPrompt() {
    return {gbFromUtf8("手动下载预警图标"),
            gbFromUtf8("请输入需要手动下载的预警图标，格式为预警类型+预警级别。\r\n如：“台风蓝”")};
}

bool isDownloadRequest(std::string_view typedName) {
    return typedName.size() > 1;
}

std::optional<IconPackMessage> downloadReport(DownloadResult result, std::string_view name) {
    switch (result) {
        case DownloadResult::NotAPicture:
            return IconPackMessage{gbFromUtf8("下载失败"),
                                   gbFromUtf8("未能下载“") + std::string(name) + gbFromUtf8("”。")};
        case DownloadResult::SaveFailed:
            return IconPackMessage{gbFromUtf8("保存失败"), gbFromUtf8("保存“") + std::string(name) +
                                                               gbFromUtf8(".png”时出现问题。")};
        case DownloadResult::Saved:
            break;
    }
    return std::nullopt;
}

IconPackMessage deleteQuestion(std::string_view name) {
    return {gbFromUtf8("删除"),
            gbFromUtf8("确定删除“") + std::string(name) + gbFromUtf8(".png”？")};
}

IconPackMessage deleteAllQuestion() {
    return {gbFromUtf8("删除"), gbFromUtf8("确定删除全部预警图标？")};
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
