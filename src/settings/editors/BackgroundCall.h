#pragma once

#include <functional>
#include <stop_token>
#include <thread>

class QObject;

namespace galewarden {

// Work on a thread of its own whose outcome is applied on the thread of a receiver (a window),
// so that the window never waits for the network. It lives inside its receiver, whose
// destruction drops a delivery still on its way.
class BackgroundCall {
  public:
    // What the work hands back, run later on the receiver's thread.
    using Delivery = std::function<void()>;
    using Work = std::function<Delivery(std::stop_token)>;

    explicit BackgroundCall(QObject* receiver) : receiver_(receiver) {}
    // Asks running work to stop and waits for it: HttpClient gives up within about a second.
    ~BackgroundCall() = default;
    BackgroundCall(const BackgroundCall&) = delete;
    BackgroundCall& operator=(const BackgroundCall&) = delete;

    // Starts the work unless some is running; false when some is.
    bool start(Work work);
    bool running() const { return running_; }

    // Asks the work to stop and drops its delivery; `ended` runs on the receiver's thread once
    // the work has returned, at once when none runs.
    void abandon(std::function<void()> ended);

  private:
    void finish(const Delivery& delivery);

    QObject* receiver_;
    bool running_ = false;
    std::function<void()> ended_;
    std::jthread thread_;  // last: stopped and joined before the rest goes
};

}  // namespace galewarden
