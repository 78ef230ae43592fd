#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace mpsec {

// Lower-cases the letters A-Z, then capitalises the first letter a-z of every word; only
// blanks separate words, so O'BRIEN gives O'brien and "CLUB: 3104 BRIDGE" gives
// "Club: 3104 Bridge".
std::string TitleCase(std::string_view text);

// Text of exactly `width` characters (0-255): the input right-aligned in fill characters,
// or its first `width` characters when it is longer.
std::string PadLeft(std::string_view text, int width, char fill);

// Text of exactly `width` characters (0-255): the input left-aligned in fill characters,
// or its first `width` characters when it is longer.
std::string PadRight(std::string_view text, int width, char fill);

// The register's Latin-1 text in UTF-8, as terminals and file names hold it today.
std::string Latin1ToUtf8(std::string_view latin1);

// A file name made from the register's text (a surname with É or ç): the same name on disk
// whoever makes it, the windows or the commands.
std::filesystem::path PathFromLatin1(std::string_view latin1);

// A path's text in UTF-8, for messages and the windows: on Linux the name's own bytes, on
// Windows made from its wide name (never through the ANSI code page, which has no room for
// most letters).
std::string PathText(const std::filesystem::path& path);

// The path a UTF-8 text names (a typed or chosen name, a command's argument, a folder
// read from the settings). The program's one conversion from text to a path: a path made
// straight from a std::string takes it in the ANSI code page on Windows, so Données
// becomes DonnÃ©es there.
std::filesystem::path PathFromText(std::string_view utf8);

// The one form the program keeps of a path: absolute, without . or .. or doubled
// separators, with the system's separators and no separator at the end (but a root's).
// `path` as it is when it cannot be made absolute.
std::filesystem::path WholePath(const std::filesystem::path& path);

// Whether two paths name the same place as the system compares names: letter case aside on
// Windows. Both are taken in their whole form.
bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace mpsec
