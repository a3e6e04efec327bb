#include "platform/application.h"

#include "platform/process/application_signals.h"
#include "platform/window/wm_hints.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QLockFile>
#include <QMetaObject>
#include <QScreen>
#include <QSessionManager>

#include <csignal>
#include <cstdlib>
#include <string>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

// The session's end arrives as a Quit event, which Qt would honour by
// closing every window; a modal dialog that refuses to close stops that, and
// the quit is dropped. The program ends the way a termination signal ends it
// instead, whatever dialog is open.
class SessionQuitFilter : public QObject {
public:
    explicit SessionQuitFilter(std::function<void()> onQuit) : onQuit_(std::move(onQuit)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit)
            return false;
        onQuit_();
        return true;
    }

private:
    std::function<void()> onQuit_;
};

struct ApplicationData {
    explicit ApplicationData(int& argc, char** argv) : app(argc, argv)
    {
        app.installEventFilter(&quitFilter);
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [this](QSessionManager&) {
            if (sessionSaveHandler)
                sessionSaveHandler();
        });
    }

    // Runs the handler the first time only; later requests, also those that
    // arrive while the handler runs, are dropped. Until released, a request
    // is only remembered.
    void terminationRequested()
    {
        requested = true;
        if (held || terminationDone || !terminationHandler)
            return;
        terminationDone = true;
        terminationHandler();
    }

    QApplication app;
    std::function<void()> terminationHandler;
    bool held = true;
    bool requested = false;
    bool terminationDone = false;
    std::unique_ptr<TerminationSignals> signalPipe;
    std::function<void()> sessionSaveHandler;
    SessionQuitFilter quitFilter{[this] { terminationRequested(); }};
};

namespace {

// What runs if the process exits from inside the event loop.
std::function<void()> lostDisplayHandler;

extern "C" void onExitInsideLoop()
{
    if (auto handler = std::exchange(lostDisplayHandler, nullptr))
        handler();
}

} // namespace

Application::Application(int& argc, char** argv) : data_(std::make_unique<ApplicationData>(argc, argv))
{
    // With no session bus, libdbus would start one by forking a helper from
    // this many-threaded process; the child can deadlock, and whoever asked
    // (SDL, at the start of its audio and pads) then waits for ever. Say that
    // there is no bus instead.
    if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    // A write to a display that has gone away must fail, not end the process
    // unsaved; the toolkit then ends it through exit().
    std::signal(SIGPIPE, SIG_IGN);
    // A write past the file size limit (ulimit -f) must fail like any other
    // failed write, with a message, rather than end the process.
    std::signal(SIGXFSZ, SIG_IGN);
    keepTitlesReadable();
}

Application::~Application() = default;

int Application::exec()
{
    const int code = QApplication::exec();
    lostDisplayHandler = nullptr;
    return code;
}

void Application::onTerminationRequest(std::function<void()> handler)
{
    data_->terminationHandler = std::move(handler);
    // The signals are caught only once someone listens; until then they end
    // the process as usual.
    if (!data_->signalPipe)
        data_->signalPipe =
            std::make_unique<TerminationSignals>([data = data_.get()] { data->terminationRequested(); });
}

void Application::releaseTermination()
{
    data_->held = false;
    if (data_->requested)
        data_->terminationRequested();
}

void Application::onSessionSave(std::function<void()> handler)
{
    data_->sessionSaveHandler = std::move(handler);
}

void Application::onLostDisplay(std::function<void()> handler)
{
    static const bool registered = std::atexit(onExitInsideLoop) == 0;
    if (registered)
        lostDisplayHandler = std::move(handler);
}

std::string Application::unusableDisplay() const
{
    // The least depth at which Qt's window surfaces draw: 15-bit true colour.
    constexpr int leastDepth = 15;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return "no screen to show the game on";
    if (screen->depth() < leastDepth)
        return "the screen has " + std::to_string(screen->depth()) + " bits per pixel, and the game needs at least "
               + std::to_string(leastDepth)
               + " (thousands of colours) to draw; start the display with a depth of 16 or 24";
    return {};
}

void Application::runSoon(std::function<void()> fn)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !fn)
        return;
    QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}

void Application::processEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The lock file is removed when this is destroyed.
struct SingleInstance::Lock {
    explicit Lock(const QString& path) : file(path) {}
    QLockFile file;
    bool first = false;
};

namespace {

// A real folder, not a link, of the player's own and with none of the refused permissions.
bool ownFolder(const std::string& path, mode_t refused)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid()
           && (info.st_mode & refused) == 0;
}

// The folder and the folders above it, made for the player alone where missing.
void makeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    ::mkdir(path.c_str(), 0700);
}

// Where the lock lives: the runtime folder when it is the player's alone, else
// the player's state folder; never a folder others may write, where another
// user could lay a file of the lock's name first. Empty when neither will do.
std::string lockFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && ownFolder(runtime, S_IRWXG | S_IRWXO))
        return runtime;
    std::string state;
    const char* stateHome = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    if (stateHome && stateHome[0] == '/')
        state = stateHome;
    else if (home && home[0] == '/')
        state = std::string(home) + "/.local/state";
    else
        return {};
    state += "/tamaro";
    makeFolders(state);
    return ownFolder(state, S_IWGRP | S_IWOTH) ? state : std::string();
}

QString lockPath(const std::string& folder, std::string_view key)
{
    // The key may hold any characters; its hash makes a safe file name.
    const QByteArray digest = QCryptographicHash::hash(QByteArray(key.data(), static_cast<qsizetype>(key.size())),
                                                       QCryptographicHash::Sha256);
    return QFile::decodeName(folder.c_str())
           + QStringLiteral("/tamaro-%1.lock").arg(QString::fromLatin1(digest.toHex()));
}

} // namespace

SingleInstance::SingleInstance(std::string_view key)
{
    // When no lock can be made at all, the game still runs.
    const std::string folder = lockFolder();
    if (folder.empty())
        return;
    lock_ = std::make_unique<Lock>(lockPath(folder, key));
    // A lock whose owner died is found stale by its process id and taken
    // over. Only another live holder makes this copy a second one.
    lock_->first = lock_->file.tryLock(0) || lock_->file.error() != QLockFile::LockFailedError;
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::isFirst() const
{
    return !lock_ || lock_->first;
}

} // namespace platform
