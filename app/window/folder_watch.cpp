#include "app/window/folder_watch.h"

namespace vardane {

namespace {
constexpr int kSettleMs = 300;
}

FolderWatch::FolderWatch(QObject* parent) : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, &FolderWatch::changed);
}

void FolderWatch::watch(const QStringList& folders)
{
    if (const QStringList old = watcher_.directories(); !old.isEmpty()) watcher_.removePaths(old);
    QStringList wanted;
    for (const QString& f : folders) {
        if (!f.isEmpty() && !wanted.contains(f)) wanted << f;
    }
    if (!wanted.isEmpty()) watcher_.addPaths(wanted);
}

} // namespace vardane
