#include "app/window/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace vardane {

single_instance::single_instance(const QString& lockPath) : lock_(lockPath)
{
    // Only a dead owner makes a lock stale; a long-running window never does.
    lock_.setStaleLockTime(0);
}

bool single_instance::acquire() { return lock_.tryLock(0); }

void single_instance::release() { lock_.unlock(); }

QString single_instance::default_lock_path()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder + QStringLiteral("/Vardane.lock");
}

} // namespace vardane
