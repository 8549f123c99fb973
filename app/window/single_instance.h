#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>

#include "app/window/instance_channel.h"

namespace vardane {

// One running window per user: a lock file held for the window's lifetime.
// A lock left behind by a crashed instance is taken over.
class single_instance {
public:
    // Lock at the given path; by default "Vardane.lock" in the user's runtime
    // folder (the temp folder when there is none).
    explicit single_instance(const QString& lockPath = default_lock_path());
    single_instance(const single_instance&) = delete;
    single_instance& operator=(const single_instance&) = delete;

    // Take the lock without waiting. False when another live instance holds it.
    bool acquire();
    // Give the lock up (also done on destruction).
    void release();

    // The local socket a running window listens on for the files of a
    // second start: named after the lock, beside it.
    QString channel_name() const { return lock_.fileName() + QStringLiteral(".socket"); }

    static QString default_lock_path();

private:
    QLockFile lock_;
};

// Exit code of the start-up check: 0 when this instance may run, 1 when
// another one holds the lock (after calling tellUser).
template <typename TellUser>
int single_instance_exit_code(single_instance& guard, TellUser&& tellUser)
{
    if (guard.acquire()) return 0;
    tellUser();
    return 1;
}

// What a start does: run the window (it has the lock), or end because the
// running window took its files, or end refused.
enum class start_outcome { run, forwarded, refused };

// The start-up check of a start given `paths` (absolute): a second start
// with files hands them to the running window; one without files, or one
// that cannot reach the window, is refused (after calling tellUser).
template <typename TellUser>
start_outcome start_instance(single_instance& guard, const QStringList& paths, TellUser&& tellUser,
                             int timeoutMs = 3000)
{
    if (guard.acquire()) return start_outcome::run;
    if (!paths.isEmpty() && forward_paths(guard.channel_name(), paths, timeoutMs)) return start_outcome::forwarded;
    tellUser();
    return start_outcome::refused;
}

} // namespace vardane
