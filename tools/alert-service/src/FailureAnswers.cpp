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

constexpr char kFirewallPage[] =
    "<!DOCTYPE html>\r\n<html>\r\n<head><meta charset=\"utf-8\"><title>WEB 应用防火墙</title>"
    "</head>\r\n<body>\r\n<h1>人机识别检测</h1>\r\n<p>请完成验证后继续访问。</p>\r\n</body>\r\n"
    "</html>\r\n";

constexpr char kTruncatedAnswer[] =
    R"({"data":[{"id":"11000041600000_20261006214000","title":"北京市气象台发布大风蓝色预警信号",)"
    R"("content":"预计未来24小时)";

constexpr std::size_t kHugeBytes = 40u << 20;

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
        case Failure::Firewall:
            response.set_content(kFirewallPage, "text/html; charset=utf-8");
            break;
        case Failure::Truncated:
            response.set_content(kTruncatedAnswer, "application/json; charset=utf-8");
            break;
        case Failure::Huge:
            response.set_content(std::string(kHugeBytes, 'x'), "text/plain");
            break;
        case Failure::None:
        case Failure::SlowFirst:
            break;
    }
}

}  // namespace galewarden::alertservice
