#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace vardane {

// The four visible facts of a file as both lists show them.
struct file_row {
    QString fullpath;
    QString name;
    QString date; // last write, the locale's short date and time
    QString size; // "512 B", "3.50 KiB", "12.34 MiB"
};

file_row make_file_row(const QString& path);

// Bytes in the unit that fits: whole bytes below 1 KiB, else kibibytes
// below 1 MiB, else mebibytes, with two decimals ("3.50 KiB", "7.50 MiB").
QString format_size(qint64 bytes);

// Full paths of the files directly inside a folder (no sub-folders), sorted
// by name so that "the first file" means the same on every file system.
QStringList files_in_folder(const QString& folder);

} // namespace vardane
