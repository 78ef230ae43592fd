// National-size masterpoint file tools: Get of the largest club in the manual entry and the
// cancellations against reading the register's bytes, merging ten files of 1,000,000 lines
// in all against cat, and the viewer and the editor showing a 100,000-line file.
#include "BenchData.h"
#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/FileReading.h"
#include "core/Files.h"
#include "core/LineList.h"
#include "enquiries/AlternateMembers.h"
#include "mpfiles/ClubMembers.h"
#include "mpfiles/MPFileEditorDialog.h"
#include "mpfiles/MPFileViewerDialog.h"
#include "mpfiles/MPMerge.h"
#include "mpfiles/OldFilesWarningDialog.h"
#include "platform/QtPlatform.h"
#include "ui/AppState.h"

#include <QApplication>
#include <QListView>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <map>

namespace fs = std::filesystem;
using namespace mpsec;

namespace {

using bench::DataFolder;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

const PlayerRegister& Register() {
    static PlayerRegister reg = [] {
        PlayerRegister r;
        (void)r.Load(DataFolder() / "National.TXT");
        return r;
    }();
    return reg;
}

// The club with the most active home-club members, and the one named most often in the
// alternate-membership file.
std::string LargestClub(bool alternate) {
    std::map<std::string, int> counts;
    if (alternate) {
        AlternateMembers file;
        (void)file.LoadFrom(DataFolder());
        for (std::size_t i = 0; i < file.Count(); ++i)
            ++counts[std::string(Cols(file.AlternateList()[i], 38, 4))];
    } else {
        const LineList& lines = Register().NationalList();
        for (std::size_t i = 1; i < lines.Count(); ++i) {
            std::string home(Trim(Cols(lines[i], 128, 6)));
            if (home.size() == 5 && home[1] == '-')
                ++counts[home.erase(1, 1)];
        }
    }
    std::string best;
    for (const auto& [club, count] : counts)
        if (best.empty() || count > counts[best])
            best = club;
    return best;
}

// Get from the register (both windows' Get) and from the alternate-membership file (the
// manual entry's non-home-club option, which reads the file each time), each timed in the
// same iteration as reading the register's bytes, so a busy machine slows both alike.
void BM_GetLargestClub(benchmark::State& state) {
    const bool alternate = state.range(0) == 1;
    const std::string club = LargestClub(alternate);
    double readSeconds = 0, getSeconds = 0;
    std::size_t members = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        std::string bytes;
        (void)ReadFileBytes(DataFolder() / "National.TXT", bytes);
        benchmark::DoNotOptimize(bytes.data());
        const auto t1 = Clock::now();
        std::vector<ListedMember> listed;
        if (alternate) {
            AlternateMembers file;
            (void)file.LoadFrom(DataFolder());
            listed = AlternateClubMembers(file, club);
        } else {
            listed = HomeClubMembers(Register(), club);
        }
        benchmark::DoNotOptimize(listed.data());
        const auto t2 = Clock::now();
        members = listed.size();
        readSeconds += Seconds(t0, t1);
        getSeconds += Seconds(t1, t2);
    }
    state.counters["members"] = static_cast<double>(members);
    state.counters["get_to_read"] = getSeconds / readSeconds;
    state.SetLabel(alternate ? "ALTERNAT.TXT " + club : "register " + club);
}
BENCHMARK(BM_GetLargestClub)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Ten masterpoint files of 100,000 lines each, made once from the national-size file.
std::vector<fs::path> MergeInputs() {
    static const std::vector<fs::path> inputs = [] {
        const fs::path folder = DataFolder() / "merge-bench";
        fs::create_directories(folder);
        std::string bytes;
        (void)ReadFileBytes(DataFolder() / "NATIONAL-SIZE.gld", bytes);
        std::vector<fs::path> files;
        for (int i = 0; i < 10; ++i) {
            files.push_back(folder / ("in" + std::to_string(i) + ".gld"));
            if (!fs::exists(files.back()))
                (void)WriteFileAtomically(files.back(), bytes);
        }
        return files;
    }();
    return inputs;
}

void BM_MergeTenFilesAgainstCat(benchmark::State& state) {
    const std::vector<fs::path> inputs = MergeInputs();
    const fs::path folder = inputs.front().parent_path();
    std::string cat = "cat";
    for (const fs::path& input : inputs)
        cat += " '" + input.string() + "'";
    cat += " > '" + (folder / "cat.gld").string() + "'";
    double catSeconds = 0, mergeSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (std::system(cat.c_str()) != 0)
            state.SkipWithError("cat failed");
        const auto t1 = Clock::now();
        if (!MergeMPFiles(inputs, folder / "merged.gld"))
            state.SkipWithError("merge failed");
        const auto t2 = Clock::now();
        catSeconds += Seconds(t0, t1);
        mergeSeconds += Seconds(t1, t2);
    }
    LineList merged;
    (void)ReadLines(folder / "merged.gld", merged);
    state.counters["lines"] = static_cast<double>(merged.Count());
    state.counters["merge_to_cat"] = mergeSeconds / catSeconds;
}
BENCHMARK(BM_MergeTenFilesAgainstCat)->Unit(benchmark::kMillisecond);

// The editor filled with the national-size file (100,000 lines), as the window shows it.
void BM_EditorShowsLargeFile(benchmark::State& state) {
    QtPlatform platform(QString::fromStdString((DataFolder() / "bench-settings.ini").string()));
    AppState app;
    MPFileEditorDialog editor(app, platform);
    editor.setChosenFile(QString::fromStdString((DataFolder() / "NATIONAL-SIZE.gld").string()));
    for (auto _ : state) {
        editor.showFile();
        benchmark::DoNotOptimize(editor.editor()->document()->blockCount());
    }
    state.counters["lines"] = editor.editor()->document()->blockCount();
}
BENCHMARK(BM_EditorShowsLargeFile)->Unit(benchmark::kMillisecond);

// The viewer listing the national-size file (100,000 lines) against the register, report
// written, as the window shows it.
void BM_ViewerListsLargeFile(benchmark::State& state) {
    QtPlatform platform(QString::fromStdString((DataFolder() / "bench-settings.ini").string()));
    AppState app;
    (void)app.National.Load(DataFolder() / "National.TXT");
    OldFilesWarningDialog warning(app);
    MPFileViewerDialog viewer(app, platform, warning);
    viewer.setChosenFile(QString::fromStdString((DataFolder() / "NATIONAL-SIZE.gld").string()));
    for (auto _ : state) {
        viewer.listFile();
        benchmark::DoNotOptimize(viewer.listingView()->model()->rowCount());
    }
    state.counters["lines"] = viewer.listingView()->model()->rowCount();
}
BENCHMARK(BM_ViewerListsLargeFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
