// A plug-in that blocks: it marks its entry in the folder named by GALEWARDEN_PLUGIN_GATE,
// waits there until a file "release" appears, and marks its return.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

extern "C" void RefreshA(int, const char*, const char*, const char*, const char*, const char*,
                         const char*) {
    const char* gate = std::getenv("GALEWARDEN_PLUGIN_GATE");
    if (gate == nullptr) {
        return;
    }
    const std::filesystem::path folder(gate);
    std::ofstream(folder / "entered").close();
    while (!std::filesystem::exists(folder / "release")) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ofstream(folder / "returned").close();
}
