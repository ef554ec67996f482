#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/json/JsonDocument.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

constexpr int kWarnings = 3000;
constexpr std::size_t kContentBytes = 600;

// Cuts UTF-8 text to at most `size` bytes without splitting a character.
void cutAtCharacter(std::string& text, std::size_t size) {
    if (text.size() <= size) {
        return;
    }
    while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) {
        --size;
    }
    text.resize(size);
}

std::string warningJson(int i) {
    static const char* const kRegions[] = {"北京市", "上海市", "广东省广州市", "四川省成都市"};
    static const char* const kSignals[] = {"暴雨蓝色", "大风黄色", "高温橙色", "台风红色"};
    const std::string region = kRegions[i % 4];
    const std::string signal = kSignals[(i / 4) % 4];
    std::string content =
        region + "气象台" + std::to_string(i % 28 + 1) + "日10时20分发布" + signal + "预警信号：";
    while (content.size() < kContentBytes) {
        content +=
            "预计未来6小时内本市大部分地区将出现明显降水，局地伴有雷电和短时大风，"
            "请注意防范城市内涝、山洪及地质灾害。";
    }
    cutAtCharacter(content, kContentBytes);
    return "{\"id\":\"" + std::to_string(11010041600000 + i) + "_20261209102000\",\"title\":\"" +
           region + "气象台发布" + signal + "预警信号\",\"content\":\"" + content +
           "\",\"time\":\"2026-12-09 10:20:00\",\"type\":\"11B03\",\"longitude\":116.40717,"
           "\"latitude\":39.90469}";
}

// The vendor answer, in the escaped form the refresh parses.
const std::string& vendorAnswer() {
    static const std::string answer = [] {
        std::string utf8 = "{\"code\":0,\"msg\":\"success\",\"data\":[";
        for (int i = 0; i < kWarnings; ++i) {
            utf8 += (i == 0 ? "" : ",") + warningJson(i);
        }
        utf8 += "]}";
        return convertText(utf8, Encoding::Utf8, Encoding::Java);
    }();
    return answer;
}

std::vector<std::string> memberPaths() {
    std::vector<std::string> paths;
    for (int i = 0; i < kWarnings; ++i) {
        const std::string element = "data[" + std::to_string(i) + "].";
        for (const char* member : {"id", "title", "content", "time", "type", "longitude"}) {
            paths.push_back(element + member);
        }
    }
    return paths;
}

void readAll(const JsonDocument& document, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        benchmark::DoNotOptimize(document.getText(path));
    }
}

void BM_ParseAndReadSixMembersOf3000Warnings(benchmark::State& state) {
    const std::string& answer = vendorAnswer();
    const std::vector<std::string> paths = memberPaths();
    for (auto _ : state) {
        JsonDocument document;
        if (!document.parse(answer)) {
            state.SkipWithError("the answer does not parse");
            return;
        }
        readAll(document, paths);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(answer.size()));
}
BENCHMARK(BM_ParseAndReadSixMembersOf3000Warnings)->Unit(benchmark::kMillisecond);

void BM_Parse3000Warnings(benchmark::State& state) {
    const std::string& answer = vendorAnswer();
    JsonDocument document;
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.parse(answer));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(answer.size()));
}
BENCHMARK(BM_Parse3000Warnings)->Unit(benchmark::kMillisecond);

void BM_ReadSixMembersOf3000Warnings(benchmark::State& state) {
    JsonDocument document;
    if (!document.parse(vendorAnswer())) {
        state.SkipWithError("the answer does not parse");
        return;
    }
    const std::vector<std::string> paths = memberPaths();
    for (auto _ : state) {
        readAll(document, paths);
    }
}
BENCHMARK(BM_ReadSixMembersOf3000Warnings)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace galewarden
