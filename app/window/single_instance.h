#pragma once

#include <QLockFile>
#include <QString>

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

} // namespace vardane
