// Rules of the source tree that the compiler does not check: which folder may use what.
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct SourceFile {
    fs::path Path;
    std::string Folder; // the folder below src/, e.g. "core"
    std::string Text;
};

std::vector<SourceFile> Sources() {
    std::vector<SourceFile> files;
    const fs::path src = fs::path(MPSEC_SOURCE_DIR) / "src";
    for (const auto& e : fs::recursive_directory_iterator(src)) {
        const std::string ext = e.path().extension().string();
        if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h"))
            continue;
        std::ifstream in(e.path());
        std::stringstream ss;
        ss << in.rdbuf();
        files.push_back({e.path(), fs::relative(e.path(), src).begin()->string(), ss.str()});
    }
    return files;
}

} // namespace

TEST(SourceRules, EachFolderUsesOnlyWhatItMay) {
    struct Rule {
        const char* what;
        std::regex forbidden;
        std::function<bool(const SourceFile&)> applies;
    } rules[] = {
        // Every text a user sees passes through the seam that tests script.
        {"the desktop's own boxes outside platform/",
         std::regex(R"(\bQMessageBox\b|\bQFileDialog\b|\bQPrintDialog\b|QApplication::beep)"),
         [](const SourceFile& f) { return f.Folder != "platform"; }},
        {"core/ including anything above it", std::regex(R"(#include "(?!core/)[a-z]+/)"),
         [](const SourceFile& f) { return f.Folder == "core"; }},
        {"app/ included from below it", std::regex(R"(#include "app/)"),
         [](const SourceFile& f) { return f.Folder != "app"; }},
        {"GoogleTest in the program", std::regex(R"(gtest|gmock)"),
         [](const SourceFile&) { return true; }},
        // setMaxLength also cuts text the program sets (a seven-digit number shown as six
        // digits): boxes limit typing through the shared helper instead.
        {"QLineEdit::setMaxLength outside the shared helper", std::regex(R"(setMaxLength\()"),
         [](const SourceFile& f) { return f.Path.filename() != "Widgets.cpp"; }},
        // A Status or Result says what failed; casting a call's result away swallows it (a
        // register or file that could not be read taken for none).
        {"a call's result cast away with (void)",
         std::regex(
             R"(\(void\)\s*[A-Za-z_][\w:.>\-]*\s*\(|static_cast<void>\s*\(\s*[A-Za-z_][\w:.>\-]*\s*\(|std::ignore\s*=)"),
         [](const SourceFile&) { return true; }},
    };
    const std::vector<SourceFile> files = Sources();
    EXPECT_GT(files.size(), 50u);
    for (const Rule& rule : rules) {
        for (const SourceFile& f : files) {
            if (rule.applies(f)) {
                EXPECT_FALSE(std::regex_search(f.Text, rule.forbidden))
                    << rule.what << ": " << f.Path.string();
            }
        }
    }
}
