#include "ui/WriteFailure.h"

#include "core/config/ConfigStore.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"

namespace galewarden {

void showWriteFailure(const ConfigStore& store, const QString& title, QWidget* owner) {
    MessageBox::ask(
        {title,
         QStringLiteral("设置未能保存：无法写入配置文件\n") + toQString(store.filePath()) +
             QStringLiteral("\n请确认该文件可以读写后再次保存。本窗口中的更改仍然保留。"),
         MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, owner});
}

}  // namespace galewarden
