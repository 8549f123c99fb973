// One window per user: the lock file, a second instance, a crashed first one.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/window/single_instance.h"

class SingleInstance : public QObject {
    Q_OBJECT

private slots:
    void default_lock_is_named_after_the_program();
    void second_holder_is_refused_until_release();
    void second_instance_of_the_program_exits_with_code_1();
};

void SingleInstance::default_lock_is_named_after_the_program()
{
    QCOMPARE(QFileInfo(single_instance::default_lock_path()).fileName(), QStringLiteral("Vardane.lock"));
}

void SingleInstance::second_holder_is_refused_until_release()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Vardane.lock");
    single_instance first(path);
    single_instance second(path);
    QVERIFY(first.acquire());

    int told = 0;
    QCOMPARE(single_instance_exit_code(second, [&] { ++told; }), 1);
    QCOMPARE(told, 1);

    first.release();
    QCOMPARE(single_instance_exit_code(second, [&] { ++told; }), 0);
    QCOMPARE(told, 1);
}

// The real program holds the lock while its window is open; a second start
// is refused; once the first dies without cleaning up, its lock is taken over.
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
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(lockPath), 20000);

    single_instance second(lockPath);
    int told = 0;
    QCOMPARE(single_instance_exit_code(second, [&] { ++told; }), 1);
    QCOMPARE(told, 1);

    // A crash leaves the lock file behind; it no longer blocks anyone.
    first.kill();
    QVERIFY(first.waitForFinished());
    QVERIFY(QFileInfo::exists(lockPath));
    QCOMPARE(single_instance_exit_code(second, [] {}), 0);
}

QTEST_GUILESS_MAIN(SingleInstance)
#include "tst_single_instance.moc"
