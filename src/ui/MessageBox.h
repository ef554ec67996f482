#pragma once

#include <QString>
#include <deque>
#include <vector>

class QWidget;

namespace galewarden {

enum class MessageIcon { none, information, exclamation, error, question };
enum class MessageButtons { ok, okCancel, yesNo };
enum class MessageAnswer { ok, cancel, yes, no };

struct MessageRequest {
    QString title;  // "信息：" when empty
    QString text;
    MessageIcon icon = MessageIcon::none;
    MessageButtons buttons = MessageButtons::ok;
    MessageAnswer defaultAnswer = MessageAnswer::ok;
    QWidget* owner = nullptr;
};

// Every message box of the program goes through here, so that tests can answer them: while
// answers are scripted, a request is recorded and answered without showing anything.
class MessageBox {
  public:
    static MessageAnswer ask(const MessageRequest& request);

    static void scriptAnswers(std::deque<MessageAnswer> answers);
    // The requests answered from the script since it was set.
    static const std::vector<MessageRequest>& asked();
    static void stopScripting();
};

}  // namespace galewarden
