#include "platform/application.h"

#include "platform/application_signals.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QMetaObject>
#include <QStandardPaths>

#include <utility>

namespace platform {

struct ApplicationData {
    explicit ApplicationData(int& argc, char** argv) : app(argc, argv) {}

    // Runs the handler the first time only; later requests, also those that
    // arrive while the handler runs, are dropped.
    void terminationRequested()
    {
        if (terminationDone || !terminationHandler)
            return;
        terminationDone = true;
        terminationHandler();
    }

    QApplication app;
    std::function<void()> terminationHandler;
    bool terminationDone = false;
    std::unique_ptr<TerminationSignals> signalPipe;
};

Application::Application(int& argc, char** argv) : data_(std::make_unique<ApplicationData>(argc, argv))
{
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(&data_->app, &QGuiApplication::commitDataRequest, &data_->app,
                     [data = data_.get()](QSessionManager&) { data->terminationRequested(); });
#endif
}

Application::~Application() = default;

int Application::exec()
{
    return QApplication::exec();
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
    // The key may hold any characters; its hash makes a safe file name.
    const QByteArray digest = QCryptographicHash::hash(QByteArray(key.data(), static_cast<qsizetype>(key.size())),
                                                       QCryptographicHash::Sha256);
    return QDir(folder).filePath(QStringLiteral("tamaro-%1.lock").arg(QString::fromLatin1(digest.toHex())));
}

} // namespace

SingleInstance::SingleInstance(std::string_view key) : lock_(std::make_unique<Lock>(lockPath(key)))
{
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
