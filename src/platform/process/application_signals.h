#pragma once

#include <csignal>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform {

// Turns SIGTERM, SIGINT and SIGHUP into a call on the event loop. The signal handler
// only writes a byte to a pipe, which is async-signal-safe; a notifier on the
// other end calls back from the loop. The signals' earlier handling comes back
// when this is destroyed. Only one may exist at a time.
class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void drain();

    std::function<void()> onSignal_;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction oldTerm_ {};
    struct sigaction oldInt_ {};
    struct sigaction oldHup_ {};
};

} // namespace platform
