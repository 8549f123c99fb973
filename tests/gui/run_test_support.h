#pragma once

// Helpers for window tests that run conversions: synthetic products, the
// buttons, and waiting for a run to end.
#include <QFileInfo>

#include "gui_test_support.h"
#include "synth_registry.h"

namespace vardane {

namespace gui_test {

inline const QString kCompletedLine = QStringLiteral("Completed.");

// Write a synthetic product of a kind with small default sizes (real ones
// when `full`).
inline QString write_product(const QString& folder, const QString& name, const char* kind, bool full = false)
{
    const QString path = QDir(folder).filePath(name);
    for (const synth_kind& k : all_synth_kinds()) {
        if (k.name == kind) {
            synth_options options;
            options.full = full;
            if (!k.write(QFile::encodeName(path).toStdString(), options)) qFatal("synthetic %s failed", kind);
            return path;
        }
    }
    qFatal("no synthetic kind %s", kind);
    return {};
}

// A product cut in half: recognised by its name, refused by the library.
inline QString write_damaged_product(const QString& folder, const QString& name)
{
    const QString path = write_product(folder, name, "GSMAP_HOURLY");
    if (!QFile::resize(path, QFileInfo(path).size() / 2)) qFatal("cannot cut %s", qPrintable(path));
    return path;
}

inline void press(MainForm& form, const char* button)
{
    QTest::mouseClick(control<QPushButton>(form, button), Qt::LeftButton);
}

// Wait until the run has ended and the window is idle again: the window
// is idle only once every line and event of the run has reached it (a
// cancelled run does not end "Completed.").
inline bool wait_for_idle(MainForm& form)
{
    return QTest::qWaitFor([&] { return !form.run_active(); }, 180000);
}

} // namespace gui_test

} // namespace vardane
