#include "settings/model/PluginNotice.h"

#include "core/text/CodePage.h"

namespace galewarden {

// The calls count their refreshes from 1.
std::string pluginNoticeText(std::string_view libraryPath, bool libraryExists, bool utf8Texts) {
    std::string text = gbFromUtf8(
        "调用DLL有严格的标准，稍有不慎就会导致整个程序崩溃，因此如非专业人员不建议自行设置此项。"
        "\r\n同时，调用DLL程序会等待响应，请合理编写DLL代码。\r\n【DLL调用说明】\r\nDLL文件路径：");
    text += libraryPath;
    if (!libraryExists) {
        text += gbFromUtf8("（文件不存在）");
    }
    text += gbFromUtf8(
        "\r\nDLL命令名：RefreshA（无返回值）\r\n参数列表：\r\n"
        "参数1：（int）本次刷新的顺序，从1开始。\r\n"
        "参数2：（text）Id，每个预警的唯一标识。\r\n"
        "参数3：（text）PublishTime，预警发布时间。\r\n"
        "参数4：（text）Area，预警地域。\r\n"
        "参数5：（text）AlertCategory，预警级别。\r\n"
        "参数6：（text）AlarmContent，预警内容。\r\n"
        "参数7：（text）DLL文件路径和文件名。\r\n");
    if (utf8Texts) {
        text += gbFromUtf8("文本参数为UTF-8编码。\r\n");
    }
    return text + gbFromUtf8("是否继续？");
}

}  // namespace galewarden
