// One window per user: the lock file, a second instance, a crashed first one.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/window/single_instance.h"

namespace vardane {

class SingleInstance : public QObject {
    Q_OBJECT

private slots:
    void second_instance_of_the_program_exits_with_code_1();
};

// The real program holds the lock (named after it) while its window is open;
// a second start is refused; once the first dies without cleaning up, its
// lock is taken over; a holder lets the next one in when it releases.
void SingleInstance::second_instance_of_the_program_exits_with_code_1()
{
    const QString program = QStringLiteral(VARDANE_BUILD_DIR "/app/vardane");
    QVERIFY2(QFileInfo(program).isExecutable(), "the vardane executable is not built");

    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const QString lockPath = runtime.filePath("Vardane.lock");

    QProcess first;
    first.setProcessEnvironment(env);
    first.setWorkingDirectory(runtime.path());
    first.start(program, {});
    QVERIFY(first.waitForStarted());
    // The lock file is made first and its owner written into it after; a
    // kill in between would leave a lock that names no one.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(lockPath).size() > 0, 20000);

    single_instance second(lockPath);
    int told = 0;
    QCOMPARE(single_instance_exit_code(second, [&] { ++told; }), 1);
    QCOMPARE(told, 1);

    // A crash leaves the lock file behind; it no longer blocks anyone.
    first.kill();
    QVERIFY(first.waitForFinished());
    QVERIFY(QFileInfo::exists(lockPath));
    QCOMPARE(single_instance_exit_code(second, [] {}), 0);

    // The holder refuses a third until it releases the lock.
    single_instance third(lockPath);
    QCOMPARE(single_instance_exit_code(third, [&] { ++told; }), 1);
    QCOMPARE(told, 2);
    second.release();
    QCOMPARE(single_instance_exit_code(third, [&] { ++told; }), 0);
    QCOMPARE(told, 2);
}

} // namespace vardane

QTEST_GUILESS_MAIN(vardane::SingleInstance)
#include "tst_single_instance.moc"
