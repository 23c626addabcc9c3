// Times the effects kernels on BGRA layers of control and banner sizes,
// beside OpenCV on the same image, single-threaded, in one run: for the
// blur GaussianBlur (sigma = radius / 2) and one boxFilter pass, for the
// rotation warpAffine (bilinear). Each figure is the median of repeated
// runs. One line per case:
//   blur 1024x256 radius 40: ours 1.23 ms, gaussian 20.9 ms, box 0.61 ms
#include "siblings/fx/kernels/blur.h"
#include "siblings/fx/kernels/emboss.h"
#include "siblings/fx/kernels/rotate.h"
#include "siblings/fx/kernels/shadow.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
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

// Milliseconds to about three significant digits: 569, 20.9, 1.23, 0.61, 0.045.
std::string Ms(double ms) {
    char text[32];
    std::snprintf(text, sizeof text,
                  ms >= 100   ? "%.0f"
                  : ms >= 10  ? "%.1f"
                  : ms >= 0.1 ? "%.2f"
                              : "%.3f",
                  ms);
    return text;
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
    std::printf("blur %dx%d radius %d: ours %s ms, gaussian %s ms, box %s ms\n", w, h, radius,
                Ms(ours).c_str(), Ms(gaussian).c_str(), Ms(box).c_str());
}

void BenchEmboss(int w, int h) {
    const Layer source = SampleLayer(w, h);
    Layer layer(w, h);
    EmbossSettings e;
    e.highlight = {255, 255, 255};
    const double ours = MedianMs([&] { Copy(source.Pixels(), layer.Pixels()); },
                                 [&] { Emboss(layer.Pixels(), e, layer.Work()); });
    std::printf("emboss %dx%d depth %d: ours %s ms\n", w, h, e.depth, Ms(ours).c_str());
}

void BenchDropShadow(int w, int h) {
    const Layer source = SampleLayer(w, h);
    const ShadowSettings s{3, 3, {0, 0, 0}, 127, 45};
    const ShadowGeometry g = DropShadowGeometry(source.Pixels(), s);
    Layer target(w + g.extraWidth, h + g.extraHeight);
    const double ours =
        MedianMs([] {}, [&] { DropShadow(source.Pixels(), target.Pixels(), s, target.Work()); });
    std::printf("drop shadow %dx%d intensity %d: ours %s ms\n", w, h, s.intensity,
                Ms(ours).c_str());
}

void BenchRotate(int w, int h, int degrees) {
    const Layer source = SampleLayer(w, h);
    const Size size = RotatedSize(w, h, float(degrees));
    Layer target(size.width, size.height);
    const double ours =
        MedianMs([] {}, [&] { Rotate(source.Pixels(), target.Pixels(), float(degrees)); });
    // The same turn about the centre onto the same box, bilinear.
    const cv::Mat src(h, w, CV_8UC4, const_cast<Pixel*>(source.Pixels().pixels));
    cv::Mat turn = cv::getRotationMatrix2D({w / 2.0f, h / 2.0f}, degrees, 1.0);
    turn.at<double>(0, 2) += (size.width - w) / 2.0;
    turn.at<double>(1, 2) += (size.height - h) / 2.0;
    cv::Mat dst;
    const double warp =
        MedianMs([] {},
                 [&] {
                     cv::warpAffine(src, dst, turn, {size.width, size.height}, cv::INTER_LINEAR);
                 });
    std::printf("rotate %dx%d %d degrees: ours %s ms, warpAffine %s ms\n", w, h, degrees,
                Ms(ours).c_str(), Ms(warp).c_str());
}

} // namespace

int main() {
    cv::setNumThreads(1);
    for (const auto& [w, h] : {std::pair{256, 64}, std::pair{1024, 256}})
        for (const int radius : {2, 10, 40, 125})
            BenchBlur(w, h, radius);
    BenchEmboss(1024, 256);
    BenchDropShadow(1024, 256);
    BenchRotate(1024, 256, 90);
    BenchRotate(1024, 256, 30);
    return 0;
}
