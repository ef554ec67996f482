// galewarden-alert-service: the vendor services on loopback, for the demo and the tests.

#include "AlertService.h"
#include "CommandLine.h"

#include <csignal>
#include <fstream>
#include <iostream>

using namespace galewarden::alertservice;

namespace {

// Blocked in every thread, so that only sigwait below sees them.
sigset_t stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

bool canAppendTo(const std::filesystem::path& file) {
    return file.empty() || std::ofstream(file, std::ios::binary | std::ios::app).is_open();
}

}  // namespace

int main(int argc, char** argv) {
    const auto line = readCommandLine(argc, argv, GALEWARDEN_ALERT_SERVICE_DATA);
    if (!line) {
        return 2;
    }
    if (!canAppendTo(line->requestsLog)) {
        std::cerr << "galewarden-alert-service: cannot write " << line->requestsLog << "\n";
        return 2;
    }
    AlertService service({line->dataDirectory, line->requestsLog, true});
    if (!service.selectScenario(line->scenario)) {
        std::cerr << "galewarden-alert-service: unknown scenario \"" << line->scenario
                  << "\" (no failure of that name and no " << line->dataDirectory / "alerts"
                  << "/" << line->scenario << ".json)\n";
        return 2;
    }
    const sigset_t signals = stopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    if (service.start(line->port) == 0) {
        std::cerr << "galewarden-alert-service: cannot listen on 127.0.0.1:" << line->port << "\n";
        return 1;
    }
    int received = 0;
    sigwait(&signals, &received);
    service.stop();
    return 0;
}
