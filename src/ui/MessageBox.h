#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <vector>

class QWidget;

namespace galewarden {

enum class MessageIcon { none, information, exclamation, error, question };
enum class MessageButtons { ok, okCancel, yesNo, yesNoCancel };
enum class MessageAnswer { ok, cancel, yes, no };

struct MessageRequest {
    QString title;  // "信息：" when empty
    QString text;
    MessageIcon icon = MessageIcon::none;
    MessageButtons buttons = MessageButtons::ok;
    MessageAnswer defaultAnswer = MessageAnswer::ok;
    QWidget* owner = nullptr;
};

// A line of text the user types.
struct TextRequest {
    QString title;
    QString prompt;
    QString initial = {};
    QWidget* owner = nullptr;
};

// A file to open or to save to. `filter` as the program states it: "配置文件（*.ini）|*.ini|"
// (see qtNameFilters).
struct FileRequest {
    enum class Purpose { open, save };
    Purpose purpose = Purpose::open;
    QString title;
    QString directory = {};
    QString fileName = {};
    QString filter = {};
    QString defaultSuffix = {};
    QWidget* owner = nullptr;
};

// Every message box, input box and file dialog of the program goes through here, so that tests
// can answer them: while answers are scripted, a request is recorded and answered without
// showing anything (with the way out once the script runs dry).
class MessageBox {
  public:
    static MessageAnswer ask(const MessageRequest& request);
    // Nothing when the user cancels.
    static std::optional<QString> askText(const TextRequest& request);
    static std::optional<QString> chooseFile(const FileRequest& request);

    static void scriptAnswers(std::deque<MessageAnswer> answers);
    static void scriptTexts(std::deque<std::optional<QString>> texts);
    static void scriptFiles(std::deque<std::optional<QString>> files);
    // The requests answered from the script since scripting began.
    static const std::vector<MessageRequest>& asked();
    static const std::vector<TextRequest>& askedTexts();
    static const std::vector<FileRequest>& askedFiles();
    static void stopScripting();
};

}  // namespace galewarden
