#include "app/window/ui_sink.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMetaObject>
#include <QThread>

#include "app/window/main_form.h"

namespace vardane {

namespace {

QString to_qstring(const std::string& s) { return QString::fromStdString(s); }

} // namespace

template <typename Call>
void ui_sink::post(Call&& call)
{
    if (QThread::currentThread() == form_.thread()) {
        QCoreApplication::sendPostedEvents(&form_, QEvent::MetaCall);
        call();
        return;
    }
    QMetaObject::invokeMethod(&form_, std::forward<Call>(call), Qt::QueuedConnection);
}

void ui_sink::printLog(const std::string& text)
{
    post([form = &form_, line = to_qstring(text)] { form->printLog(line); });
}

void ui_sink::printNewLog(const std::string& text)
{
    post([form = &form_, line = to_qstring(text)] { form->printNewLog(line); });
}

void ui_sink::append_outputList(const std::string& path)
{
    post([form = &form_, p = QFile::decodeName(path.c_str())] { form->append_outputList(p); });
}

void ui_sink::ChangeRunMode(bool running)
{
    post([form = &form_, running] { form->ChangeRunMode(running); });
}

void ui_sink::progress(int done, int total, const std::string& current)
{
    post([form = &form_, done, total, file = to_qstring(current)] { form->show_progress(done, total, file); });
}

void ui_sink::report(const run_event& event)
{
    post([form = &form_, event] { form->count_event(event); });
}

} // namespace vardane
