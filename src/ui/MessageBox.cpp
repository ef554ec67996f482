#include "ui/MessageBox.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>

#include "ui/FileFilters.h"
#include "ui/MessageText.h"
#include "ui/ModalSession.h"

namespace galewarden {
namespace {

struct Script {
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<QString>> texts;
    std::deque<std::optional<QString>> files;
    std::vector<MessageRequest> asked;
    std::vector<TextRequest> askedTexts;
    std::vector<FileRequest> askedFiles;
};

std::optional<Script>& script() {
    static std::optional<Script> instance;
    return instance;
}

template <typename Value>
Value nextOf(std::deque<Value>& queue, const Value& wayOut) {
    if (queue.empty()) {
        return wayOut;
    }
    const Value next = queue.front();
    queue.pop_front();
    return next;
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
        case MessageButtons::yesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
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
        case MessageButtons::yesNoCancel:
            return MessageAnswer::cancel;
        case MessageButtons::yesNo:
            return MessageAnswer::no;
        case MessageButtons::ok:
            break;
    }
    return MessageAnswer::ok;
}

// Qt's own dialog opens too narrow for its columns with CJK fonts.
void fitFileDialog(QFileDialog& dialog) {
    constexpr QSize kRoomy(760, 480);
    QSize size = dialog.sizeHint().expandedTo(kRoomy);
    if (const QScreen* screen = dialog.screen()) {
        size = size.boundedTo(screen->availableSize());
    }
    dialog.resize(size);
}

QString titleOf(const QString& title) {
    return title.isEmpty() ? QStringLiteral("信息：") : title;
}

}  // namespace

MessageAnswer MessageBox::ask(const MessageRequest& request) {
    if (script()) {
        script()->asked.push_back(request);
        return nextOf(script()->answers, escapeOf(request.buttons));
    }
    const ShownMessage shown = shownMessage(request.text);
    QMessageBox box(iconOf(request.icon), titleOf(request.title), shown.text,
                    buttonsOf(request.buttons), request.owner);
    if (shown.cut) {
        box.setDetailedText(request.text);
    }
    box.setDefaultButton(buttonOf(request.defaultAnswer));
    box.setEscapeButton(buttonOf(escapeOf(request.buttons)));
    const int clicked = ModalSession::exec(box);
    // Ended without a button (the program is stopping): the way out, never a "yes" or "OK".
    return box.clickedButton() == nullptr ? escapeOf(request.buttons) : answerOf(clicked);
}

std::optional<QString> MessageBox::askText(const TextRequest& request) {
    if (script()) {
        script()->askedTexts.push_back(request);
        return nextOf(script()->texts, std::optional<QString>());
    }
    QInputDialog dialog(request.owner);
    dialog.setWindowTitle(titleOf(request.title));
    dialog.setLabelText(request.prompt);
    dialog.setTextValue(request.initial);
    if (ModalSession::exec(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

std::optional<QString> MessageBox::chooseFile(const FileRequest& request) {
    if (script()) {
        script()->askedFiles.push_back(request);
        return nextOf(script()->files, std::optional<QString>());
    }
    QFileDialog dialog(request.owner, request.title, request.directory);
    // The labels name their patterns already.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(request.filter));
    fitFileDialog(dialog);
    const bool saving = request.purpose == FileRequest::Purpose::save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (ModalSession::exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front();
}

void MessageBox::scriptAnswers(std::deque<MessageAnswer> answers) {
    if (!script()) {
        script().emplace();
    }
    script()->answers = std::move(answers);
}

void MessageBox::scriptTexts(std::deque<std::optional<QString>> texts) {
    if (!script()) {
        script().emplace();
    }
    script()->texts = std::move(texts);
}

void MessageBox::scriptFiles(std::deque<std::optional<QString>> files) {
    if (!script()) {
        script().emplace();
    }
    script()->files = std::move(files);
}

const std::vector<MessageRequest>& MessageBox::asked() {
    static const std::vector<MessageRequest> none;
    return script() ? script()->asked : none;
}

const std::vector<TextRequest>& MessageBox::askedTexts() {
    static const std::vector<TextRequest> none;
    return script() ? script()->askedTexts : none;
}

const std::vector<FileRequest>& MessageBox::askedFiles() {
    static const std::vector<FileRequest> none;
    return script() ? script()->askedFiles : none;
}

void MessageBox::stopScripting() {
    script().reset();
}

}  // namespace galewarden
