#pragma once
#include "core/Result.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mpsec {

// A file sent to the federation as the log keeps it: its name, size and SHA-256 digest.
struct LoggedFile {
    std::string Name;
    std::uint64_t Size = 0;
    std::string Sha256;
    bool operator==(const LoggedFile&) const = default;
};

// Now as the send log keeps it, "YYYY-MM-DD HH:MM:SS" in local time.
std::string SendLogTimeNow();

// One message of files the federation's server accepted.
struct FederationRecord {
    std::string When, Kind, Address;
    std::vector<LoggedFile> Files;
};

// The record of the messages the server accepted, in the data folder: one line a message,
// each appended and synced to disk as soon as the server accepted it. A statement's line is
// "date time<TAB>club<TAB>year<TAB>number<TAB>address<TAB>server's reply"; a message of
// files to the federation's is "date time<TAB>federation<TAB>kind<TAB>address<TAB>server's
// reply" followed by "<TAB>name<TAB>size<TAB>SHA-256" for each file. Each reader passes over
// the other's lines.
class SendLog {
  public:
    static constexpr const char* FileName = "EMAILLOG.TXT";

    explicit SendLog(std::filesystem::path path) : path_(std::move(path)) {}
    const std::filesystem::path& Path() const { return path_; }

    // The addresses each member of the club was sent the year's statement at (the last one
    // when he was sent it more than once). No log yet: none.
    Result<std::map<std::string, std::string>> SentTo(std::string_view club,
                                                      std::string_view year) const;
    // Appends one message's line; `when` is "YYYY-MM-DD HH:MM:SS".
    Status Record(const std::string& when, std::string_view club, std::string_view year,
                  std::string_view number, std::string_view address, std::string_view reply) const;

    // The messages of files of `kind` sent to the federation, oldest first. No log yet: none.
    Result<std::vector<FederationRecord>> FederationSent(std::string_view kind) const;
    Status RecordFederation(const std::string& when, std::string_view kind,
                            std::string_view address, std::string_view reply,
                            const std::vector<LoggedFile>& files) const;

  private:
    // Every line's fields; no log yet: none.
    Result<std::vector<std::vector<std::string>>> Lines() const;
    Status Append(const std::string& line) const;

    std::filesystem::path path_;
};

} // namespace mpsec
