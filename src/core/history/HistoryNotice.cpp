#include "core/history/HistoryNotice.h"

#include "core/text/CodePage.h"

namespace galewarden {

std::string historyNoticeText(const HistoryNotice& notice) {
    switch (notice.kind) {
        case HistoryNotice::Kind::renamedAside:
            return gbFromUtf8("【历史记录】文件已损坏，已改名为 ") + notice.asideName +
                   gbFromUtf8(" 并新建");
        case HistoryNotice::Kind::locked:
            return gbFromUtf8("【历史记录】文件正被另一个程序使用，下次刷新时再写入");
        case HistoryNotice::Kind::turnedOff:
            return gbFromUtf8("【历史记录】无法写入（磁盘已满或目录只读），本次运行不再记录");
        case HistoryNotice::Kind::none:
            break;
    }
    return {};
}

}  // namespace galewarden
