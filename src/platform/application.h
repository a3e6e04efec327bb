#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

struct ApplicationData;

// The process's one GUI application and its event loop.
class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs until a window posts its quit; returns that exit code.
    int exec();
    // Called once when the program is asked to end from outside: SIGTERM,
    // SIGINT, SIGHUP or the end of the desktop session. The signals are caught from here on, but a request is
    // held until releaseTermination(), so that nothing ends the program before
    // it has what it must keep.
    void onTerminationRequest(std::function<void()> handler);
    // Honours a request held so far, now.
    void releaseTermination();
    // Called when the desktop session asks the program to save while it goes
    // on: a checkpoint, or a logout that may still be cancelled.
    void onSessionSave(std::function<void()> handler);
    // Called when the process exits while the event loop runs, which is how
    // the toolkit ends it when the display connection is lost. Dropped once
    // exec() returns.
    void onLostDisplay(std::function<void()> handler);

    // Why the game cannot draw on the display it was started on; empty when
    // it can. On a screen of fewer than 15 bits per pixel (8-bit colour
    // maps) nothing is painted, and a text field crashes.
    std::string unusableDisplay() const;

    // Runs fn from the event loop, after what is happening now.
    static void runSoon(std::function<void()> fn);
    static void processEvents();

private:
    std::unique_ptr<ApplicationData> data_;
};

// A per-user lock: only the first holder of a key is the running copy. A lock
// left behind by a copy that crashed is taken over. It lives in a folder only
// the player can write ($XDG_RUNTIME_DIR when it is theirs alone, else
// $XDG_STATE_HOME/tamaro); without one, every copy is the first.
class SingleInstance {
public:
    explicit SingleInstance(std::string_view key);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    bool isFirst() const;

private:
    struct Lock;
    std::unique_ptr<Lock> lock_;
};

} // namespace platform
