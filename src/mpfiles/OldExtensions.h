#pragma once
#include "core/Result.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>

namespace mpsec {

struct MPExtension {
    const char* OldExtension;
    const char* NewExtension;
};

// Old masterpoint file extensions and their new names, in type order (gold, red, green,
// gold and red, red and green).
inline constexpr std::array<MPExtension, 5> kMPExtensions{
    {{".MP1", ".gld"}, {".MP2", ".red"}, {".MP3", ".grn"}, {".MP4", ".gar"}, {".MP5", ".rag"}}};

// "QMR Master Point Files|*.gld;*.red;*.grn;*.gar;*.rag"
std::string MPFileFilter();

// Renames, in `folder`, every entry (files and folders alike) whose extension is row
// `index`'s old extension in any letter case to the row's new extension. An entry whose
// new name is taken keeps its old name; a rename the file system refuses is said, one line
// for each ("Cannot rename A.MP1 to A.gld: Operation not permitted."), and the others go on.
Status ConvertOldMPFileExtensions(const std::filesystem::path& folder, int index);

// All five rows in turn; the refused renames of all of them.
Status CheckAndConvertMPFiles(const std::filesystem::path& folder);

// Whether `folder` holds an entry matching "*.mp?" in any letter case.
bool FolderHasOldMPFiles(const std::filesystem::path& folder);

// The masterpoint view's folder check: when old names are present and the warning is on,
// `askWarning` is asked (true = Yes) and No stops; otherwise the folder is converted
// inside `busy`; renames refused are handed to `sayFailure`. Returns whether the conversion
// ran.
bool ViewerFolderCheck(const std::filesystem::path& folder, bool showWarning,
                       const std::function<bool()>& askWarning,
                       const std::function<void(const std::function<void()>&)>& busy,
                       const std::function<void(const std::string&)>& sayFailure = {});

// The merge's folder check: old names present means the question `askRename` (true =
// Yes); No stops. Renames refused are handed to `sayFailure`. Returns whether the
// conversion ran.
bool MergeFolderCheck(const std::filesystem::path& folder, const std::function<bool()>& askRename,
                      const std::function<void(const std::string&)>& sayFailure = {});

inline constexpr const char* kMergeRenameQuestion =
    "QMRScorer has found .mp? files in this folder. If you are sure that they are masterpoint "
    "files (not your son's latest music files) then click Yes to rename them or No to cancel";

} // namespace mpsec
