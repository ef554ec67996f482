// The peak resident memory of showing one Pack picture of 5500 × 5500 (or 4096 × 4096) pixels
// in the icon window: as the program shows it now (shrunk while it is read, at the window's
// size) and, for comparison, decoded whole and then scaled. Run one case per process for its
// own peak:
//   picture_memory_bench --benchmark_filter=shown/5500
//   picture_memory_bench --benchmark_filter=whole/5500
#include <benchmark/benchmark.h>
#include <png.h>
#include <sys/resource.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/alerts/DisplaySnapshot.h"
#include "ui/SignalPicture.h"

namespace galewarden {
namespace {

// A picture with some detail, written row by row so that making it costs no memory itself.
std::string pictureOfSide(int side) {
    char* bytes = nullptr;
    std::size_t size = 0;
    FILE* out = open_memstream(&bytes, &size);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, out);
    png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<std::size_t>(side) * 4);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            png_byte* pixel = &row[static_cast<std::size_t>(x) * 4];
            pixel[0] = static_cast<png_byte>(x ^ y);
            pixel[1] = static_cast<png_byte>(x + y);
            pixel[2] = static_cast<png_byte>(y);
            pixel[3] = 255;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(out);
    std::string picture(bytes, size);
    std::free(bytes);
    return picture;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void shown(benchmark::State& state) {
    const DisplayEntry entry{
        pictureOfSide(static_cast<int>(state.range(0))), "\xb1\xa9\xd3\xea\xc0\xb6", {}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(signalPicture(entry, QSize(100, 82)));
    }
    state.counters["peak_MB"] = peakMegabytes();
}

void whole(benchmark::State& state) {
    const std::string png = pictureOfSide(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QImage image = QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                                        static_cast<int>(png.size()), "PNG");
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        benchmark::DoNotOptimize(
            image.scaled(QSize(100, 82), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    state.counters["peak_MB"] = peakMegabytes();
}

BENCHMARK(shown)->Arg(5500)->Arg(4096)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(whole)->Arg(5500)->Arg(4096)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace galewarden

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
