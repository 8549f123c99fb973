// A second start of the program hands its files and folders to the running
// window over the single-instance channel, instead of dropping them.
#include <QDataStream>
#include <QLabel>
#include <QLocalSocket>
#include <QProcess>

#include "app/window/instance_channel.h"
#include "app/window/single_instance.h"
#include "gui_test_support.h"

namespace vardane {

using namespace gui_test;

namespace {

const QString kProgram = QStringLiteral(VARDANE_BUILD_DIR "/app/vardane");

QString ticked(MainForm& form) { return control<QLabel>(form, "lbl_Ticked")->text(); }

// A window of this process that holds the lock of a runtime folder and
// listens, as the program's first start does.
struct running_window {
    QTemporaryDir runtime;
    single_instance guard{runtime.filePath(QStringLiteral("Vardane.lock"))};
    instance_listener listener;
    window_setup w;

    bool start()
    {
        if (!runtime.isValid() || !guard.acquire() || !listener.listen(guard.channel_name())) return false;
        QObject::connect(&listener, &instance_listener::pathsArrived, &w.form, &MainForm::add_forwarded_paths);
        return true;
    }

    // Start the program from a folder with arguments, as a file manager's
    // "Open With" would, and return its exit code once it has ended (the
    // window keeps handling events meanwhile).
    int second_start(const QString& folder, const QStringList& arguments)
    {
        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        second.setProcessEnvironment(env);
        second.setWorkingDirectory(folder);
        second.start(kProgram, arguments);
        if (!second.waitForStarted()) return -1;
        if (!QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 60000)) {
            second.kill();
            second.waitForFinished();
            return -2;
        }
        return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -3;
    }
};

} // namespace

class SecondStart : public QObject {
    Q_OBJECT

private slots:
    void files_of_a_second_start_arrive_in_the_running_window();
    void a_second_start_without_files_or_listener_is_refused();
    void a_message_in_pieces_arrives_whole_and_a_broken_one_not_at_all();
    void version_is_printed_without_a_display();
};

void SecondStart::files_of_a_second_start_arrive_in_the_running_window()
{
    QVERIFY2(QFileInfo(kProgram).isExecutable(), "the vardane executable is not built");
    running_window first;
    QVERIFY(first.start());
    MainForm& form = first.w.form;
    const QString a = write_file(first.w.in, "a.h5", "a");
    const QString b = write_file(first.w.in, "b.h5", "b");
    QCOMPARE(ticked(form), QStringLiteral("No input files"));

    // A relative name is taken in the second start's own folder; into an
    // empty list the first file comes checked.
    QCOMPARE(first.second_start(first.w.in, {QStringLiteral("a.h5")}), 0);
    QTableWidget* list = input_list(form);
    QCOMPARE(column_texts(list, 0), QStringList{a});
    QCOMPARE(checked_rows(list), QList<int>{0});
    QCOMPARE(ticked(form), QStringLiteral("1 file ticked"));
    QVERIFY2(form.status_text().contains(QStringLiteral("a.h5")), qPrintable(form.status_text()));

    // Later files are added unchecked, a listed one is not added again.
    QCOMPARE(first.second_start(first.w.s.path(), {b, QStringLiteral("in/a.h5")}), 0);
    QCOMPARE(column_texts(list, 0), (QStringList{a, b}));
    QCOMPARE(checked_rows(list), QList<int>{0});
    QCOMPARE(ticked(form), QStringLiteral("1 file ticked"));

    // A folder becomes the input folder.
    const QString other = first.w.s.sub(QStringLiteral("other"));
    const QString c = write_file(other, "c.h5", "c");
    QCOMPARE(first.second_start(first.w.s.path(), {QStringLiteral("other")}), 0);
    QCOMPARE(input_box(form)->text(), other);
    QCOMPARE(column_texts(list, 0), QStringList{c});
    QCOMPARE(ticked(form), QStringLiteral("1 file ticked"));
}

// Both are refused with the "already running" message (counted here; the
// program shows it in a box): a start without files, and one whose files
// cannot be handed over because the lock holder does not listen.
void SecondStart::a_second_start_without_files_or_listener_is_refused()
{
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    const QString lockPath = runtime.filePath(QStringLiteral("Vardane.lock"));
    single_instance holder(lockPath);
    QVERIFY(holder.acquire());
    instance_listener listener;
    QStringList arrived;
    QObject::connect(&listener, &instance_listener::pathsArrived, [&](const QStringList& p) { arrived << p; });
    QVERIFY(listener.listen(holder.channel_name()));

    single_instance second(lockPath);
    int told = 0;
    QCOMPARE(start_instance(second, {}, [&] { ++told; }), start_outcome::refused);
    QCOMPARE(told, 1);

    // The holder without a listener (a window that could not listen).
    QVERIFY(QFile::remove(holder.channel_name()));
    QCOMPARE(start_instance(
                 second, {QStringLiteral("/data/a.h5")}, [&] { ++told; }, 300),
             start_outcome::refused);
    QCOMPARE(told, 2);
    QVERIFY(arrived.isEmpty());

    // Once the holder is gone, the next start runs.
    holder.release();
    QCOMPARE(start_instance(second, {QStringLiteral("/data/a.h5")}, [&] { ++told; }), start_outcome::run);
    QCOMPARE(told, 2);
}

void SecondStart::a_message_in_pieces_arrives_whole_and_a_broken_one_not_at_all()
{
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    const QString name = runtime.filePath(QStringLiteral("Vardane.lock.socket"));
    // A socket left by a crashed window is in the way at first.
    QFile stale(name);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    instance_listener listener;
    QVERIFY(listener.listen(name));
    QList<QStringList> arrived;
    QObject::connect(&listener, &instance_listener::pathsArrived, [&](const QStringList& p) { arrived << p; });

    const QStringList paths{QStringLiteral("/data/ä b.h5"), QStringLiteral("/data/line\nbreak.h5")};
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << paths;

    // The sender stops half-way and goes: nothing arrives.
    {
        QLocalSocket broken;
        broken.connectToServer(name);
        QVERIFY(broken.waitForConnected(5000));
        broken.write(message.left(message.size() / 2));
        QVERIFY(broken.waitForBytesWritten(5000));
        QTest::qWait(50);
    }
    // The next one sends in two pieces and gets its answer once all is there.
    QLocalSocket sender;
    sender.connectToServer(name);
    QVERIFY(sender.waitForConnected(5000));
    sender.write(message.left(7));
    QVERIFY(sender.waitForBytesWritten(5000));
    QTest::qWait(50);
    QVERIFY(arrived.isEmpty());
    QCOMPARE(sender.bytesAvailable(), 0);
    sender.write(message.mid(7));
    QVERIFY(sender.waitForBytesWritten(5000));
    QTRY_COMPARE_WITH_TIMEOUT(arrived.size(), 1, 10000);
    QCOMPARE(arrived.first(), paths);
    QTRY_VERIFY_WITH_TIMEOUT(sender.bytesAvailable() > 0 || sender.waitForReadyRead(10), 10000);
    QCOMPARE(sender.read(1), QByteArray("+"));
}

// --version is answered from a shell on a machine without a display:
// no window, no lock, no platform plugin.
void SecondStart::version_is_printed_without_a_display()
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(env);
    program.start(kProgram, {QStringLiteral("--version")});
    QVERIFY(program.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY2(out.startsWith(QStringLiteral("vardane ")) && out.contains(QStringLiteral("\nGDAL ")), qPrintable(out));
}

} // namespace vardane

QTEST_MAIN(vardane::SecondStart)
#include "tst_second_start.moc"
