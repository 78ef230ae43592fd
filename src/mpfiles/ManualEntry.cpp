#include "mpfiles/ManualEntry.h"

#include "core/Files.h"
#include "core/TextHelpers.h"

namespace mpsec {

bool PointsGiveALine(std::string_view points) {
    return points.compare("0") > 0;
}

std::string ManualEntryLine(std::string_view number, std::string_view points) {
    return PadLeft(number, kManualNumberDigits, '0') + PadLeft(points, kManualPointsDigits, '0');
}

std::string ManualEntryText(const std::vector<ManualRow>& rows) {
    std::string text;
    for (const ManualRow& row : rows) {
        if (!PointsGiveALine(row.Points))
            continue;
        text += ManualEntryLine(row.Number, row.Points);
        text += "\r\n";
    }
    return text;
}

MPType ManualEntryType(MPColour colour) {
    switch (colour) {
    case MPColour::Gold:
        return MPType::Gold;
    case MPColour::Red:
        return MPType::Red;
    case MPColour::Green:
        break;
    }
    return MPType::Green;
}

std::string ManualEntryProposal(std::string_view club, MPColour colour) {
    return "CLUB" + std::string(club) + ".MP" +
           std::to_string(static_cast<int>(ManualEntryType(colour)));
}

std::string VisitorName(std::string_view givenName, std::string_view surname) {
    return std::string(givenName) + " " + std::string(surname);
}

Status CheckManualRows(const std::vector<ManualRow>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (PointsGiveALine(rows[i].Points) && rows[i].Number.empty())
            return Failure{"Row " + std::to_string(i + 1) + " has points but no QMR number"};
    return {};
}

Status CheckVisitorNumbers(const std::vector<ManualRow>& rows, const PlayerRegister& national) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (PointsGiveALine(rows[i].Points) && national.FindPlayerByNumber(rows[i].Number) == 0)
            return Failure{"Row " + std::to_string(i + 1) + ": no player has the QMR number " +
                           rows[i].Number};
    return {};
}

Status SaveManualEntry(const std::filesystem::path& file, const std::vector<ManualRow>& rows,
                       bool append) {
    if (Status complete = CheckManualRows(rows); !complete)
        return complete;
    const std::string text = ManualEntryText(rows);
    Status saved = append ? AppendToFile(file, text) : WriteFileAtomically(file, text);
    if (!saved)
        return Failure{"Cannot write " + PathText(file.filename()) + ": " + saved.Message()};
    return {};
}

} // namespace mpsec
