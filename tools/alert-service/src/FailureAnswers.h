#pragma once

#include "Scenario.h"
#include "ShutdownSignal.h"

#include <httplib.h>

namespace galewarden::alertservice {

// Answers, or leaves unanswered, a vendor request the way the failure mode breaks the vendor.
// A stalled request waits until the client gives up or the service stops.
void answerWithFailure(Failure failure, const httplib::Request& request,
                       httplib::Response& response, ShutdownSignal& shutdown);

}  // namespace galewarden::alertservice
