#include "ui/FullScreenCalibration.h"

#include "ui/MessageBox.h"

namespace galewarden {

std::optional<int> calibrateFullScreenBase(const CountFullScreenWindows& count, QWidget* owner) {
    const MessageRequest request{
        QStringLiteral("校准"),
        QStringLiteral("由于存在隐藏的全屏窗口，因此需要校准才能实现正确的全屏隐藏效果。\r\n"
                       "即将获取当前屏幕全屏窗口数量，请确保所有可见的全屏窗口均已关闭。"),
        MessageIcon::none,
        MessageButtons::okCancel,
        MessageAnswer::ok,
        owner};
    if (MessageBox::ask(request) != MessageAnswer::ok) {
        return std::nullopt;
    }
    return count ? count(0) : 0;
}

}  // namespace galewarden
