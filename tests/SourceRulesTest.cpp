// Rules of the source tree that the compiler does not check: which folder may use what.
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
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
         std::regex(
             R"(\bQMessageBox\b|\bQFileDialog\b|\bQPrintDialog\b|\bQDesktopServices\b|QApplication::beep)"),
         [](const SourceFile& f) { return f.Folder != "platform"; }},
        {"core/ including anything above it", std::regex(R"(#include "(?!core/)[a-z]+/)"),
         [](const SourceFile& f) { return f.Folder == "core"; }},
        {"app/ included from below it", std::regex(R"(#include "app/)"),
         [](const SourceFile& f) { return f.Folder != "app"; }},
        {"GoogleTest in the program", std::regex(R"(gtest|gmock)"),
         [](const SourceFile&) { return true; }},
        // The operating system is reached through one seam, so the program builds and
        // behaves the same on Linux and Windows.
        {"a system header outside core/SystemCalls",
         std::regex(
             R"(#include\s*<(unistd|fcntl|dirent|pwd|termios|malloc|signal|csignal|windows|shellapi|io)\.?h?>|#include\s*<sys/)"),
         [](const SourceFile& f) {
             return f.Path.filename().string().rfind("SystemCalls", 0) != 0;
         }},
        // Changing the disk or asking the process's surroundings goes through the seam too,
        // even where the standard library or Qt offers it without a system header.
        {"a system call outside core/SystemCalls",
         std::regex(
             R"((^|[^.>:\w]|std::)(remove|rename|system|getenv|_wgetenv|setenv|tmpnam|tmpfile)\(|\b(fs|filesystem)::(remove|remove_all|rename|copy|copy_file|create_directory|create_directories|permissions|resize_file|current_path|create_symlink)\s*\(|Q(File|Dir)::(remove|rename|mkpath|mkdir|removeRecursively))"),
         [](const SourceFile& f) {
             return f.Path.filename().string().rfind("SystemCalls", 0) != 0;
         }},
        // setMaxLength also cuts text the program sets (a seven-digit number shown as six
        // digits): boxes limit typing through the shared helper instead.
        {"QLineEdit::setMaxLength outside the shared helper", std::regex(R"(setMaxLength\()"),
         [](const SourceFile& f) { return f.Path.filename() != "TypedKeys.cpp"; }},
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

// A path made straight from a std::string takes the text in the ANSI code page on Windows
// (Données becomes DonnÃ©es there): text becomes a path only through PathFromText. The
// compiler takes such a conversion silently, so the forms that write one are refused: a
// path constructed from anything but a literal, and a path or `/` given a name the file (or
// its header) declares as a std::string.
TEST(SourceRules, TextBecomesAPathOnlyThroughPathFromText) {
    const std::vector<SourceFile> files = Sources();
    std::map<std::string, std::string> texts; // by path without extension: .h and .cpp together
    for (const SourceFile& f : files)
        texts[(f.Path.parent_path() / f.Path.stem()).string()] += f.Text;
    const std::regex construction(R"((\bfs|std::filesystem)::path\s*[({]\s*[^)}"\s])");
    const std::regex u8path(R"(\bu8path\b)");
    const std::regex stringName(
        R"((?:std::string|std::string_view)\s*(?:const\s*)?&?\s+(\w+)\s*(?:[;,)=({]|$))");
    int names = 0;
    for (const SourceFile& f : files) {
        if (f.Path.filename() == "TextHelpers.cpp")
            continue;
        EXPECT_FALSE(std::regex_search(f.Text, construction))
            << f.Path.string() << " makes a path from text other than through PathFromText";
        EXPECT_FALSE(std::regex_search(f.Text, u8path)) << f.Path.string();
        const std::string& both = texts[(f.Path.parent_path() / f.Path.stem()).string()];
        std::set<std::string> declared;
        for (std::sregex_iterator i(both.begin(), both.end(), stringName), end; i != end; ++i)
            declared.insert((*i)[1]);
        names += static_cast<int>(declared.size());
        for (const std::string& name : declared) {
            // `folder / name`, `path x = name;`, `path x(name)`.
            const std::regex use(R"((?:[^/*]/\s*|::path\s+\w+\s*[=({]\s*)(?:\w+(?:\.|->))*)" +
                                 name + R"(\s*(?:[;,)}]|$|\s/))");
            std::smatch found;
            EXPECT_FALSE(std::regex_search(f.Text, found, use))
                << f.Path.string() << " makes a path of the std::string " << name << ": "
                << found.str();
        }
    }
    EXPECT_GT(names, 100); // the declarations are found at all
}

namespace {

// Whether a file is on the Qt side (a window, the print layer's drawing, the platform): it
// includes a Qt header, or a file of the program that does. The rest are model files.
std::map<std::string, bool> QtSide(const std::vector<SourceFile>& files) {
    const std::regex include(R"re(#include "([^"]+)")re");
    const std::regex qtHeader(R"(#include <Q)");
    std::map<std::string, std::vector<std::string>> includes;
    std::map<std::string, bool> qt;
    const fs::path src = fs::path(MPSEC_SOURCE_DIR) / "src";
    for (const SourceFile& f : files) {
        const std::string name = fs::relative(f.Path, src).generic_string();
        qt[name] = std::regex_search(f.Text, qtHeader);
        for (std::sregex_iterator i(f.Text.begin(), f.Text.end(), include), end; i != end; ++i)
            includes[name].push_back((*i)[1]);
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (auto& [name, isQt] : qt)
            for (const std::string& target : includes[name])
                if (!isQt && qt.count(target) && qt[target])
                    isQt = changed = true;
    }
    return qt;
}

} // namespace

// The layers, from the includes: core, the register, the subsystems' model files, then the
// platform and the print layer's drawing, the shared window pieces, the windows, and the
// program's start above all; the commands use model files only.
TEST(SourceRules, EveryIncludeFollowsTheLayers) {
    const std::vector<SourceFile> files = Sources();
    const std::map<std::string, bool> qt = QtSide(files);
    // The folders whose Qt-side files are windows (print's Qt side draws pages).
    const std::set<std::string> windowFolders = {"enquiries",  "mpfiles", "submissions",
                                                 "statements", "email",   "help"};
    auto folderOf = [](const std::string& name) { return name.substr(0, name.find('/')); };
    // Whether a file of `from` may include `to` (both "folder/File.h").
    auto allowed = [&](const std::string& from, const std::string& to) -> std::string {
        const std::string a = folderOf(from), b = folderOf(to);
        const bool fromQt = qt.at(from), toQt = qt.count(to) && qt.at(to);
        if (a == "core" && b != "core")
            return "core/ includes only core/";
        if (a == "register" && b != "core" && b != "register")
            return "register/ includes only core/ and register/";
        if (b == "app" && a != "app")
            return "only app/ includes app/";
        if (b == "cli" && a != "cli" && a != "app")
            return "only app/ includes cli/";
        if ((a == "cli" || !fromQt) && (toQt || b == "platform" || b == "ui"))
            return "model files and commands include model files only";
        if ((a == "platform" || a == "print") && b == "ui")
            return "the platform and the print layer include no window piece";
        if (a == "print" && b == "platform")
            return "the print layer draws without the platform";
        if ((a == "platform" || a == "print" || a == "ui") && windowFolders.count(b) && toQt)
            return "no window below the windows";
        if (windowFolders.count(a) && windowFolders.count(b) && a != b && fromQt && toQt)
            return "a window includes no other subsystem's window (the main window opens them)";
        return {};
    };
    const fs::path src = fs::path(MPSEC_SOURCE_DIR) / "src";
    const std::regex include(R"re(#include "([^"]+)")re");
    for (const SourceFile& f : files) {
        const std::string from = fs::relative(f.Path, src).generic_string();
        for (std::sregex_iterator i(f.Text.begin(), f.Text.end(), include), end; i != end; ++i) {
            const std::string to = (*i)[1];
            const std::string broken = allowed(from, to);
            EXPECT_EQ(broken, "") << from << " includes " << to;
        }
    }
}

// The subsystems' model files build on one another in one direction only: no two
// subsystems include each other's model files, directly or through a third.
TEST(SourceRules, SubsystemModelsIncludeEachOtherWithoutCycles) {
    const std::vector<SourceFile> files = Sources();
    const std::map<std::string, bool> qt = QtSide(files);
    const std::set<std::string> subsystems = {"enquiries",  "mpfiles", "submissions",
                                              "statements", "email",   "federation",
                                              "help",       "print"};
    const fs::path src = fs::path(MPSEC_SOURCE_DIR) / "src";
    const std::regex include(R"re(#include "([^"]+)")re");
    std::map<std::string, std::set<std::string>> uses; // folder -> folders, with an example
    std::map<std::pair<std::string, std::string>, std::string> example;
    for (const SourceFile& f : files) {
        const std::string from = fs::relative(f.Path, src).generic_string();
        if (!subsystems.count(f.Folder) || qt.at(from))
            continue;
        for (std::sregex_iterator i(f.Text.begin(), f.Text.end(), include), end; i != end; ++i) {
            const std::string to = (*i)[1];
            const std::string folder = to.substr(0, to.find('/'));
            if (folder != f.Folder && subsystems.count(folder) && !(qt.count(to) && qt.at(to))) {
                uses[f.Folder].insert(folder);
                example[{f.Folder, folder}] = from + " includes " + to;
            }
        }
    }
    // A folder reaching itself again is a cycle.
    for (const auto& [start, next] : uses) {
        std::vector<std::vector<std::string>> paths;
        for (const std::string& n : next)
            paths.push_back({start, n});
        std::set<std::string> seen;
        while (!paths.empty()) {
            std::vector<std::string> path = paths.back();
            paths.pop_back();
            const std::string last = path.back();
            if (last == start) {
                std::string steps;
                for (std::size_t k = 0; k + 1 < path.size(); ++k)
                    steps += "\n  " + example[{path[k], path[k + 1]}];
                ADD_FAILURE() << "the model files of " << start << " reach themselves:" << steps;
                break;
            }
            if (!seen.insert(last).second)
                continue;
            const auto further = uses.find(last);
            if (further == uses.end())
                continue;
            for (const std::string& n : further->second) {
                path.push_back(n);
                paths.push_back(path);
                path.pop_back();
            }
        }
    }
}

// Each folder defines its own libraries in its CMakeLists.txt and lists its sources there:
// a subsystem folder's model files in mpsec_FOLDER (which links no Qt, so its files stay
// Qt-free) and its windows in mpsec_FOLDER_windows; the print folder's model in
// mpsec_pages. A file left out, listed twice, or listed in another folder's library or with
// the wrong kind fails here.
TEST(SourceRules, EachFolderListsItsFilesInItsOwnLibraries) {
    const std::vector<SourceFile> files = Sources();
    const std::map<std::string, bool> qt = QtSide(files);
    const fs::path src = fs::path(MPSEC_SOURCE_DIR) / "src";
    const std::regex block(R"(target_sources\((\w+) PRIVATE([^)]*)\))");
    const std::regex word(R"([\w.]+\.(cpp|h))");
    std::map<std::string, std::vector<std::string>> targetsOf; // "folder/File.cpp" -> targets
    for (const auto& e : fs::directory_iterator(src)) {
        std::ifstream in(e.path() / "CMakeLists.txt");
        ASSERT_TRUE(in) << e.path().filename() << " has no CMakeLists.txt";
        std::stringstream ss;
        ss << in.rdbuf();
        const std::string text = ss.str();
        for (std::sregex_iterator b(text.begin(), text.end(), block), end; b != end; ++b) {
            const std::string list = (*b)[2];
            for (std::sregex_iterator w(list.begin(), list.end(), word); w != end; ++w)
                targetsOf[e.path().filename().string() + "/" + (*w)[0].str()].push_back((*b)[1]);
        }
    }
    const std::set<std::string> windowFolders = {"enquiries",  "mpfiles", "submissions",
                                                 "statements", "email",   "help"};
    for (const SourceFile& f : files) {
        const std::string name = fs::relative(f.Path, src).generic_string();
        if (f.Path.extension() != ".cpp")
            continue;
        const std::vector<std::string>& targets = targetsOf[name];
        ASSERT_EQ(targets.size(), 1u) << name << " is listed " << targets.size() << " times";
        std::string expected = "mpsec_" + f.Folder;
        if (windowFolders.count(f.Folder) && qt.at(name))
            expected += "_windows";
        else if (f.Folder == "print" && !qt.at(name))
            expected = "mpsec_pages";
        else if (name == "app/main.cpp")
            expected = "mpsec_main";
        EXPECT_EQ(targets[0], expected) << name;
    }
}
