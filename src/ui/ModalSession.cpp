#include "ui/ModalSession.h"

#include <QDialog>
#include <QMetaObject>
#include <algorithm>
#include <vector>

namespace galewarden {
namespace {

// Sessions belong to the user-interface thread alone.
std::vector<ModalSession*>& sessions() {
    static std::vector<ModalSession*> running;
    return running;
}

bool& ending() {
    static bool value = false;
    return value;
}

void rejectSoon(QDialog* dialog) {
    QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
}

}  // namespace

ModalSession::ModalSession(QDialog& dialog) : dialog_(&dialog) {
    sessions().push_back(this);
    if (ending()) {
        rejectSoon(&dialog);
    }
}

ModalSession::~ModalSession() {
    std::erase(sessions(), this);
}

int ModalSession::exec(QDialog& dialog) {
    const ModalSession session(dialog);
    return dialog.exec();
}

int ModalSession::depth() {
    return static_cast<int>(sessions().size());
}

void ModalSession::endAll() {
    ending() = true;
    const std::vector<ModalSession*> running = sessions();
    std::for_each(running.rbegin(), running.rend(), [](const ModalSession* session) {
        if (session->dialog_) {
            session->dialog_->reject();
        }
    });
}

void ModalSession::resume() {
    ending() = false;
}

}  // namespace galewarden
