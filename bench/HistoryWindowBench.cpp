// The history window over 100,000 rows: opening it and changing its filter, each until the
// window has painted again. Runs without a display.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <cstdlib>
#include <filesystem>

#include "HistorySeed.h"
#include "core/platform/FileSystem.h"
#include "ui/HistoryWindow.h"

namespace galewarden {
namespace {

std::string seededFile() {
    static const std::string path = [] {
        const std::filesystem::path dir =
            std::filesystem::temp_directory_path() / "galewarden-history-window-bench";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        const std::string file = pathText(dir / "History.db");
        bench::seedHistory(file, 100'000);
        return file;
    }();
    return path;
}

// The model alone, for comparison: reading the file and filtering.
void historyModelLoads(benchmark::State& state) {
    const std::string file = seededFile();
    for (auto _ : state) {
        HistoryBrowser browser(file);
        benchmark::DoNotOptimize(browser.load());
    }
}
BENCHMARK(historyModelLoads)->Unit(benchmark::kMillisecond)->Iterations(10);

void historyWindowOpens(benchmark::State& state) {
    const std::string file = seededFile();
    for (auto _ : state) {
        HistoryWindow window(file);
        window.show();
        QApplication::processEvents();
        state.PauseTiming();
        window.close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(historyWindowOpens)->Unit(benchmark::kMillisecond)->Iterations(10);

// Typing a search text and taking it away again: two filter changes per iteration over all
// rows of the last days.
void historyWindowSearches(benchmark::State& state) {
    HistoryWindow window(seededFile());
    window.show();
    QApplication::processEvents();
    auto* search = window.findChild<QLineEdit*>(QStringLiteral("searchText"));
    for (auto _ : state) {
        search->setText(QString::fromUtf8("防范"));
        QApplication::processEvents();
        search->setText(QString::fromUtf8("第17县"));
        QApplication::processEvents();
    }
}
BENCHMARK(historyWindowSearches)->Unit(benchmark::kMillisecond);

void historyWindowColourToggles(benchmark::State& state) {
    HistoryWindow window(seededFile());
    window.show();
    QApplication::processEvents();
    auto* red = window.findChild<QCheckBox*>(QStringLiteral("colour5"));
    for (auto _ : state) {
        red->toggle();
        QApplication::processEvents();
    }
}
BENCHMARK(historyWindowColourToggles)->Unit(benchmark::kMillisecond);

// The district heading clicked twice: the rows by district, up and down.
void historyWindowSortsByDistrict(benchmark::State& state) {
    HistoryWindow window(seededFile());
    window.show();
    QApplication::processEvents();
    QHeaderView* header =
        window.findChild<QTableView*>(QStringLiteral("historyTable"))->horizontalHeader();
    for (auto _ : state) {
        header->setSortIndicator(HistoryBrowser::district, Qt::AscendingOrder);
        QApplication::processEvents();
        header->setSortIndicator(HistoryBrowser::district, Qt::DescendingOrder);
        QApplication::processEvents();
    }
}
BENCHMARK(historyWindowSortsByDistrict)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace galewarden

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
