#pragma once
#include "core/Result.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace mpsec {

// The record of the statements the server accepted, in the data folder: one line a
// message, "date time<TAB>club<TAB>year<TAB>number<TAB>address<TAB>server's reply", each
// appended and synced to disk as soon as the server accepted it.
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

  private:
    std::filesystem::path path_;
};

} // namespace mpsec
