#include "ui/MessageBox.h"

#include <QMessageBox>
#include <optional>

namespace galewarden {
namespace {

struct Script {
    std::deque<MessageAnswer> answers;
    std::vector<MessageRequest> asked;
};

std::optional<Script>& script() {
    static std::optional<Script> instance;
    return instance;
}

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::information:
            return QMessageBox::Information;
        case MessageIcon::exclamation:
            return QMessageBox::Warning;
        case MessageIcon::error:
            return QMessageBox::Critical;
        case MessageIcon::question:
            return QMessageBox::Question;
        case MessageIcon::none:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton buttonOf(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::cancel:
            return QMessageBox::Cancel;
        case MessageAnswer::yes:
            return QMessageBox::Yes;
        case MessageAnswer::no:
            return QMessageBox::No;
        case MessageAnswer::ok:
            break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons buttonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::okCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::yesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return MessageAnswer::cancel;
        case QMessageBox::Yes:
            return MessageAnswer::yes;
        case QMessageBox::No:
            return MessageAnswer::no;
        default:
            break;
    }
    return MessageAnswer::ok;
}

// Closing a box without a button counts as its way out.
MessageAnswer escapeOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::okCancel:
            return MessageAnswer::cancel;
        case MessageButtons::yesNo:
            return MessageAnswer::no;
        case MessageButtons::ok:
            break;
    }
    return MessageAnswer::ok;
}

}  // namespace

MessageAnswer MessageBox::ask(const MessageRequest& request) {
    if (script()) {
        script()->asked.push_back(request);
        if (script()->answers.empty()) {
            return escapeOf(request.buttons);
        }
        const MessageAnswer answer = script()->answers.front();
        script()->answers.pop_front();
        return answer;
    }
    QMessageBox box(iconOf(request.icon),
                    request.title.isEmpty() ? QStringLiteral("信息：") : request.title,
                    request.text, buttonsOf(request.buttons), request.owner);
    box.setDefaultButton(buttonOf(request.defaultAnswer));
    box.setEscapeButton(buttonOf(escapeOf(request.buttons)));
    return answerOf(box.exec());
}

void MessageBox::scriptAnswers(std::deque<MessageAnswer> answers) {
    script() = Script{std::move(answers), {}};
}

const std::vector<MessageRequest>& MessageBox::asked() {
    static const std::vector<MessageRequest> none;
    return script() ? script()->asked : none;
}

void MessageBox::stopScripting() {
    script().reset();
}

}  // namespace galewarden
