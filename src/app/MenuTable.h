#pragma once
#include <array>

namespace mpsec {

// What a menu item does.
enum class MenuCommand {
    ViewPlayer,
    ExtractPlayers,
    PlayerDetails,
    ViewMPFile,
    EditMPFile,
    MergeMPFiles,
    AwardDetails,
    AwardAdjustment,
    ClubSecretaries,
    ClubMembership,
    ManualClubMembers,
    ManualVisitors,
    Cancellations,
    SingleStatement,
    ClubStatements,
    PrinterSetup,
    ShowHints,
    ChangeDataFolder,
    EmailSettings,
    About,
    Quit,
};

// One item of the main menu: the menu holding it (empty for an item of the menu bar
// itself), its caption and hint, and what it does. The main window builds its menu from
// this table, in this order; its test walks the same table.
struct MenuItemEntry {
    const char* Menu;
    const char* Caption;
    const char* Hint;
    MenuCommand Command;
};

// The hints of the menus themselves.
struct MenuHint {
    const char* Menu;
    const char* Hint;
};
inline constexpr std::array<MenuHint, 2> kMenuHints{{
    {"&Players", "Click Here to Start"},
    {"Manual &Files", "For Club with YUX Scorer"},
}};

inline constexpr const char* kAwardStatementsMenu = "A&ward Statements";

// Captions are UTF-8 ("…").
inline constexpr std::array<MenuItemEntry, 21> kMenuTable{{
    {"&Players", "&View a Player", "", MenuCommand::ViewPlayer},
    {"&Players", "&Extract Selected Players", "", MenuCommand::ExtractPlayers},
    {"&Players", "&Create QMR Data for Email Transmission", "", MenuCommand::PlayerDetails},
    {"&Master Points", "&View Master Point Information in a MP File", "", MenuCommand::ViewMPFile},
    {"&Master Points", "&Edit Master Point Information in a MP File", "", MenuCommand::EditMPFile},
    {"&Master Points", "&Merge Master Point Files", "", MenuCommand::MergeMPFiles},
    {"&Master Points", "Create Cover Page for &Awards (State MP-Secs only)", "",
     MenuCommand::AwardDetails},
    {"&Master Points", "&Create QMR Award Adjustment Application for Email Transmission ", "",
     MenuCommand::AwardAdjustment},
    {"&Clubs", "&View Club MP Secretaries", "", MenuCommand::ClubSecretaries},
    {"&Clubs", "Home Club Membership Nos.", "", MenuCommand::ClubMembership},
    {"Manual &Files", "Enter &Club Members MP Manually", "", MenuCommand::ManualClubMembers},
    {"Manual &Files", "Enter &Visitors MP Manually", "", MenuCommand::ManualVisitors},
    {"Manual &Files", "&Annual Membership Cancellations", "", MenuCommand::Cancellations},
    {kAwardStatementsMenu, "&Single Player", "", MenuCommand::SingleStatement},
    {kAwardStatementsMenu, "&All Club Members", "", MenuCommand::ClubStatements},
    {"&Setup", "&Printer Setup", "", MenuCommand::PrinterSetup},
    {"&Setup", "Show Program Hints", "", MenuCommand::ShowHints},
    {"&Setup", "Change Data &Folder\u2026", "Use the federation's files of another folder",
     MenuCommand::ChangeDataFolder},
    {"&Setup", "E-mail &Settings\u2026",
     "The outgoing server, the members' addresses and the message for statements by e-mail",
     MenuCommand::EmailSettings},
    {"", "&About", "", MenuCommand::About},
    {"", "&Quit", "", MenuCommand::Quit},
}};

} // namespace mpsec
