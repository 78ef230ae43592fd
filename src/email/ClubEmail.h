#pragma once
#include "core/Dates.h"
#include "core/Result.h"
#include "email/AddressList.h"
#include "email/EmailRun.h"
#include "email/SendLog.h"
#include "print/ComposedPage.h"
#include "register/PlayerRegister.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// A club's e-mail run before it starts, as the window and the command prepare it.
struct ClubEmail {
    EmailRunSetup Setup;
    EmailPlan Plan;
    std::vector<AddressProblem> AddressProblems; // the address list's lines giving no address
    SendLog Log;
};

// Prepares the run of `club` (the members of the printed run, From and To letters, in
// register order): reads the address list of the settings and the send log of the data
// folder, for the register's year (this year without a register). Fails, saying why, when
// no address list is set or it or the log cannot be read.
Result<ClubEmail> PrepareClubEmail(const EmailSettings& settings, const PlayerRegister& national,
                                   const std::function<std::string(std::string_view)>& describe,
                                   std::string_view club, std::string_view from,
                                   std::string_view to, const std::filesystem::path& dataFolder,
                                   std::optional<CivilDate> registerDate, CivilDate today);

// The address list's lines that give no address: how many, and each (at most `shown`).
std::string AddressProblemsText(const std::string& file,
                                const std::vector<AddressProblem>& problems,
                                std::size_t shown = 20);

// A folder of its own for the statements of a run, in the system's temporary folder,
// removed with everything in it when the run ends.
class StatementScratchFolder {
  public:
    StatementScratchFolder();
    ~StatementScratchFolder();
    StatementScratchFolder(const StatementScratchFolder&) = delete;
    StatementScratchFolder& operator=(const StatementScratchFolder&) = delete;
    // Why the folder could not be made, or empty.
    const std::string& Problem() const { return problem_; }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
    std::string problem_;
};

// A member's statement as the PDF run makes it: `compose` gives its document (or why it
// cannot be made), `write` writes it as a PDF file; the file is made in `folder`, read back
// and removed, so no statement outlives its message.
using ComposeStatement = std::function<Result<ComposedDocument>(const PlayerRecord& member)>;
using WriteStatementPdf =
    std::function<Status(const ComposedDocument& document, const std::filesystem::path& path)>;
StatementPdf StatementPdfThroughFolder(const std::filesystem::path& folder,
                                       ComposeStatement compose, WriteStatementPdf write);

} // namespace mpsec
