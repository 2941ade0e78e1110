// tavix-hostsim: a scripted host for the terminal's demo and end-to-end tests.
#include <cstdio>
#include <cstring>
#include <string>

#include "server.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0) {
            fputs(hostsim::usageText(), stdout);
            return hostsim::kExitOk;
        }
    }
    hostsim::Options options;
    std::string error;
    if (!hostsim::parseOptions(argc, argv, options, error)) {
        fprintf(stderr, "tavix-hostsim: %s\n%s", error.c_str(), hostsim::usageText());
        return hostsim::kExitUsage;
    }
    return hostsim::runServer(options);
}
