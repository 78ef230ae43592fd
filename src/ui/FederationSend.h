#pragma once
#include "email/EmailSettings.h"

#include <QString>
#include <filesystem>
#include <optional>
#include <string>

class QPushButton;
class QWidget;

namespace mpsec {

struct AppState;
class Platform;

// "Se&nd to Federation", the button of each window whose file goes to the federation.
QPushButton* MakeSendToFederationButton(QWidget* parent);

// Enables the button while `file` can be sent (it is there and holds something).
void OfferToSend(QPushButton* button, const std::filesystem::path& file);

// Sends the data folder's `file` of `kind` to the federation: the e-mail settings checked,
// each question of the message asked (No sends nothing), the password of the run, the
// outgoing server, the message recorded in the send log. What failed is said in an error
// box. Gives what to say after a message the server took ("PLAYER.TXT was sent ..."), none
// when nothing was sent. `club` (a club number, or empty) is named in the subject.
std::optional<QString> SendToFederation(Platform& platform, const AppState& state,
                                        FederationFile kind, const std::filesystem::path& file,
                                        const std::string& club);

} // namespace mpsec
