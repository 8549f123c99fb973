#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The four visible facts of a file as both lists show them.
struct file_row {
    QString fullpath;
    QString name;
    QString date; // last write, the system's short date format
    QString size; // "12.34 MiB"
};

file_row make_file_row(const QString& path);

// Bytes as mebibytes with two decimals and the unit, "0.05 MiB".
QString format_mib(qint64 bytes);

// Full paths of the files directly inside a folder (no sub-folders), sorted
// by name so that "the first file" means the same on every file system.
QStringList files_in_folder(const QString& folder);
