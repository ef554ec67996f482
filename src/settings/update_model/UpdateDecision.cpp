#include "settings/update_model/UpdateDecision.h"

#include "settings/update_model/UpdateSchedule.h"

namespace galewarden {
namespace {

CheckDecision failedCheck(const CheckFindings& findings) {
    CheckDecision decision;
    decision.versionLine = checkFailedLine();
    decision.retryCount = findings.retryCount;
    if (findings.kind == CheckKind::automatic) {
        decision.retryCount = findings.retryCount + 1;
        decision.retryAfter = retryDelay(decision.retryCount);
    }
    return decision;
}

CheckDecision upToDate(const CheckFindings& findings) {
    CheckDecision decision;
    decision.versionLine = upToDateLine();
    decision.retryCount = kSettledRetryCount;
    decision.lastCheck = findings.published->version;
    return decision;
}

// Any other version text counts as new: version texts are not ordered here.
CheckDecision newVersion(const CheckFindings& findings, std::string_view archiveAddress) {
    const PublishedVersion& published = *findings.published;
    const bool important = isImportantVersion(published.important, findings.runningVersion);
    CheckDecision decision;
    decision.versionLine = newVersionLine(published.version);
    decision.retryCount = findings.retryCount;
    decision.lastCheck = published.version;
    if (findings.kind == CheckKind::userRequested) {
        decision.offer = newVersionOffer(published, important, archiveAddress);
    } else if (important || published.version != findings.lastCheck) {
        decision.balloon = newVersionBalloon(published, important);
    }
    return decision;
}

}  // namespace

CheckDecision decideCheck(const CheckFindings& findings, std::string_view archiveAddress) {
    if (!findings.published) {
        return failedCheck(findings);
    }
    if (findings.published->version == findings.runningVersion) {
        return upToDate(findings);
    }
    return newVersion(findings, archiveAddress);
}

}  // namespace galewarden
