// The simulator's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tuvako::sim {

struct SimOptions {
    std::string address = "127.0.0.1";
    int port = 40201;
    bool demo = false;
    int demoIntervalMs = 8000;
    std::string scenarioFile;
    bool console = true;
    std::string password = "KVLNQ";  // what a login answer must carry
    bool help = false;
    bool version = false;

    // Reads the arguments after the program name; nothing, with the reason in `error`, when
    // they are not valid.
    static std::optional<SimOptions> Parse(const std::vector<std::string>& arguments,
                                           std::string* error);
    static const char* HelpText();
};

}  // namespace tuvako::sim
