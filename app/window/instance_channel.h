#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

namespace vardane {

// The way a second start hands its files to the running window: the window
// listens on a local socket named after its lock; a second start with files
// sends them there and ends instead of being refused.
class instance_listener : public QObject {
    Q_OBJECT
public:
    explicit instance_listener(QObject* parent = nullptr);

    // Listen under the name; a socket left by a crashed window is removed
    // first (the caller holds the lock, so no live window uses the name).
    // False when the socket cannot be made.
    bool listen(const QString& name);

signals:
    // Absolute paths sent by a second start.
    void pathsArrived(const QStringList& paths);

private:
    void take_connection();

    QLocalServer* server_;
};

// Sends absolute paths to the window listening under the name. True only
// when that window confirmed it has them; a window that is just starting
// is waited for up to `timeoutMs`.
bool forward_paths(const QString& name, const QStringList& paths, int timeoutMs = 3000);

// The program's arguments as absolute paths: relative ones are taken in
// `base` (the folder the program was started in).
QStringList absolute_paths(const QStringList& arguments, const QString& base);

} // namespace vardane
