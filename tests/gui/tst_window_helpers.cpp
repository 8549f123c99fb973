// Folder texts, sizes and renames: the rules under the window's controls.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/window/file_row.h"
#include "app/window/folder_text.h"
#include "app/window/output_rename.h"

namespace vardane {

class WindowHelpers : public QObject {
    Q_OBJECT

private slots:
    void folder_text_is_cleaned();
    void sizes_in_the_unit_that_fits();
    void rename_outcomes();
};

void WindowHelpers::folder_text_is_cleaned()
{
    QCOMPARE(clean_folder_text("  /data/in/  "), QStringLiteral("/data/in"));
    QCOMPARE(clean_folder_text("/data/in///"), QStringLiteral("/data/in"));
    QCOMPARE(clean_folder_text("C:\\data\\"), QStringLiteral("C:\\data"));
    // Roots keep naming the root.
    QCOMPARE(clean_folder_text("/"), QStringLiteral("/"));
    QCOMPARE(clean_folder_text(" // "), QStringLiteral("/"));
    QCOMPARE(clean_folder_text("D:"), QStringLiteral("D:\\"));
    QCOMPARE(clean_folder_text("D:\\"), QStringLiteral("D:\\"));
    QCOMPARE(clean_folder_text("   "), QString());
    // Only blanks are trimmed; a tab is part of the name.
    QCOMPARE(clean_folder_text("\tx"), QStringLiteral("\tx"));
}

void WindowHelpers::sizes_in_the_unit_that_fits()
{
    QCOMPARE(format_size(6), QStringLiteral("6 B"));
    QCOMPARE(format_size(1023), QStringLiteral("1023 B"));
    QCOMPARE(format_size(qint64{7} * 512), QStringLiteral("3.50 KiB"));
    QCOMPARE(format_size(qint64{1024} * 1024), QStringLiteral("1.00 MiB"));
    QCOMPARE(format_size(qint64{15} * 1024 * 1024 / 2), QStringLiteral("7.50 MiB"));
    // Beyond 4 GiB, no wrap-around and no group separator.
    QCOMPARE(format_size(qint64(5) * 1024 * 1024 * 1024), QStringLiteral("5120.00 MiB"));
}

void WindowHelpers::rename_outcomes()
{
    QTemporaryDir dir;
    auto make = [&](const char* name) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(name);
    };
    make("a.tif");
    make("b.tif");
    using outcome = rename_result::outcome;

    rename_result r = rename_output_file(dir.filePath("a.tif"), "b.tif");
    QCOMPARE(r.result, outcome::name_taken);

    r = rename_output_file(dir.filePath("a.tif"), "a.tif");
    QCOMPARE(r.result, outcome::unchanged);
    QVERIFY(r.message().isEmpty());

    for (const char* bad : {"", "  ", "sub/x.tif", "..", ".", "..\\x"}) {
        r = rename_output_file(dir.filePath("a.tif"), bad);
        QCOMPARE(r.result, outcome::keep_old_name);
        QCOMPARE(r.oldName, QStringLiteral("a.tif"));
    }

    r = rename_output_file(dir.filePath("gone.tif"), "x.tif");
    QCOMPARE(r.result, outcome::file_gone);

    r = rename_output_file(dir.filePath("a.tif"), " c.tif");
    QCOMPARE(r.result, outcome::renamed);
    QCOMPARE(r.newPath, dir.filePath(" c.tif"));
    QCOMPARE(r.message(), QStringLiteral("Filename( c.tif) is successfully changed."));
    QFile moved(r.newPath);
    QVERIFY(moved.open(QIODevice::ReadOnly));
    QCOMPARE(moved.readAll(), QByteArray("a.tif"));
}

} // namespace vardane

QTEST_GUILESS_MAIN(vardane::WindowHelpers)
#include "tst_window_helpers.moc"
