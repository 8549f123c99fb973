#include "app/window/folder_text.h"

#include <QDir>

namespace vardane {

namespace {

bool is_separator(QChar c) { return c == u'/' || c == u'\\'; }

QString trim_blanks(const QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin] == u' ') ++begin;
    while (end > begin && s[end - 1] == u' ') --end;
    return s.mid(begin, end - begin);
}

} // namespace

QString clean_folder_text(const QString& typed)
{
    const QString trimmed = trim_blanks(typed);
    QString text = trimmed;
    while (!text.isEmpty() && is_separator(text.back())) text.chop(1);
    if (text.isEmpty() && !trimmed.isEmpty()) return QStringLiteral("/"); // the root folder
    if (text.size() == 2 && text[1] == u':') text += u'\\';               // a bare drive names its root
    return text;
}

QString expand_home(const QString& folder)
{
    if (folder == QLatin1String("~")) return QDir::homePath();
    if (folder.startsWith(QLatin1String("~/"))) return QDir::homePath() + folder.mid(1);
    return folder;
}

} // namespace vardane
