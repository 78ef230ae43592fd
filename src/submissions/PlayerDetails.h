#pragma once
#include <array>
#include <string>
#include <vector>

namespace mpsec {

// The requests about players sent to the federation in PLAYER.TXT.
enum class PlayerRequest {
    Add,
    Activate,
    Change,
    Transfer,
    AddToReports,
    RemoveFromReports,
    Deceased
};

// What a request kind offers: its choice text, the word written for it, and which fields
// of the form it uses.
struct PlayerRequestKind {
    PlayerRequest Request;
    const char* Text;
    const char* ActionWord;
    bool NumberEnabled;     // a new player has no number yet
    bool AllDetailsEnabled; // otherwise only the first name and surname
    bool DeathDateShown;
};

inline constexpr std::array<PlayerRequestKind, 7> kPlayerRequestKinds{{
    {PlayerRequest::Add, "Add", "APPEND", false, true, false},
    {PlayerRequest::Activate, "Activate", "ACTIVATE", true, true, false},
    {PlayerRequest::Change, "Change", "CHANGE DETAILS", true, true, false},
    {PlayerRequest::Transfer, "Transfer", "TRANSFER", true, true, false},
    {PlayerRequest::AddToReports, "Add to Reports", "ADD to Reports", true, false, false},
    {PlayerRequest::RemoveFromReports, "Delete from Reports", "REMOVE from Reports", true, false,
     false},
    {PlayerRequest::Deceased, "Deceased", "DELETE", true, false, true},
}};

const PlayerRequestKind& KindOf(PlayerRequest request);

// The form's fields as they stand on the screen; dates with their "/" and a blank in
// every unfilled place.
struct PlayerDetailsFields {
    PlayerRequest Request = PlayerRequest::Add;
    std::string ClubNo;
    std::string QMRNo;
    std::string Title;
    std::string Initial;
    std::string FirstName;
    std::string Surname;
    std::string DateOfBirth = "  /  /  ";
    std::string Gender = "F";
    std::string Street;
    std::string Town;
    std::string Postcode;
    std::string DeceasedOn = "  /  /  ";
};

// The lines a request appends, the empty line that ends the block included. Fields are
// written as they stand; an empty one keeps its separators.
std::vector<std::string> PlayerDetailsBlock(const PlayerDetailsFields& fields);

// A date entry holds "DD/MM/YY" with blanks in its unfilled places: whether both year
// places hold digits (required once the entry has been edited).
bool DateEntryHasYear(const std::string& text);

} // namespace mpsec
