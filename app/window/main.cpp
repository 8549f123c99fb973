// The window program's entry: one window per user, then the window's event loop. Files and
// folders named on the command line (a file manager's "Open with") go to
// the input list; -v (--verbose) lets the workers' library messages through
// to standard error. Started with --worker, the program is one of the
// window's worker processes instead, and no window is built.
#include <QApplication>
#include <QMessageBox>

#include "app/window/app_icon.h"
#include "app/window/main_form.h"
#include "app/window/single_instance.h"
#include "app/window/window_texts.h"
#include "batch/worker_program.h"

namespace vardane {

namespace {

int run_program(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(window_text::kTitle));
    QApplication::setWindowIcon(app_icon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vardane"));

    single_instance guard;
    const int refused = single_instance_exit_code(guard, [] {
        QMessageBox::warning(nullptr, QString::fromLatin1(window_text::kTitle),
                             QString::fromLatin1(window_text::kAlreadyRunning));
    });
    if (refused != 0) return refused;

    QStringList paths = QApplication::arguments().mid(1);
    const bool verbose = paths.removeAll(QStringLiteral("-v")) + paths.removeAll(QStringLiteral("--verbose")) > 0;
    int code = 0;
    {
        MainForm form;
        form.set_verbose_workers(verbose);
        form.show();
        form.open_paths(paths);
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
    return vardane::run_program(argc, argv);
}
