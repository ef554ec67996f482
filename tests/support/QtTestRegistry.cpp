#include "support/QtTestRegistry.h"

#include <map>

namespace galewarden::test {
namespace {

// Filled during static initialisation, read only once main runs.
std::map<std::string, QtTestFactory>& registry() {
    static std::map<std::string, QtTestFactory> tests;
    return tests;
}

}  // namespace

bool registerQtTest(const std::string& name, QtTestFactory factory) {
    return registry().emplace(name, std::move(factory)).second;
}

QtTestFactory findQtTest(const std::string& name) {
    const auto found = registry().find(name);
    return found == registry().end() ? QtTestFactory{} : found->second;
}

}  // namespace galewarden::test
