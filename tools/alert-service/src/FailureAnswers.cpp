#include "FailureAnswers.h"

#include "PeerSocket.h"

#include <chrono>

namespace galewarden::alertservice {
namespace {

constexpr char kServerErrorBody[] = R"({"code":500,"message":"internal error, try again later"})";

constexpr char kBadGatewayPage[] =
    "<!DOCTYPE html>\r\n<html>\r\n<head><title>502 Bad Gateway</title></head>\r\n"
    "<body>\r\n<h1>502 Bad Gateway</h1>\r\n"
    "<p>The upstream server did not answer in time.</p>\r\n<hr>\r\n<p>gateway</p>\r\n"
    "</body>\r\n</html>\r\n";

void dropOrReport(int socket, httplib::Response& response) {
    if (socket < 0) {
        response.status = 500;
        response.set_content("the connection could not be dropped\n", "text/plain");
        return;
    }
    dropConnection(socket);
}

void stall(const httplib::Request& request, httplib::Response& response, ShutdownSignal& shutdown) {
    const int socket = requestSocket(request);
    while (!shutdown.waitFor(std::chrono::milliseconds(100))) {
        if (socket >= 0 && peerHasClosed(socket)) {
            break;
        }
    }
    dropOrReport(socket, response);
}

}  // namespace

void answerWithFailure(Failure failure, const httplib::Request& request,
                       httplib::Response& response, ShutdownSignal& shutdown) {
    switch (failure) {
        case Failure::Http500:
            response.status = 500;
            response.set_content(kServerErrorBody, "application/json; charset=utf-8");
            break;
        case Failure::HtmlError:
            response.status = 502;
            response.set_content(kBadGatewayPage, "text/html");
            break;
        case Failure::EmptyBody:
            response.status = 200;
            break;
        case Failure::Stall:
            stall(request, response, shutdown);
            break;
        case Failure::Drop:
            dropOrReport(requestSocket(request), response);
            break;
        case Failure::None:
            break;
    }
}

}  // namespace galewarden::alertservice
