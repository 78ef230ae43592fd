// Writes a made-up federation data folder for trying mpsec out and for benchmarks.
#include "SampleData.h"

#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    mpsec::sample::SampleOptions options;
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "mpsec-sample: " << arg << " needs a value\n";
                std::exit(2);
            }
            return argv[++i];
        };
        try {
            if (arg == "--national")
                options = mpsec::sample::NationalSize();
            else if (arg == "--players")
                options.Players = std::stoi(value());
            else if (arg == "--history-lines")
                options.HistoryLines = std::stoi(value());
            else if (arg == "--mp-file-lines")
                options.BigMPFileLines = std::stoi(value());
            else if (arg == "--clubs-per-state")
                options.ClubsPerState = std::stoi(value());
            else if (arg == "--seed")
                options.Seed = std::stoull(value());
            else if (arg == "--help" || arg == "-h") {
                std::cout << "Usage: mpsec-sample [--national] [--players N] [--history-lines N]\n"
                             "                    [--mp-file-lines N] [--clubs-per-state N] "
                             "[--seed S] FOLDER\n";
                return 0;
            } else if (!arg.empty() && arg[0] != '-' && folder.empty())
                folder = arg;
            else {
                std::cerr << "mpsec-sample: unknown argument " << arg << "\n";
                return 2;
            }
        } catch (const std::exception&) {
            std::cerr << "mpsec-sample: " << arg << " needs a whole number\n";
            return 2;
        }
    }
    if (folder.empty() || options.Players < 30 || options.ClubsPerState < 1 ||
        options.HistoryLines < 1) {
        std::cerr << "mpsec-sample: give a folder (and at least 30 players, 1 club per state, 1 "
                     "history line)\n";
        return 2;
    }
    mpsec::sample::WriteSampleFolder(folder, options);
    std::cout << "Sample data written to " << folder << "\n";
    return 0;
}
