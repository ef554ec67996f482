#include "settings/wizard_model/WizardSummary.h"

#include "core/text/CodePage.h"

namespace galewarden {
namespace {

std::string autoRunLine(bool ticked) {
    return gbFromUtf8(ticked ? "√ 开机自动运行选项已打开。"
                             : "× 计算机重新启动后需要手动打开才会再次监测。");
}

std::string autoCheckLine(bool ticked) {
    return gbFromUtf8(ticked ? "√ 自动检查更新选项已打开。" : "× 可在设置界面手动检查最新版本。");
}

}  // namespace

std::string wizardSummary(const WizardValues& values, bool updatesFromPackages) {
    const std::string updateLine = updatesFromPackages ? gbFromUtf8("√ 程序随系统的软件包更新。")
                                                       : autoCheckLine(values.autoCheck);
    return gbFromUtf8("稍后，程序将开始监测“") + values.districts + gbFromUtf8("”的气象预警。") +
           "\r\n" + autoRunLine(values.autoRun) + "\r\n" + updateLine;
}

}  // namespace galewarden
