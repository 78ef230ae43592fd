#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace mpsec::test {

// A fresh folder per test, removed afterwards. With `enter`, it is also the current
// folder while the object lives (the program works in the current folder).
class TempFolder {
  public:
    explicit TempFolder(bool enter = false);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // `name` in UTF-8, as the tests write it.
    std::filesystem::path operator/(const std::string& name) const;

    // Writes bytes as they are.
    void Write(const std::string& name, const std::string& bytes) const;
    // Writes lines each ending in CR LF.
    void WriteLines(const std::string& name, const std::vector<std::string>& lines) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Names of the entries, sorted.
    std::vector<std::string> Names() const;

  private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
    bool entered_ = false;
};

} // namespace mpsec::test
