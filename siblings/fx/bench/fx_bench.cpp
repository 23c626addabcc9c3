// Times the effects kernels on BGRA layers of control and banner sizes and,
// for the blur, OpenCV's GaussianBlur (sigma = radius / 2) and one boxFilter
// pass on the same image, single-threaded, in one run. Each figure is the
// median of repeated runs. One line per case:
//   blur 1024x256 radius 40: ours 1.23 ms, gaussian 20.9 ms, box 0.61 ms
#include "siblings/fx/kernels/blur.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace pkw::fx;

// Median milliseconds of `run`, with `prepare` (untimed) before each run:
// at least 9 runs, more while they take under a quarter of a second.
double MedianMs(const std::function<void()>& prepare, const std::function<void()>& run) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> ms;
    double total = 0;
    while (ms.size() < 9 || (total < 250 && ms.size() < 201)) {
        prepare();
        const auto t0 = Clock::now();
        run();
        const double t = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        ms.push_back(t);
        total += t;
    }
    std::nth_element(ms.begin(), ms.begin() + ms.size() / 2, ms.end());
    return ms[ms.size() / 2];
}

// A caption-like test image: opaque bars and blocks of varied colours on
// transparency, with a gradient, so that every channel carries detail.
Layer SampleLayer(int w, int h) {
    Layer layer(w, h);
    View v = layer.Pixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool ink = ((x / 7) % 3 == 0 && (y / 5) % 2 == 0) || ((x + 2 * y) % 23 < 6);
            const std::uint32_t a = ink ? 255 : (x * 255 / w) / 4;
            v.At(x, y) =
                Premultiply({std::uint8_t(x), std::uint8_t(y * 3), std::uint8_t(x ^ y)}, a);
        }
    return layer;
}

void BenchBlur(int w, int h, int radius) {
    const int amount = 2 * radius * radius;
    const Layer source = SampleLayer(w, h);
    Layer layer(w, h);
    const cv::Mat src(h, w, CV_8UC4, const_cast<Pixel*>(source.Pixels().pixels));
    cv::Mat dst(h, w, CV_8UC4);

    const double ours = MedianMs([&] { Copy(source.Pixels(), layer.Pixels()); },
                                 [&] { Blur(layer.Pixels(), BlurRadius(amount), layer.Work()); });
    const double gaussian = MedianMs([] {}, [&] { cv::GaussianBlur(src, dst, {}, radius / 2.0); });
    const double box = MedianMs([] {},
                                [&] {
                                    cv::boxFilter(src, dst, -1, {2 * radius + 1, 2 * radius + 1});
                                });
    std::printf("blur %dx%d radius %d: ours %.3g ms, gaussian %.3g ms, box %.3g ms\n", w, h, radius,
                ours, gaussian, box);
}

} // namespace

int main() {
    cv::setNumThreads(1);
    for (const auto& [w, h] : {std::pair{256, 64}, std::pair{1024, 256}})
        for (const int radius : {2, 10, 40, 125})
            BenchBlur(w, h, radius);
    return 0;
}
