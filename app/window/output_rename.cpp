#include "app/window/output_rename.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vardane {

namespace {

bool is_blank(const QString& s)
{
    for (QChar c : s) {
        if (c != u' ') return false;
    }
    return true;
}

// A name that would move the file out of its folder, or onto the folder.
bool leaves_folder(const QString& name)
{
    return name.contains(u'/') || name.contains(u'\\') || name == u"." || name == u"..";
}

} // namespace

QString rename_result::message() const
{
    switch (result) {
    case outcome::file_gone: return QStringLiteral("Filename(%1) is Not exists.").arg(oldName);
    case outcome::name_taken: return QStringLiteral("Filename(%1) is already exists.").arg(newName);
    case outcome::renamed: return QStringLiteral("Filename(%1) is successfully changed.").arg(newName);
    case outcome::keep_old_name:
    case outcome::unchanged: break;
    }
    return {};
}

rename_result rename_output_file(const QString& oldPath, const QString& newName)
{
    const QFileInfo oldInfo(oldPath);
    rename_result r;
    r.oldName = oldInfo.fileName();
    r.newName = newName;
    if (is_blank(newName) || leaves_folder(newName)) return r;

    r.newPath = oldInfo.path() + QDir::separator() + newName;
    if (newName == r.oldName) {
        r.result = rename_result::outcome::unchanged;
        return r;
    }
    if (!QFileInfo::exists(oldPath)) {
        r.result = rename_result::outcome::file_gone;
        return r;
    }
    if (QFileInfo::exists(r.newPath)) {
        r.result = rename_result::outcome::name_taken;
        return r;
    }
    QFile::rename(oldPath, r.newPath);
    // A failed rename (no permission, file vanished) leaves the old name in
    // place, so the list must show it again.
    r.result = QFileInfo::exists(r.newPath) ? rename_result::outcome::renamed : rename_result::outcome::keep_old_name;
    return r;
}

} // namespace vardane
