#include "platform/application.h"

#include "platform/application_signals.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMetaObject>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

struct ApplicationData {
    explicit ApplicationData(int& argc, char** argv) : app(argc, argv) {}

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
    // The session manager's requests to save are left unanswered: a checkpoint
    // or a logout that may still be cancelled must leave the game running. A
    // real end of the session closes the window, which saves.
    //
    // A write to a display that has gone away must fail, not end the process
    // unsaved; the toolkit then ends it through exit().
    std::signal(SIGPIPE, SIG_IGN);
    // A write past the file size limit (ulimit -f) must fail like any other
    // failed write, with a message, rather than end the process.
    std::signal(SIGXFSZ, SIG_IGN);
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
        data_->signalPipe = std::make_unique<TerminationSignals>(
            [data = data_.get()] { data->terminationRequested(); });
}

void Application::releaseTermination()
{
    data_->held = false;
    if (data_->requested)
        data_->terminationRequested();
}

void Application::onLostDisplay(std::function<void()> handler)
{
    static const bool registered = std::atexit(onExitInsideLoop) == 0;
    if (registered)
        lostDisplayHandler = std::move(handler);
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

QString lockPath(std::string_view key)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::tempPath();
    // A temporary folder that does not exist comes back empty; never lock in
    // the working directory.
    if (folder.isEmpty())
        folder = QStringLiteral("/tmp");
    // The key may hold any characters; its hash makes a safe file name. The
    // user's id keeps users apart in a folder they share.
    const QByteArray digest = QCryptographicHash::hash(QByteArray(key.data(), static_cast<qsizetype>(key.size())),
                                                       QCryptographicHash::Sha256);
    return QDir(folder).filePath(
        QStringLiteral("tamaro-%1-%2.lock").arg(::geteuid()).arg(QString::fromLatin1(digest.toHex())));
}

// A lock file of this name that another user owns can be neither used nor
// removed by this one.
bool ownedByAnother(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && info.st_uid != ::geteuid();
}

} // namespace

SingleInstance::SingleInstance(std::string_view key) : lock_(std::make_unique<Lock>(lockPath(key)))
{
    const QString path = lock_->file.fileName();
    if (ownedByAnother(path)) {
        std::fprintf(stderr, "tamaro: the lock file %s belongs to another user; the game cannot start until it is removed\n",
                     QFile::encodeName(path).constData());
        return;
    }
    // A lock whose owner died is found stale by its process id and taken
    // over. Only another live holder makes this copy a second one: when no
    // lock can be made at all, the game still runs.
    lock_->first = lock_->file.tryLock(0) || lock_->file.error() != QLockFile::LockFailedError;
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::isFirst() const
{
    return lock_->first;
}

} // namespace platform
