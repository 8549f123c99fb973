// The window program's entry: one window per user, then the window's event loop. Files and
// folders named on the command line (a file manager's "Open with") go to
// the input list; those of a second start go to the running window's.
// -v (--verbose) lets the workers' library messages through to standard
// error. Started with --worker, the program is one of the window's worker
// processes instead, and no window is built; with --version it prints its
// version and those of the libraries it runs with, and needs no display.
#include <cstring>
#include <iostream>

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include "app/window/app_icon.h"
#include "app/window/instance_channel.h"
#include "app/window/main_form.h"
#include "app/window/single_instance.h"
#include "app/window/window_texts.h"
#include "batch/worker_program.h"
#include "driver/library_versions.h"

namespace vardane {

namespace {

bool asks_version(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) return true;
    }
    return false;
}

int print_version()
{
    std::cout << "vardane " << VARDANE_VERSION << "\n";
    for (const auto& [name, version] : library_versions()) std::cout << name << " " << version << "\n";
    return std::cout.good() ? 0 : 1;
}

int run_program(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(window_text::kTitle));
    QApplication::setWindowIcon(app_icon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vardane"));

    single_instance guard;
    QStringList given = QApplication::arguments().mid(1);
    const bool verbose = given.removeAll(QStringLiteral("-v")) + given.removeAll(QStringLiteral("--verbose")) > 0;
    switch (start_instance(guard, absolute_paths(given, QDir::currentPath()), [] {
        QMessageBox::warning(nullptr, QString::fromLatin1(window_text::kTitle),
                             QString::fromLatin1(window_text::kAlreadyRunning));
    })) {
    case start_outcome::forwarded: return 0;
    case start_outcome::refused: return 1;
    case start_outcome::run: break;
    }
    // Listening as soon as the lock is ours; what arrives before the window
    // is made waits for the event loop. A window that cannot listen still
    // works, only second starts are refused.
    instance_listener listener;
    listener.listen(guard.channel_name());

    int code = 0;
    {
        MainForm form;
        QObject::connect(&listener, &instance_listener::pathsArrived, &form, &MainForm::add_forwarded_paths);
        form.set_verbose_workers(verbose);
        form.show();
        form.open_paths(given);
        code = app.exec();
    }
    guard.release();
    return code;
}

} // namespace

} // namespace vardane

int main(int argc, char* argv[])
{
    // Before anything of Qt: a worker converts and has no window.
    if (vardane::is_worker_start(argc, argv)) vardane::run_worker_program(argc, argv);
    // Before QApplication, which ends the program where there is no display.
    if (vardane::asks_version(argc, argv)) return vardane::print_version();
    return vardane::run_program(argc, argv);
}
