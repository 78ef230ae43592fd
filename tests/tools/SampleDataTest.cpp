#include "SampleData.h"
#include "register/ClubRegister.h"
#include "register/DataFolder.h"
#include "register/PlayerRegister.h"
#include "statements/History.h"
#include "statements/RankTable.h"
#include "support/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>

using namespace mpsec;

// The bundled sample folder is exactly what the generator writes, so it can be rebuilt.
TEST(SampleData, BundledFolderIsTheGeneratorsOutput) {
    const char* root = MPSEC_SOURCE_DIR;
    test::TempFolder dir;
    sample::WriteSampleFolder(dir.Path(), sample::SampleOptions{});
    const std::filesystem::path bundled = std::filesystem::path(root) / "sample";
    int compared = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir.Path())) {
        if (!e.is_regular_file())
            continue;
        auto rel = std::filesystem::relative(e.path(), dir.Path());
        std::ifstream a(e.path(), std::ios::binary), b(bundled / rel, std::ios::binary);
        std::string sa((std::istreambuf_iterator<char>(a)), {}),
            sb((std::istreambuf_iterator<char>(b)), {});
        EXPECT_TRUE(sa == sb) << rel << " differs; run: mpsec-sample sample";
        ++compared;
    }
    EXPECT_GT(compared, 15);
}

TEST(SampleData, RegisterCoversWhatTheProgramMustShow) {
    test::TempFolder dir;
    sample::WriteSampleFolder(dir.Path(), sample::SampleOptions{});
    PlayerRegister reg;
    ASSERT_TRUE(reg.Load(dir / "National.TXT").Ok());
    EXPECT_GE(reg.NumberIndexCount(), 2000u);
    std::set<std::string> ranks, surnames;
    int inactive = 0, deleted = 0, repeatedSurnames = 0;
    for (std::size_t i = 1; i < reg.Count(); ++i) {
        EXPECT_EQ(reg.NationalList()[i].size(), 132u);
        PlayerRecord p = reg.GetPlayer(i);
        ranks.insert(p.Rank);
        inactive += IsInactive(p);
        deleted += p.HomeClub == "9997";
        repeatedSurnames += !surnames.insert(p.Surname).second;
        if (i > 1) { // sorted by surname, then given name
            EXPECT_LE(reg.NationalList()[i - 1].substr(8, 28), reg.NationalList()[i].substr(8, 28));
        }
    }
    for (const auto& row : RankTable)
        EXPECT_TRUE(ranks.count(row.RegisterForm)) << row.RegisterForm;
    EXPECT_GT(inactive, 10);
    EXPECT_GT(deleted, 5);
    EXPECT_GT(repeatedSurnames, 100);
    for (const char* special : {"0080004", "0006688", "0002119"})
        EXPECT_NE(reg.FindPlayerByNumber(special), 0u) << special;

    ClubRegister clubs;
    ASSERT_TRUE(clubs.Load(dir / "NATIONAL.CLB").Ok());
    std::set<char> states;
    for (std::size_t i = 0; i < clubs.ClubList().Count(); ++i) {
        states.insert(clubs.ClubList()[i][0]);
        EXPECT_FALSE(SecretaryEntry(clubs.ParseTheClubList(i))[1].empty());
    }
    EXPECT_EQ(states, (std::set<char>{'1', '2', '3', '4', '5', '6', '7', '8', '9'}));
    EXPECT_TRUE(MissingRegisterMessages(dir.Path()).empty());
    EXPECT_TRUE(AwardFilesPresent(dir.Path()));
    for (const char* f : {"ALTERNAT.TXT", "PRE82.TXT", "3104326.gld", "3104326.red", "2101326.grn",
                          "3104326.gar", "5107326.rag", "4101326.MP2", "old-scorer/6101326.mp3"})
        EXPECT_TRUE(dir.Exists(f)) << f;
}
