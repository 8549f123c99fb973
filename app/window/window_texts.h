#pragma once

namespace vardane {

// Texts the window shows, word for word (their spelling is the program's own
// and users and scripts compare against it).
namespace window_text {

inline constexpr char kTitle[] = "Vardane";
inline constexpr char kAlreadyRunning[] = "Vardane is already running.";
inline constexpr char kStartHint[] = "It is displayed at run time progress, error, etc.";

inline constexpr char kChooseInput[] = "Select folder for satellite product data.";
inline constexpr char kChooseOutput[] = "Select folder for output files.";

inline constexpr char kNoFilesInput[] = "There is no-files in selected folder.";
inline constexpr char kNoFilesOutput[] = "There is no-files in Output folder.";

// Two spellings on purpose: the drop handler and the run button have always
// said it differently.
inline constexpr char kOutputMissingOnDrop[] = "Output folder is NOT exits.";
inline constexpr char kOutputMissingOnRun[] = "Output folder is NOT exists.";
inline constexpr char kNoInputSelected[] = "Input file is not selected.";
inline constexpr char kCancelRequested[] = "Cancel-action will be invoked.";

inline constexpr char kHelpFile[] = "vdnhelp.chm";
inline constexpr char kHelpMissing[] = "Help-file is not exits.";
inline constexpr char kHelpMissingCaption[] = "Error!";

inline constexpr char kWorkDirPrefix[] = "work-";

// The window's own texts (not fixed by its history).
// %1: what ("the manual", "the file"), %2: its path.
inline constexpr char kCannotOpen[] =
    "Vardane could not open %1:\n\n%2\n\n"
    "Opening files from the window needs the desktop's opener, xdg-open (package xdg-utils), "
    "and a web browser or another application for the file. Open it by hand from the path above.";
inline constexpr char kSaveLogTitle[] = "Save the log";
inline constexpr char kSaveLogFailed[] = "The log could not be saved to %1:\n%2";
inline constexpr char kSaveLogName[] = "vardane-log.txt";

} // namespace window_text

} // namespace vardane
