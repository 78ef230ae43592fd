#pragma once
// A real SMTP server on 127.0.0.1 for the e-mail tests: tests/email/smtp_server.py
// (aiosmtpd), run by Debian's /usr/bin/python3, started by the test and ended with it.
// Under wine the server is started beside the tests by scripts/windows.sh, without TLS,
// and its port handed in MPSEC_TEST_SMTP_PORT.
#include "support/TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#if !defined(_WIN32)
#include <csignal>
#include <sys/types.h>
#endif

namespace mpsec::test {

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A value of the server's record of message `n` (a JSON object of texts): a small reader
// for the flat object the script writes.
inline std::string Field(const std::string& json, const std::string& name) {
    const std::size_t at = json.find("\"" + name + "\": ");
    if (at == std::string::npos)
        return "<none>";
    std::size_t i = at + name.size() + 4;
    if (json[i] == '[')
        ++i;
    std::string value;
    for (++i; i < json.size() && json[i] != '"'; ++i) {
        if (json[i] == '\\') {
            const char c = json[++i];
            value += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        } else {
            value += json[i];
        }
    }
    return value;
}

// The test's server: started with the options given, ended with the test.
class Server {
  public:
    explicit Server(const std::string& options) {
#if defined(_WIN32)
        if (const char* port = std::getenv("MPSEC_TEST_SMTP_PORT"))
            port_ = std::atoi(port);
        if (const char* out = std::getenv("MPSEC_TEST_SMTP_OUT"))
            outPath_ = out;
        // The one server of the whole run numbers the messages of every test before.
        std::error_code ec;
        for (std::filesystem::directory_iterator it(outPath_, ec), end; !ec && it != end;
             it.increment(ec))
            base_ += it->path().extension() == ".json";
        (void)options;
#else
        const std::string command = "/usr/bin/python3 " MPSEC_SOURCE_DIR
                                    "/tests/email/smtp_server.py --out '" +
                                    outPath_.string() + "' " + options + " 2>/dev/null";
        pipe_ = popen(command.c_str(), "r");
        char line[64] = "";
        if (pipe_ && std::fgets(line, sizeof line, pipe_))
            std::sscanf(line, "%d %ld", &port_, &pid_);
#endif
    }
    ~Server() {
        Stop();
    }
    void Stop() {
#if !defined(_WIN32)
        if (pid_ > 0)
            kill(static_cast<pid_t>(pid_), SIGTERM);
        pid_ = 0;
        if (pipe_)
            pclose(pipe_);
        pipe_ = nullptr;
#endif
    }
    int Port() const {
        return port_;
    }
    // A file the server wrote: N.json, N.pdf.
    std::filesystem::path File(const std::string& name) const {
        return outPath_ / name;
    }
    // The server's number of the test's message n (from 1).
    int Message(int n) const {
        return base_ + n;
    }
    std::string Record(int n) const {
        return ReadAll(File(std::to_string(Message(n)) + ".json"));
    }
    bool Has(int n) const {
        return std::filesystem::exists(File(std::to_string(Message(n)) + ".json"));
    }

  private:
    test::TempFolder out_;
    std::filesystem::path outPath_ = out_.Path();
    int port_ = 0;
    int base_ = 0;
    long pid_ = 0;
    std::FILE* pipe_ = nullptr;
};

// Why the test cannot run here, or nothing.
inline std::string Unavailable(bool tls) {
#if defined(_WIN32)
    if (tls)
        return "TLS on the loopback is tested on Linux";
    if (!std::getenv("MPSEC_TEST_SMTP_PORT"))
        return "no test server: MPSEC_TEST_SMTP_PORT is not set";
    return "";
#else
    (void)tls;
    if (std::system("/usr/bin/python3 -c 'import aiosmtpd' 2>/dev/null") != 0)
        return "python3-aiosmtpd is not installed (apt-get install python3-aiosmtpd)";
    return "";
#endif
}

} // namespace mpsec::test
