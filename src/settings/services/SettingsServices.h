#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/config/IconPlacement.h"

class QWidget;

namespace galewarden {

class HttpClient;
class UpdateChecker;

// Names of districts and central observatories (GB18030) that the district picker hands back;
// empty after "取消".
using DistrictSelection = std::vector<std::string>;

// What the settings windows and the wizard reach beyond their own controls. The program fills
// it with the real windows and actions; tests fill it with recordings. Every member may be
// left empty, and the caller then does nothing.
struct SettingsServices {
    // The program
    std::function<void()> settingsSaved;  // a pass reprocesses its answer; the icon re-reads
    std::function<void()> exitProgram;
    std::function<void()> restartProgram;
    std::function<void()> forceExit;
    std::function<void(QWidget* owner)> resetAndRestart;
    std::function<void()> openSetupWizard;
    std::function<void()> startMonitoring;  // the wizard's finish
    std::function<void()> abandonFirstRun;  // the wizard's "&U.放弃" at the first start
    // "试听" beside [Sound] From: the warning sound, returning at once.
    std::function<void()> playWarningSound;

    // Windows of their own, modal over `owner`
    // The picker opens with `chosenBefore` ticked and hands back the whole selection.
    std::function<DistrictSelection(QWidget* owner, const DistrictSelection& chosenBefore)>
        pickDistricts;
    // The placement the picker hands back; all −1 after "取消".
    std::function<IconPlacement(QWidget* owner, IconPlacement current)> pickPosition;
    std::function<void(QWidget* owner)> editJsonRules;
    std::function<void(QWidget* owner)> editSourceOptions;
    std::function<void()> editHtmlMarker;
    // The count of full-screen windows to put into "全屏窗口基数："; nothing when cancelled.
    std::function<std::optional<int>(QWidget* owner)> calibrateFullScreenBase;
    std::function<QWidget*(QWidget* parent)> makeIconPackPage;  // below page 5's settings

    // Shared objects (may be null in tests)
    const HttpClient* http = nullptr;
    UpdateChecker* updates = nullptr;
    // The system's package manager updates the program: nothing is checked, and the update
    // controls say so instead.
    bool updatesFromPackages = false;
};

}  // namespace galewarden
