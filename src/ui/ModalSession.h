#pragma once

#include <QPointer>

class QDialog;

namespace galewarden {

// Every modal dialog the program waits for runs inside a session, so that a stop can end
// their nested event loops, innermost first, and destroy windows only once all of them have
// returned: a window deleted under a running loop would be used again when that loop returns.
class ModalSession {
  public:
    explicit ModalSession(QDialog& dialog);
    ~ModalSession();
    ModalSession(const ModalSession&) = delete;
    ModalSession& operator=(const ModalSession&) = delete;

    // Runs `dialog` modally in a session of its own; its result.
    static int exec(QDialog& dialog);

    // The sessions running now.
    static int depth();
    // Rejects the dialog of every running session, innermost first; until `resume`, a dialog
    // that opens is rejected as soon as it runs.
    static void endAll();
    static void resume();

  private:
    QPointer<QDialog> dialog_;
};

}  // namespace galewarden
