#include "submissions/PlayerDetails.h"

#include <gtest/gtest.h>

using namespace mpsec;

namespace {

PlayerDetailsFields Sample(PlayerRequest request, const std::string& number = "") {
    PlayerDetailsFields f;
    f.Request = request;
    f.ClubNo = "6785";
    f.QMRNo = number;
    f.Title = "Mr";
    f.Initial = "P";
    f.FirstName = "PAT";
    f.Surname = "SAMPLE";
    f.DateOfBirth = "03/04/56";
    f.Gender = "M";
    f.Street = "1 EXAMPLE STREET";
    f.Town = "SAMPLETON";
    f.Postcode = "9999";
    return f;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(PlayerDetails, EachRequestKindWritesItsBlock) {
    PlayerDetailsFields reports = Sample(PlayerRequest::AddToReports, "12345");
    reports.Title = "";
    PlayerDetailsFields deceased = Sample(PlayerRequest::Deceased, "12345");
    deceased.DeceasedOn = "01/02/26";
    PlayerDetailsFields empty; // nothing typed: separators and the unfilled date stay
    empty.Request = PlayerRequest::Change;
    PlayerDetailsFields emptyAdd;
    struct Case {
        PlayerDetailsFields fields;
        Lines block;
    } cases[] = {
        {Sample(PlayerRequest::Add),
         {"6-785", "APPEND", "Mr,P,PAT,SAMPLE", "03/04/56", "M", "1 EXAMPLE STREET,SAMPLETON,9999",
          ""}},
        {Sample(PlayerRequest::Transfer, "12345"),
         {"6-785", "TRANSFER", "12345 Mr P PAT SAMPLE", "03/04/56", "M",
          "1 EXAMPLE STREET SAMPLETON 9999", ""}},
        {Sample(PlayerRequest::Activate, "0012345"),
         {"6-785", "ACTIVATE", "0012345 Mr P PAT SAMPLE", "03/04/56", "M",
          "1 EXAMPLE STREET SAMPLETON 9999", ""}},
        {reports, {"6-785", "ADD to Reports", "12345  P PAT SAMPLE", ""}},
        {Sample(PlayerRequest::RemoveFromReports, "12345"),
         {"6-785", "REMOVE from Reports", "12345 Mr P PAT SAMPLE", ""}},
        {deceased, {"6-785", "DELETE", "12345 Mr P PAT SAMPLE", "Player Deceased on 01/02/26", ""}},
        {empty, {"-", "CHANGE DETAILS", "    ", "  /  /  ", "F", "  ", ""}},
        {emptyAdd, {"-", "APPEND", ",,,", "  /  /  ", "F", ",,", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlayerDetailsBlock(c.fields), c.block) << KindOf(c.fields.Request).Text;
}

TEST(PlayerDetails, DateEntryNeedsBothYearDigits) {
    struct Case {
        const char* text;
        bool hasYear;
    } cases[] = {{"03/04/56", true},  {"  /  /56", true},  {"03/04/5 ", false},
                 {"03/04/  ", false}, {"  /  /  ", false}, {"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(DateEntryHasYear(c.text), c.hasYear) << '"' << c.text << '"';
}
