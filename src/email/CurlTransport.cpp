#include "email/CurlTransport.h"

#include <curl/curl.h>

#include <cstdlib>
#include <mutex>

namespace mpsec {

namespace {

// What the conversation with the server was at: the last command sent and the server's
// last reply.
struct Conversation {
    std::string Command;
    std::string Reply;
    bool Quitting = false; // after QUIT: its reply is not the one that tells what failed
};

int Listen(CURL*, curl_infotype type, char* data, std::size_t size, void* user) {
    auto* talk = static_cast<Conversation*>(user);
    if (talk->Quitting || (type != CURLINFO_HEADER_OUT && type != CURLINFO_HEADER_IN))
        return 0;
    std::string text(data, size);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (type == CURLINFO_HEADER_OUT) {
        // The command's name only; an answer to the server's login challenge (334) is the
        // login itself, kept nowhere.
        const std::string command = talk->Reply.rfind("334", 0) == 0
                                        ? std::string("AUTH")
                                        : text.substr(0, text.find_first_of(" :"));
        // QUIT's reply is not the one that tells what failed.
        talk->Quitting = command == "QUIT";
        if (!talk->Quitting)
            talk->Command = command;
    } else if (type == CURLINFO_HEADER_IN) {
        // A reply of several lines ends with the line whose code is followed by a blank.
        const std::size_t last = text.rfind('\n');
        talk->Reply = last == std::string::npos ? text : text.substr(last + 1);
    }
    return 0;
}

struct Slist {
    curl_slist* List = nullptr;
    ~Slist() { curl_slist_free_all(List); }
    void Add(const std::string& line) { List = curl_slist_append(List, line.c_str()); }
};

struct Mime {
    curl_mime* Parts;
    explicit Mime(CURL* curl) : Parts(curl_mime_init(curl)) {}
    ~Mime() { curl_mime_free(Parts); }
};

void InitialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

struct CurlTransport::State {
    EmailSettings Settings;
    std::string Password;
    CURL* Curl = nullptr;
};

CurlTransport::CurlTransport(EmailSettings settings, std::string password)
    : state_(std::make_unique<State>()) {
    InitialiseCurl();
    state_->Settings = std::move(settings);
    state_->Password = std::move(password);
    state_->Curl = curl_easy_init();
}

CurlTransport::~CurlTransport() {
    if (state_->Curl)
        curl_easy_cleanup(state_->Curl);
}

SendOutcome CurlTransport::Send(const MailMessage& message) {
    const EmailSettings& s = state_->Settings;
    CURL* curl = state_->Curl;
    if (!curl)
        return {SendOutcome::Kind::Broken, "", "the e-mail library could not be started"};
    curl_easy_reset(curl);
    const std::string where = s.Host + " port " + std::to_string(s.Port);
    const std::string url = std::string(s.Security == MailSecurity::Ssl ? "smtps://" : "smtp://") +
                            s.Host + ":" + std::to_string(s.Port);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(
        curl, CURLOPT_USE_SSL,
        static_cast<long>(s.Security == MailSecurity::None ? CURLUSESSL_NONE : CURLUSESSL_ALL));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!s.CaFile.empty())
        curl_easy_setopt(curl, CURLOPT_CAINFO, s.CaFile.c_str());
    // Windows' TLS also asks whether the certificate was revoked; a server's own
    // certificate names no list to ask, which is no reason to refuse it (OpenSSL ignores
    // this).
    curl_easy_setopt(curl, CURLOPT_SSL_OPTIONS, static_cast<long>(CURLSSLOPT_REVOKE_BEST_EFFORT));
    if (!s.User.empty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, s.User.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, state_->Password.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);

    const std::string from = "<" + message.SenderAddress + ">";
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
    Slist recipients;
    recipients.Add("<" + message.RecipientAddress + ">");
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients.List);
    Slist headers;
    for (const std::string& header : MessageHeaders(message, MessageDateNow()))
        headers.Add(header);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.List);

    Mime mime(curl);
    curl_mimepart* body = curl_mime_addpart(mime.Parts);
    // Text travels with CR LF line ends: a lone line feed would go quoted, as "=0A".
    std::string text;
    for (const char c : message.Body) {
        if (c == '\n' && (text.empty() || text.back() != '\r'))
            text += '\r';
        text += c;
    }
    curl_mime_data(body, text.data(), text.size());
    curl_mime_type(body, "text/plain; charset=UTF-8");
    curl_mime_encoder(body, "quoted-printable");
    for (const MailAttachment& attachment : message.Attachments) {
        curl_mimepart* part = curl_mime_addpart(mime.Parts);
        curl_mime_data(part, attachment.Bytes.data(), attachment.Bytes.size());
        curl_mime_type(part, AttachmentType(attachment.Name));
        curl_mime_filename(part, attachment.Name.c_str());
        curl_mime_encoder(part, "base64");
    }
    curl_easy_setopt(curl, CURLOPT_MIMEPOST, mime.Parts);

    Conversation talk;
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, Listen);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &talk);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    char error[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);

    const CURLcode code = curl_easy_perform(curl);
    const std::string said = talk.Reply.empty() ? "" : ": " + talk.Reply;
    using Kind = SendOutcome::Kind;
    if (code == CURLE_OK)
        return {Kind::Accepted, talk.Reply, ""};
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return {Kind::Broken, "", "the server's name " + s.Host + " was not found"};
    case CURLE_COULDNT_CONNECT:
        return {Kind::Broken, "", "the connection to " + where + " was refused"};
    case CURLE_OPERATION_TIMEDOUT:
        return {Kind::Broken, "", where + " did not answer"};
    case CURLE_PEER_FAILED_VERIFICATION:
        return {Kind::Broken, "",
                "the certificate of " + s.Host + " is not trusted" +
                    (s.CaFile.empty() ? " (for a server with its own certificate, give its "
                                        "certificate file in the e-mail settings)"
                                      : " (nor signed by the certificate file " + s.CaFile + ")")};
    case CURLE_SSL_CACERT_BADFILE:
        return {Kind::Broken, "", "the certificate file " + s.CaFile + " cannot be read"};
    case CURLE_USE_SSL_FAILED:
        return {Kind::Broken, "", s.Host + " does not offer STARTTLS: choose SSL/TLS"};
    case CURLE_SSL_CONNECT_ERROR:
        return {Kind::Broken, "",
                "no secure connection could be made with " + where + " (" + error + ")"};
    case CURLE_LOGIN_DENIED:
        return {Kind::Broken, talk.Reply, "the server refused the login of user " + s.User + said};
    default:
        break;
    }
    // The code of the server's reply to the command that failed.
    const long reply =
        talk.Reply.size() >= 3 ? std::strtol(talk.Reply.substr(0, 3).c_str(), nullptr, 10) : 0;
    if (reply >= 400 && talk.Command == "RCPT")
        return {Kind::Refused, talk.Reply,
                "the server refused the recipient " + message.RecipientAddress + said};
    if (reply >= 400 && talk.Command == "MAIL")
        return {Kind::Broken, talk.Reply,
                "the server refused the sender's address " + message.SenderAddress + said};
    if (reply >= 400 && talk.Command == "AUTH")
        return {Kind::Broken, talk.Reply, "the server refused the login of user " + s.User + said};
    if (reply >= 400 && talk.Command == "DATA")
        return {Kind::Refused, talk.Reply, "the server refused the message" + said};
    if (code == CURLE_SEND_ERROR || code == CURLE_RECV_ERROR || code == CURLE_GOT_NOTHING ||
        code == CURLE_WEIRD_SERVER_REPLY)
        return {Kind::Broken, talk.Reply, where + " closed the connection" + said};
    return {Kind::Broken, talk.Reply,
            "the message could not be sent through " + where + " (" +
                (error[0] ? std::string(error) : curl_easy_strerror(code)) + ")" + said};
}

} // namespace mpsec
