#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/config/ConfigStore.h"
#include "settings/window/SettingsWindow.h"
#include "support/TestHome.h"
#include "support/WindowControls.h"
#include "ui/MessageBox.h"

namespace galewarden::test {

// A settings window over a fresh program directory, with services that record their calls.
// Messages are answered from the script (the way out once it runs dry).
struct SettingsWindowRig {
    TestHome home;
    ConfigStore store;
    std::vector<std::string> calls;
    // What the services hand back.
    DistrictSelection picked;
    IconPlacement placement{-1, -1, -1, -1};
    std::optional<int> calibrated;
    std::string htmlLocationToWrite;
    // What they saw.
    std::vector<IconPlacement> placementsAsked;
    std::vector<bool> visibleWhilePicking;
    std::vector<bool> saveEnabledWhenSaved;
    std::vector<QWidget*> owners;
    std::unique_ptr<SettingsWindow> window;

    SettingsServices services() {
        SettingsServices made;
        made.settingsSaved = [this] {
            calls.push_back("settingsSaved");
            saveEnabledWhenSaved.push_back(control<QWidget>("saveButton")->isEnabled());
        };
        made.exitProgram = [this] { calls.push_back("exitProgram"); };
        made.restartProgram = [this] { calls.push_back("restartProgram"); };
        made.forceExit = [this] { calls.push_back("forceExit"); };
        made.resetAndRestart = [this](QWidget* owner) {
            calls.push_back("resetAndRestart");
            owners.push_back(owner);
        };
        made.openSetupWizard = [this] { calls.push_back("openSetupWizard"); };
        made.pickDistricts = [this](QWidget* owner, const DistrictSelection&) {
            calls.push_back("pickDistricts");
            owners.push_back(owner);
            return picked;
        };
        made.pickPosition = [this](QWidget* owner, IconPlacement current) {
            calls.push_back("pickPosition");
            owners.push_back(owner);
            placementsAsked.push_back(current);
            visibleWhilePicking.push_back(owner->isVisible());
            return placement;
        };
        made.editJsonRules = [this](QWidget* owner) {
            calls.push_back("editJsonRules");
            owners.push_back(owner);
        };
        made.editSourceOptions = [this](QWidget* owner) {
            calls.push_back("editSourceOptions");
            owners.push_back(owner);
        };
        made.editHtmlMarker = [this] {
            calls.push_back("editHtmlMarker");
            if (!htmlLocationToWrite.empty()) {
                store.write(keys::kHtmlLocation, htmlLocationToWrite);
            }
        };
        made.playWarningSound = [this] { calls.push_back("playWarningSound"); };
        made.calibrateFullScreenBase = [this](QWidget* owner) {
            calls.push_back("calibrateFullScreenBase");
            owners.push_back(owner);
            return calibrated;
        };
        return made;
    }

    SettingsWindow& open(SettingsServices made) {
        window = std::make_unique<SettingsWindow>(store, std::move(made));
        window->show();
        return *window;
    }
    SettingsWindow& open() { return open(services()); }

    template <typename T>
    T* control(const char* name) const {
        return test::control<T>(*window, name);
    }

    // The value in the file, empty when the key is missing.
    std::string stored(std::string_view section, std::string_view key) const {
        return store.readText(section, key, "");
    }
};

inline QString lastMessage() {
    const auto& asked = MessageBox::asked();
    return asked.empty() ? QString() : asked.back().text;
}

}  // namespace galewarden::test
