#pragma once
#include "core/Result.h"
#include "core/SystemCalls.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// The federation's files are named without regard to letter case ("National.TXT" may
// arrive as NATIONAL.TXT). Returns the path of the entry in `folder` named `name`, exactly
// if present, otherwise the first entry whose name differs only in letter case, otherwise
// `folder / name` (which then does not exist). `folder` is a folder named explicitly; an
// empty one names none.
std::filesystem::path FindFileNoCase(const std::filesystem::path& folder, std::string_view name);

// As FindFileNoCase, but the path names the entry as the folder spells it, also where the
// system itself ignores letter case (Windows finds "3104226.RED" for "3104226.red"): for a
// file sent under its own name.
std::filesystem::path FindFileAsSpelled(const std::filesystem::path& folder, std::string_view name);

// Whether a name exists in `folder` in any letter case.
bool FileExistsNoCase(const std::filesystem::path& folder, std::string_view name);

// The system calls the writers make, which a test may replace to make one of them fail
// (a full disk, a failed sync or rename) without needing a full disk.
struct FileWriteCalls {
    long (*Write)(os::File file, const void* data, std::size_t size);
    int (*Sync)(os::File file);
    int (*Rename)(const std::filesystem::path& from, const std::filesystem::path& to);
};
FileWriteCalls& WriterCalls();

// A file replaced safely. The new content goes to a temporary file with a unique name in
// the target's folder, created afresh (os::CreateNew: refused when anything is at the name,
// a link included, so a link planted in a shared folder redirects nothing); Commit() syncs
// it to disk and renames it over the target. Until then, and after any failure, the target stays as
// it was; the temporary file is removed unless committed.
class FileReplacement {
  public:
    explicit FileReplacement(std::filesystem::path target);
    // With a fixed name for the temporary file in the target's folder (the merge's
    // "Merge.$$$"): an earlier file of that name is removed, then it is created afresh as
    // above. A target of that very name gets a unique temporary name instead.
    FileReplacement(std::filesystem::path target, std::string temporaryName);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    Status Open();
    const std::filesystem::path& TemporaryPath() const { return temporary_; }
    // Appends bytes; all of them or the reason.
    Status Write(std::string_view bytes);
    // For content another library wrote to TemporaryPath() by name: it must still be the
    // file Open() created (not one put in its place), then it is synced and renamed.
    Status Commit();

  private:
    std::filesystem::path target_, temporary_;
    std::string fixedName_;
    os::File fd_ = os::kNoFile;
    bool committed_ = false;
};

// Replaces `path` with `bytes` through a FileReplacement.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Replaces `path` with `lines`, each ending in CR LF, through a temporary file in the same
// folder renamed over the old one, so a failure never leaves half a file: it leaves any old
// file as it was, removes the temporary file and says why in the system's words
// ("Permission denied", "No space left on device").
Status WriteLinesAtomically(const std::filesystem::path& path,
                            const std::vector<std::string>& lines);

// Appends `bytes` to `path` (created when absent) in one write and syncs it. A last line
// left without its line end is ended with CR LF first, so no line is joined to another. A
// write that stops part-way is cut back to the file's old end, and a file the append made
// is removed again, so a failure changes nothing; it says why in the system's words. A
// symbolic link or anything but a plain file of that name is refused rather than followed,
// and so is a read-only file.
Status AppendToFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace mpsec
