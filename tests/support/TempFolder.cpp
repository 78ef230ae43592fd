#include "support/TempFolder.h"

#include "core/TextHelpers.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace mpsec::test {

TempFolder::TempFolder(bool enter) {
#if defined(_WIN32)
    // No mkdtemp: a random name, made only when nothing has it.
    std::random_device random;
    for (;;) {
        path_ = fs::temp_directory_path() / ("mpsec-test-" + std::to_string(random()));
        if (fs::create_directory(path_))
            break;
    }
#else
    std::string pattern = (fs::temp_directory_path() / "mpsec-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
#endif
    if (enter) {
        previous_ = fs::current_path();
        fs::current_path(path_);
        entered_ = true;
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (entered_)
        fs::current_path(previous_, ec);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

fs::path TempFolder::operator/(const std::string& name) const {
    return path_ / PathFromText(name);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
    fs::create_directories((*this / name).parent_path());
    std::ofstream(*this / name, std::ios::binary) << bytes;
}

void TempFolder::WriteLines(const std::string& name, const std::vector<std::string>& lines) const {
    std::string bytes;
    for (const auto& l : lines)
        bytes += l + "\r\n";
    Write(name, bytes);
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(*this / name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool TempFolder::Exists(const std::string& name) const {
    return fs::exists(*this / name);
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path_))
        names.push_back(PathText(e.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace mpsec::test
