#pragma once

#include <QString>

namespace vardane {

// A folder name as typed into a folder box, made ready to test: blanks cut at
// both ends, trailing separators removed. A bare root keeps its separator
// ("/" stays "/", "C:\" and "C:" become "C:\") so that it still names the
// root rather than nothing.
QString clean_folder_text(const QString& typed);

// "~" and "~/..." as the user's home folder and a folder in it, as the
// shell reads them; other texts unchanged.
QString expand_home(const QString& folder);

} // namespace vardane
