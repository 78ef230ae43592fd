// Only the platform layer may open the desktop's own boxes, so that every text a user sees
// passes through the seam that tests script.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

TEST(Seam, OnlyThePlatformLayerCallsTheDesktopDirectly) {
    const char* root = MPSEC_SOURCE_DIR;
    const std::regex forbidden(
        R"(\bQMessageBox\b|\bQFileDialog\b|\bQPrintDialog\b|QApplication::beep)");
    std::vector<std::string> offenders;
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(fs::path(root) / "src")) {
        const std::string ext = e.path().extension().string();
        if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h"))
            continue;
        ++files;
        if (e.path().parent_path().filename() == "platform")
            continue;
        std::ifstream in(e.path());
        std::stringstream ss;
        ss << in.rdbuf();
        if (std::regex_search(ss.str(), forbidden))
            offenders.push_back(e.path().string());
    }
    EXPECT_GT(files, 10);
    EXPECT_TRUE(offenders.empty()) << offenders.front();
}

// QLineEdit::setMaxLength also cuts text the program sets (a seven-digit number shown as six
// digits): boxes limit typing through the shared helper instead.
TEST(Seam, NoBoxCutsTheTextTheProgramSets) {
    std::vector<std::string> offenders;
    for (const auto& e : fs::recursive_directory_iterator(fs::path(MPSEC_SOURCE_DIR) / "src")) {
        if (!e.is_regular_file() || e.path().filename() == "Widgets.cpp")
            continue;
        std::ifstream in(e.path());
        std::stringstream ss;
        ss << in.rdbuf();
        if (ss.str().find("setMaxLength(") != std::string::npos)
            offenders.push_back(e.path().string());
    }
    EXPECT_TRUE(offenders.empty()) << offenders.front();
}
