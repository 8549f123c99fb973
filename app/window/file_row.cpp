#include "app/window/file_row.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace vardane {

QString format_size(qint64 bytes)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    constexpr qint64 kKiB = 1024;
    if (bytes < kKiB) return locale.toString(bytes) + QStringLiteral(" B");
    const bool kib = bytes < kKiB * kKiB;
    const double value = static_cast<double>(bytes) / static_cast<double>(kib ? kKiB : kKiB * kKiB);
    return locale.toString(value, 'f', 2) + (kib ? QStringLiteral(" KiB") : QStringLiteral(" MiB"));
}

file_row make_file_row(const QString& path)
{
    const QFileInfo info(path);
    const QLocale locale = QLocale::system();
    return file_row{
        path,
        info.fileName(),
        // Hourly products of one day differ only by the hour.
        locale.toString(info.lastModified(), QLocale::ShortFormat),
        format_size(info.size()),
    };
}

QStringList files_in_folder(const QString& folder)
{
    const QDir dir(folder);
    QStringList paths;
    const auto entries = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    paths.reserve(entries.size());
    for (const QFileInfo& entry : entries) paths << entry.absoluteFilePath();
    return paths;
}

} // namespace vardane
