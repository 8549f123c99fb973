#pragma once

#include <QString>

namespace vardane {

// Renaming a file listed in the output list, after the user edited its name.
struct rename_result {
    enum class outcome {
        keep_old_name, // nothing renamed; the cell shows the old name again
        unchanged,     // the new name is the old one
        file_gone,     // the listed file no longer exists; drop the row
        name_taken,    // a file of the new name exists; old name restored
        renamed,       // done; newPath is the file's path now
    };
    outcome result = outcome::keep_old_name;
    QString oldName;
    QString newName;
    QString newPath;
    // The log line for the outcome ("" when nothing is logged).
    QString message() const;
};

// Rename the file oldPath to newName inside the same folder. A name that is
// blank, or that would leave the folder (it holds a separator, or is "." or
// ".."), renames nothing.
rename_result rename_output_file(const QString& oldPath, const QString& newName);

} // namespace vardane
