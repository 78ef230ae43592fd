#pragma once
#include "core/LineList.h"
#include "register/PlayerRegister.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mpsec {

// A masterpoint file the award cover page names: its line, the name and the total points
// as typed (Latin-1, blanks around them taken off).
struct CoverPageEntry {
    std::size_t Line = 0;
    std::string Name, Points;
};

// The files the cover page's lines name, in order ("club,by,event,month,type,file,points,").
// A line too short to name a file gives an entry with an empty name.
std::vector<CoverPageEntry> CoverPageEntries(const LineList& coverPage);

// Points as typed on the cover page ("12.5", "12.50", "12") in hundredths; none when the text
// is not such a number.
std::optional<std::uint64_t> CoverPagePoints(std::string_view text);

// A named file found and checked.
struct CoverPageFile {
    std::filesystem::path Path;
    std::string Bytes;
};

// What checking the cover page's files found: the files to attach (each once, in cover page
// order) and the questions to ask before they are sent (UTF-8).
struct CoverPageCheck {
    std::vector<CoverPageFile> Files;
    std::vector<std::string> Questions;
};

// Looks for each named file in `mpFolder`, then in `dataFolder`, letter case aside (a name
// with an old extension, Y3MCC298.MP3, is also looked for as renamed, Y3MCC298.grn), and
// lists it against the register as the viewer does. A file not found, one whose total differs
// from the cover page's, and one with errors each give a question. A name that is not a plain
// file name (a folder in it) is never looked for. Fails when a file found cannot be read.
Result<CoverPageCheck> CheckCoverPage(const LineList& coverPage,
                                      const std::filesystem::path& mpFolder,
                                      const std::filesystem::path& dataFolder,
                                      const PlayerRegister& national);

} // namespace mpsec
