#include "settings/update_model/UpdateTexts.h"

#include "core/text/CodePage.h"

namespace galewarden {
namespace {

std::string gb(std::string_view utf8) {
    return gbFromUtf8(utf8);
}

std::string importantNote(bool important) {
    return important ? "\r\n" + gb("近期版本存在重大变化，请及时更新。") : std::string();
}

}  // namespace

std::string checkingLine() {
    return gb("正在检查新版本 ..");
}

std::string checkFailedLine() {
    return gb("获取最新版本信息失败");
}

std::string upToDateLine() {
    return gb("当前已是最新版本");
}

std::string newVersionLine(std::string_view version) {
    return gb("存在新版本：") + std::string(version);
}

UpdateMessage newVersionBalloon(const PublishedVersion& published, bool important) {
    return {gb("新版本可用：") + published.version,
            gb("新版本 ") + published.version + gb(" 已于 ") + published.updated +
                gb(" 发布，可前往官网下载更新。") + importantNote(important)};
}

UpdateMessage newVersionOffer(const PublishedVersion& published, bool important,
                              std::string_view archiveAddress) {
    return {gb("检查新版本"), gb("检查到新版本：") + published.version + gb("（") +
                                  published.updated + gb("）") + importantNote(important) + "\r\n" +
                                  gb("单击“确定”可进行下载：") + "\r\n" +
                                  std::string(archiveAddress)};
}

UpdateMessage downloadChoice() {
    return {gb("选择下载方式"), gb("是否打开浏览器进行下载？\r\n【是】通过浏览器下载\r\n"
                                   "【否】通过本程序下载\r\n【取消】放弃下载")};
}

UpdateMessage downloadDone(std::string_view savedPath) {
    return {gb("下载完成"), gb("下载完成，请退出此程序后解压文件：\r\n") + std::string(savedPath)};
}

UpdateMessage downloadFailed(std::string_view archiveAddress) {
    return {gb("下载失败"),
            gb("下载失败，请前往浏览器进行下载：\r\n") + std::string(archiveAddress)};
}

}  // namespace galewarden
