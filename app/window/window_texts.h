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

} // namespace window_text

} // namespace vardane
