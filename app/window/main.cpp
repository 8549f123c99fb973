// WinMain: one window per user, then the window's event loop.
#include <QApplication>
#include <QMessageBox>

#include "app/window/main_form.h"
#include "app/window/single_instance.h"
#include "app/window/window_texts.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(window_text::kTitle));

    single_instance guard;
    const int refused = single_instance_exit_code(guard, [] {
        QMessageBox::warning(nullptr, QString::fromLatin1(window_text::kTitle),
                             QString::fromLatin1(window_text::kAlreadyRunning));
    });
    if (refused != 0) return refused;

    int code = 0;
    {
        MainForm form;
        form.show();
        code = app.exec();
    }
    guard.release();
    return code;
}
