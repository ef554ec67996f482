#include "settings/update_model/UpdateTexts.h"

#include "core/text/CodePage.h"

namespace galewarden {
namespace {

std::string importantNote(bool important) {
    return important ? "\r\n" + gbFromUtf8("近期版本存在重大变化，请及时更新。") : std::string();
}

}  // namespace

std::string checkingLine() {
    return gbFromUtf8("正在检查新版本 ..");
}

std::string checkFailedLine() {
    return gbFromUtf8("获取最新版本信息失败");
}

std::string upToDateLine() {
    return gbFromUtf8("当前已是最新版本");
}

std::string newVersionLine(std::string_view version) {
    return gbFromUtf8("存在新版本：") + std::string(version);
}

UpdateMessage newVersionBalloon(const PublishedVersion& published, bool important) {
    return {gbFromUtf8("新版本可用：") + published.version,
            gbFromUtf8("新版本 ") + published.version + gbFromUtf8(" 已于 ") + published.updated +
                gbFromUtf8(" 发布，可前往官网下载更新。") + importantNote(important)};
}

UpdateMessage newVersionOffer(const PublishedVersion& published, bool important,
                              std::string_view archiveAddress) {
    return {gbFromUtf8("检查新版本"),
            gbFromUtf8("检查到新版本：") + published.version + gbFromUtf8("（") +
                published.updated + gbFromUtf8("）") + importantNote(important) + "\r\n" +
                gbFromUtf8("单击“确定”可进行下载：") + "\r\n" + std::string(archiveAddress)};
}

UpdateMessage downloadChoice() {
    return {gbFromUtf8("选择下载方式"),
            gbFromUtf8("是否打开浏览器进行下载？\r\n【是】通过浏览器下载\r\n"
                       "【否】通过本程序下载\r\n【取消】放弃下载")};
}

UpdateMessage downloadDone(std::string_view savedPath) {
    return {gbFromUtf8("下载完成"),
            gbFromUtf8("下载完成，请退出此程序后解压文件：\r\n") + std::string(savedPath)};
}

UpdateMessage downloadFailed(std::string_view archiveAddress) {
    return {gbFromUtf8("下载失败"),
            gbFromUtf8("下载失败，请前往浏览器进行下载：\r\n") + std::string(archiveAddress)};
}

}  // namespace galewarden
