#include "app/window/file_row.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

QString format_mib(qint64 bytes)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const double mib = static_cast<double>(bytes) / 1024.0 / 1024.0;
    return locale.toString(mib, 'f', 2) + QStringLiteral(" MiB");
}

file_row make_file_row(const QString& path)
{
    const QFileInfo info(path);
    const QLocale locale = QLocale::system();
    return file_row{
        path,
        info.fileName(),
        locale.toString(info.lastModified().date(), QLocale::ShortFormat),
        format_mib(info.size()),
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
