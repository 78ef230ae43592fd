#include "help/Guide.h"

#include <array>
#include <utility>

namespace mpsec {

std::string GuideFor(std::string_view markdown, std::string_view system) {
    static constexpr std::array<std::string_view, 2> kSystems{"Linux", "Windows"};
    std::string shown;
    bool keep = true;
    bool paragraphStart = true;
    std::size_t start = 0;
    while (start < markdown.size()) {
        std::size_t end = markdown.find('\n', start);
        end = end == std::string_view::npos ? markdown.size() : end + 1;
        std::string_view line = markdown.substr(start, end - start);
        start = end;
        if (line == "\n" || line.empty()) {
            // An empty line ends a paragraph; one left out takes its empty line along.
            if (keep)
                shown.append(line);
            keep = paragraphStart = true;
            continue;
        }
        if (paragraphStart) {
            paragraphStart = false;
            for (std::string_view name : kSystems) {
                const std::string marker = "**" + std::string(name) + ":** ";
                if (line.substr(0, marker.size()) == marker) {
                    keep = name == system;
                    line.remove_prefix(marker.size());
                }
            }
        }
        if (keep)
            shown.append(line);
    }
    return shown;
}

std::vector<GuideSection> SplitGuide(std::string_view markdown) {
    std::vector<GuideSection> sections;
    std::size_t start = 0;
    while (start < markdown.size()) {
        std::size_t end = markdown.find('\n', start);
        if (end == std::string_view::npos)
            end = markdown.size();
        const std::string_view line = markdown.substr(start, end - start);
        if (line.substr(0, 3) == "## ")
            sections.push_back({std::string(line.substr(3)), {}});
        else if (!sections.empty())
            sections.back().Text.append(line).append("\n");
        start = end + 1;
    }
    // The empty lines around a section's text belong to no paragraph.
    for (GuideSection& section : sections) {
        std::string& text = section.Text;
        text.erase(0, text.find_first_not_of('\n') == std::string::npos
                          ? text.size()
                          : text.find_first_not_of('\n'));
        text.erase(text.find_last_not_of('\n') + 1);
    }
    return sections;
}

std::string HelpSectionFor(std::string_view windowCaption) {
    // Window captions as the windows show them; the club dialog and manual entry change
    // theirs with their mode.
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 20> kSections{{
        {"QMR Dodiru Vorez Azoviv", "What mpsec does"},
        {"About", "What mpsec does"},
        {"Viewing Players", "View a player"},
        {"Extract Players", "Extract selected players"},
        {"Player Details ", "Player details for the federation"},
        {"View Masterpoint Information in a File", "View a masterpoint file"},
        {"Warning MP3 Files Found", "The federation's files"},
        {"Edit MP File", "Edit a masterpoint file"},
        {"Merge Master Point Files", "Merge masterpoint files"},
        {"Award Details", "Award cover page"},
        {"Award Adjustment Request", "Award adjustment request"},
        {"View Club Master Point Secretaries.", "Club secretaries and membership"},
        {"Home Club Membership Numbers.", "Club secretaries and membership"},
        {"Manual Entry of Master Points", "Enter masterpoints by hand"},
        {"Annual Membership Cancellations", "Annual membership cancellations"},
        {"Award Statements", "Award statements"},
        {"Print Member Award Statements", "Award statements"},
        {"Printer Setup", "Settings and printing"},
        {"E-mail Settings", "Statements by e-mail"},
        {"Choose the folder that holds National.TXT", "Installing and starting"},
    }};
    for (const auto& [caption, section] : kSections)
        if (caption == windowCaption)
            return std::string(section);
    return "What mpsec does";
}

} // namespace mpsec
