#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

namespace vardane {

// Tells when files appear in, vanish from or are renamed in the watched
// folders, so that the lists stay true to the disk. A burst of changes (a
// run moving its outputs in) is told once, a moment after it ends.
class FolderWatch : public QObject {
    Q_OBJECT
public:
    explicit FolderWatch(QObject* parent = nullptr);

    // Watch exactly these folders (empty names are left out).
    void watch(const QStringList& folders);

signals:
    void changed();

private:
    QFileSystemWatcher watcher_;
    QTimer settle_;
};

} // namespace vardane
