// Each operation family against the nearest OpenCV or FFTW call on the same
// 4096 x 4096 image: rounds alternate ours and the peer, and one row reports
// both medians and their ratio.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

#include "image/Image.h"
#include "processing/HistogramCombos.h"
#include "platform/Format.h"
#include "platform/ParallelRows.h"

namespace {

constexpr int kSide = 4096;
constexpr int kFftSide = 1024;
constexpr int kRounds = 9;
constexpr int kRoom = 4;  // inset of the AOI: no neighbourhood asks to shrink it

// Random pixels, grey or colour, in both representations.
struct Pair {
    CImage ours;
    cv::Mat peer;
};

Pair RandomPair(int side, bool grey)
{
    Pair pair;
    pair.ours.BlankImage(side, side, CColorVal());
    pair.ours.format = grey ? FORMAT_GRAYSCALE : FORMAT_RGB;
    pair.peer.create(side, side, grey ? CV_8UC1 : CV_8UC3);
    std::uint32_t state = 12345;
    auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>(state >> 24);
    };
    for (int y = 0; y < side; ++y) {
        CColorVal* row = pair.ours.pixelValueArray[y];
        std::uint8_t* mat = pair.peer.ptr<std::uint8_t>(y);
        for (int x = 0; x < side; ++x) {
            const int r = next();
            const int g = grey ? r : next();
            const int b = grey ? r : next();
            row[x] = CColorVal(r, g, b);
            if (grey) {
                mat[x] = static_cast<std::uint8_t>(r);
            } else {
                mat[3 * x] = static_cast<std::uint8_t>(b);
                mat[3 * x + 1] = static_cast<std::uint8_t>(g);
                mat[3 * x + 2] = static_cast<std::uint8_t>(r);
            }
        }
    }
    pair.ours.SettleStorage();  // held as a grey file's pixels are
    pair.ours.aoiLeft = pair.ours.aoiTop = kRoom;
    pair.ours.aoiRight = pair.ours.aoiBottom = side - 1 - kRoom;
    return pair;
}

const Pair& Source(bool grey)
{
    static const Pair greyPair = RandomPair(kSide, true);
    static const Pair rgbPair = RandomPair(kSide, false);
    return grey ? greyPair : rgbPair;
}

// 200 filled discs on black in a 20 x 10 grid.
Pair Discs()
{
    Pair pair;
    pair.ours.BlankImage(kSide, kSide, CColorVal());
    pair.ours.format = FORMAT_GRAYSCALE;
    pair.peer = cv::Mat::zeros(kSide, kSide, CV_8UC1);
    for (int k = 0; k < 200; ++k) {
        const int cx = 100 + (k % 20) * 200, cy = 150 + (k / 20) * 400, radius = 40 + k % 50;
        for (int y = cy - radius; y <= cy + radius; ++y)
            for (int x = cx - radius; x <= cx + radius; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) {
                    pair.ours.pixelValueArray[y][x] = CColorVal(200, 200, 200);
                    pair.peer.at<std::uint8_t>(y, x) = 200;
                }
    }
    pair.ours.SettleStorage();
    return pair;
}

using Clock = std::chrono::steady_clock;

template <typename Run>
double Milliseconds(Run run)
{
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One family: prepare copies outside the clock, then time ours and the peer
// in alternating rounds.
struct Family {
    std::string name;
    std::function<void()> prepare;
    std::function<void()> ours;
    std::function<void()> peer;
};

// Ours and the peer both get the given number of threads.
void Compare(benchmark::State& state, const Family& family, int threads)
{
    const parallel::ScopedThreads ourThreads(threads);
    cv::setNumThreads(threads);
    std::vector<double> ours, peer;
    for (auto _ : state) {
        family.prepare();
        // Each side goes first in every other round: neither always finds
        // the caches and the file system as the preparation left them.
        if (ours.size() % 2 == 0) {
            ours.push_back(Milliseconds(family.ours));
            peer.push_back(Milliseconds(family.peer));
        } else {
            peer.push_back(Milliseconds(family.peer));
            ours.push_back(Milliseconds(family.ours));
        }
        state.SetIterationTime(ours.back() / 1000.0);
    }
    // The ratio is that of each round's two times, whose runs lie close
    // together: a stretch when the machine is busy slows both.
    std::vector<double> ratios(ours.size());
    for (size_t i = 0; i < ours.size(); ++i) ratios[i] = ours[i] / peer[i];
    state.counters["ours_ms"] = Median(ours);
    state.counters["peer_ms"] = Median(peer);
    state.counters["ratio"] = Median(ratios);
}

// The working images of the families on 4096 x 4096 pixels.
struct Work {
    CImage image;
    cv::Mat in, out;
    void Reset(bool grey)
    {
        image = Source(grey).ours;
        image.aoiLeft = image.aoiTop = kRoom;
        image.aoiRight = image.aoiBottom = kSide - 1 - kRoom;
        in = Source(grey).peer.clone();
    }
};

Work& Shared()
{
    static Work work;
    return work;
}

void Check(CImage& image, int result)
{
    if (result != 0) std::fprintf(stderr, "failed: %s\n", image.errorMessage.c_str());
}

// A family on the shared 4096 x 4096 image.
Family OnImage(std::string name, bool grey, std::function<int(CImage&)> ours,
              std::function<void(cv::Mat&, cv::Mat&)> peer)
{
    return {std::move(name), [grey] { Shared().Reset(grey); },
            [ours] { Check(Shared().image, ours(Shared().image)); },
            [peer] { peer(Shared().in, Shared().out); }};
}

cv::Mat Box(int n, float off, float centre)
{
    cv::Mat k(n, n, CV_32F, cv::Scalar(off));
    k.at<float>(n / 2, n / 2) = centre;
    return k;
}

std::vector<float> CustomWeights(int n)
{
    std::vector<float> w(static_cast<size_t>(n * n));
    for (int i = 0; i < n * n; ++i) w[static_cast<size_t>(i)] = static_cast<float>((i * 37) % 19 - 9) / 23.0f;
    return w;
}

cv::Mat Element(int n, int direction)
{
    switch (direction) {
    case 1: return cv::Mat::ones(1, n, CV_8U);
    case 2: return cv::Mat::ones(n, 1, CV_8U);
    case 3: {
        cv::Mat e = cv::Mat::zeros(n, n, CV_8U);
        for (int r = 0; r < n; ++r) e.at<std::uint8_t>(r, n - 1 - r) = 1;
        return e;
    }
    default: return cv::Mat::ones(n, n, CV_8U);
    }
}

void RotatePeer(const cv::Mat& in, cv::Mat& out, int flags)
{
    const cv::Mat m = cv::getRotationMatrix2D(cv::Point2f((in.cols - 1) * 0.5f, (in.rows - 1) * 0.5f), 30, 1);
    cv::warpAffine(in, out, m, in.size(), flags);
}

std::vector<Family> ImageFamilies()
{
    std::vector<Family> f;
    f.push_back({"InvertVsMemcpy/rgb", [] { Shared().Reset(false); }, [] { Shared().image.Invert(); }, [] {
                     Work& w = Shared();
                     w.out.create(w.in.size(), w.in.type());
                     std::memcpy(w.out.data, w.in.data, w.in.total() * w.in.elemSize());
                 }});
    f.push_back(OnImage("Invert/rgb", false, [](CImage& i) { i.Invert(); return 0; },
                        [](cv::Mat& in, cv::Mat& out) { cv::bitwise_not(in, out); }));
    f.push_back(OnImage("Threshold/rgb", false, [](CImage& i) { i.Threshold(128, 0, true, 3); return 0; },
                        [](cv::Mat& in, cv::Mat& out) { cv::threshold(in, out, 127, 0, cv::THRESH_TOZERO); }));
    for (const int n : {3, 9}) {
        const std::string size = platform::Format("/%d", n);
        f.push_back(OnImage("LowPass/rgb" + size, false, [n](CImage& i) { return i.LowPass(n); },
                            [n](cv::Mat& in, cv::Mat& out) { cv::blur(in, out, cv::Size(n, n)); }));
        f.push_back(OnImage("LowPass/grey" + size, true, [n](CImage& i) { return i.LowPass(n); },
                            [n](cv::Mat& in, cv::Mat& out) { cv::blur(in, out, cv::Size(n, n)); }));
    }
    f.push_back(OnImage("HighPass/rgb/3", false, [](CImage& i) { return i.HighPass(3); },
                        [](cv::Mat& in, cv::Mat& out) { cv::filter2D(in, out, -1, Box(3, -1, 9)); }));
    f.push_back(OnImage("Laplace/rgb/3", false, [](CImage& i) { return i.Laplace(3); },
                        [](cv::Mat& in, cv::Mat& out) { cv::filter2D(in, out, -1, Box(3, -1, 8)); }));
    f.push_back(OnImage("UnsharpMask/rgb/3", false, [](CImage& i) { return i.UnsharpMask(3, 1.0); },
                        [](cv::Mat& in, cv::Mat& out) { cv::filter2D(in, out, -1, Box(3, -1.0f / 9, 17.0f / 9)); }));
    for (const bool grey : {false, true})
        for (const int n : {3, 9})
            f.push_back(OnImage(platform::Format("Custom/%s/%d", grey ? "grey" : "rgb", n), grey,
                                [n](CImage& i) { return i.CustomFilter(n, CustomWeights(n)); },
                                [n](cv::Mat& in, cv::Mat& out) {
                                    cv::filter2D(in, out, -1, cv::Mat(n, n, CV_32F, CustomWeights(n).data()));
                                }));
    f.push_back(OnImage("Prewitt/grey", true, [](CImage& i) { return i.Prewitt(0); },
                        [](cv::Mat& in, cv::Mat& out) {
                            const float k[9] = {1, 1, 1, 0, 0, 0, -1, -1, -1};
                            cv::filter2D(in, out, -1, cv::Mat(3, 3, CV_32F, const_cast<float*>(k)));
                        }));
    f.push_back(OnImage("Sobel/grey", true, [](CImage& i) { return i.Sobel(); }, [](cv::Mat& in, cv::Mat& out) {
        cv::Mat gx, gy, magnitude;
        cv::Sobel(in, gx, CV_32F, 1, 0);
        cv::Sobel(in, gy, CV_32F, 0, 1);
        cv::magnitude(gx, gy, magnitude);
        magnitude.convertTo(out, CV_8U);
    }));
    for (const int n : {3, 9}) {
        const std::string size = platform::Format("/%d", n);
        f.push_back(OnImage("Median/grey" + size, true, [n](CImage& i) { return i.MedianFilter(n); },
                            [n](cv::Mat& in, cv::Mat& out) { cv::medianBlur(in, out, n); }));
    }
    static const char* const kElements[] = {"square", "horizontal", "vertical", "diagonal"};
    for (const int n : {3, 9})
        for (int d = 0; d < 4; ++d) {
            const std::string tail = platform::Format("/grey/%s/%d", kElements[d], n);
            f.push_back(OnImage("Erosion" + tail, true, [n, d](CImage& i) { return i.Erosion(n, d); },
                                [n, d](cv::Mat& in, cv::Mat& out) { cv::erode(in, out, Element(n, d)); }));
            f.push_back(OnImage("Dilation" + tail, true, [n, d](CImage& i) { return i.Dilation(n, d); },
                                [n, d](cv::Mat& in, cv::Mat& out) { cv::dilate(in, out, Element(n, d)); }));
        }
    for (const int n : {3, 9})
        f.push_back(OnImage(platform::Format("Opening/grey/square/%d", n), true,
                            [n](CImage& i) { return i.Opening(n, 0, 1); }, [n](cv::Mat& in, cv::Mat& out) {
                                cv::morphologyEx(in, out, cv::MORPH_OPEN, Element(n, 0));
                            }));
    f.push_back(OnImage("Rotate30/rgb/nearest", false, [](CImage& i) { return i.Rotate(30, 0); },
                        [](cv::Mat& in, cv::Mat& out) { RotatePeer(in, out, cv::INTER_NEAREST); }));
    f.push_back(OnImage("Rotate30/rgb/bilinear", false, [](CImage& i) { return i.Rotate(30, 1); },
                        [](cv::Mat& in, cv::Mat& out) { RotatePeer(in, out, cv::INTER_LINEAR); }));
    for (const double factor : {0.5, 2.0})
        for (const int method : {0, 1}) {
            const std::string name = std::string(factor < 1 ? "Scale0.5" : "Scale2") + "/rgb/" +
                                     (method == 0 ? "nearest" : "bilinear");
            f.push_back(OnImage(name, false,
                                [factor, method](CImage& i) { return i.Scale(factor * 100, factor * 100, method); },
                                [factor, method](cv::Mat& in, cv::Mat& out) {
                                    cv::resize(in, out, cv::Size(), factor, factor,
                                               method == 0 ? cv::INTER_NEAREST : cv::INTER_LINEAR);
                                }));
        }
    f.push_back(OnImage("Equalize/grey", true, [](CImage& i) { EqualizeHistogram(i, 0); return 0; },
                        [](cv::Mat& in, cv::Mat& out) { cv::equalizeHist(in, out); }));
    return f;
}

// The FFT of a 1024 x 1024 grey image against a measured FFTW plan of the
// same complex doubles; forward, the peer also makes the display picture
// plainly, as ours does: the centred log(1 + |v|) of the values divided by
// their count, scaled to 0 .. 255 over their range.
struct FftWork {
    CImage source, image;
    std::vector<std::complex<double>> data;
    std::vector<double> logs;
    std::vector<std::uint8_t> picture;
    fftw_plan forward = nullptr, backward = nullptr;
    FftWork()
    {
        const Pair pair = RandomPair(kFftSide, true);
        source = pair.ours;
        source.SetWholeAoi();
        data.resize(static_cast<size_t>(kFftSide) * kFftSide);
        logs.resize(data.size());
        picture.resize(data.size());
        auto* d = reinterpret_cast<fftw_complex*>(data.data());
        forward = fftw_plan_dft_2d(kFftSide, kFftSide, d, d, FFTW_FORWARD, FFTW_MEASURE);
        backward = fftw_plan_dft_2d(kFftSide, kFftSide, d, d, FFTW_BACKWARD, FFTW_MEASURE);
    }
    void Fill()
    {
        // Read through a const image: writable rows would drop its grey plane.
        const CImage& levels = source;
        for (int y = 0; y < kFftSide; ++y)
            for (int x = 0; x < kFftSide; ++x)
                data[static_cast<size_t>(y) * kFftSide + x] = levels.pixelValueArray[y][x].red;
    }
    void Display()
    {
        const size_t count = data.size();
        const double scale = 1.0 / static_cast<double>(count);
        double low = std::numeric_limits<double>::infinity(), high = -low;
        for (size_t i = 0; i < count; ++i) {
            const double re = data[i].real() * scale, im = data[i].imag() * scale;
            logs[i] = std::log(1 + std::sqrt(re * re + im * im));
            low = std::min(low, logs[i]);
            high = std::max(high, logs[i]);
        }
        const double factor = high > low ? 255 / (high - low) : 0;
        constexpr int half = kFftSide / 2;
        for (int y = 0; y < kFftSide; ++y)
            for (int x = 0; x < kFftSide; ++x) {
                const size_t to = static_cast<size_t>((y + half) % kFftSide) * kFftSide + (x + half) % kFftSide;
                picture[to] = static_cast<std::uint8_t>(
                    static_cast<int>((logs[static_cast<size_t>(y) * kFftSide + x] - low) * factor));
            }
    }
};

FftWork& Fft()
{
    static FftWork work;
    return work;
}

// Image files in the temporary folder, each format with the same settings
// on both sides: the RGB source written and read, and a 16-bit grey file
// (the grey source times 257, written by OpenCV) read by both.
struct FileFormatCase {
    const char* name;
    const char* extension;
    std::vector<int> peerSettings;
    bool sixteenBit;  // the format holds 16-bit grey
};

const std::vector<FileFormatCase>& FileFormatCases()
{
    static const std::vector<FileFormatCase> cases = {
        {"Bitmap", ".bmp", {}, false},
        {"Png", ".png", {cv::IMWRITE_PNG_COMPRESSION, 6}, true},  // zlib's default level, as libpng's
        {"Tiff", ".tif", {cv::IMWRITE_TIFF_COMPRESSION, 8}, true},  // Deflate
        {"Jpeg", ".jpg", {cv::IMWRITE_JPEG_QUALITY, 95}, false},
    };
    return cases;
}

std::string OursFile(const FileFormatCase& c) { return std::string("/tmp/nuvak-bench-ours") + c.extension; }
std::string PeerFile(const FileFormatCase& c) { return std::string("/tmp/nuvak-bench-peer") + c.extension; }

void SerializeOurs(CImage& image, bool write, const std::string& path)
{
    std::string message;
    bool causeValid = false;
    int cause = 0;
    if (image.SerializeFile(write, path, false, message, causeValid, cause) != 0)
        std::fprintf(stderr, "failed: %s\n", message.c_str());
}

// Reads a file once: the first read of a file just written and synced runs
// markedly slower than later ones, and would fall on whichever side goes first.
void Warm(const std::string& path)
{
    std::vector<char> bytes(1 << 20);
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        while (std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size()) {
        }
        std::fclose(file);
    }
}

void FileFormatFamilies(std::vector<Family>& f)
{
    for (const FileFormatCase& c : FileFormatCases()) {
        const std::string name = c.name;
        f.push_back({name + "Write/rgb",
                     [&c] {
                         Shared().Reset(false);
                         // Both sides write new files: replacing one, ours would also wait for the
                         // disk, as a save that never loses the old file does.
                         ::unlink(OursFile(c).c_str());
                         ::unlink(PeerFile(c).c_str());
                         ::sync();
                     },
                     [&c] { SerializeOurs(Shared().image, true, OursFile(c)); },
                     [&c] { cv::imwrite(PeerFile(c), Shared().in, c.peerSettings); }});
        f.push_back({name + "Read/rgb",
                     [&c] {
                         Shared().Reset(false);
                         SerializeOurs(Shared().image, true, OursFile(c));
                         cv::imwrite(PeerFile(c), Shared().in, c.peerSettings);
                         ::sync();  // no write-back of the files runs while either side reads
                         Warm(OursFile(c));
                         Warm(PeerFile(c));
                     },
                     [&c] { SerializeOurs(Shared().image, false, OursFile(c)); },
                     [&c] { Shared().out = cv::imread(PeerFile(c), cv::IMREAD_COLOR); }});
        if (!c.sixteenBit) continue;
        f.push_back({name + "Read/grey16",
                     [&c] {
                         cv::Mat levels;
                         Source(true).peer.convertTo(levels, CV_16U, 257);
                         cv::imwrite(PeerFile(c), levels, c.peerSettings);
                         ::sync();
                         Warm(PeerFile(c));
                     },
                     [&c] { SerializeOurs(Shared().image, false, PeerFile(c)); },
                     [&c] { Shared().out = cv::imread(PeerFile(c), cv::IMREAD_UNCHANGED); }});
    }
}

std::vector<Family> OtherFamilies()
{
    std::vector<Family> f;
    f.push_back({"FFT1024/forward+display", [] { Fft().image = Fft().source; Fft().Fill(); },
                 [] { Check(Fft().image, Fft().image.Fft()); }, [] {
                     fftw_execute(Fft().forward);
                     Fft().Display();
                 }});
    f.push_back({"FFT1024/inverse", [] {
                     FftWork& w = Fft();
                     w.image = w.source;
                     Check(w.image, w.image.Fft());
                     w.Fill();
                 },
                 [] { Check(Fft().image, Fft().image.FftInverse()); }, [] { fftw_execute(Fft().backward); }});
    FileFormatFamilies(f);
    f.push_back({"FindObjects/200", [] {
                     static const Pair discs = Discs();
                     Shared().image = discs.ours;
                     Shared().image.SetWholeAoi();
                     Shared().in = discs.peer.clone();
                 },
                 [] { Check(Shared().image, Shared().image.CentroidDetermination("/tmp/nuvak-bench.dat", 2047, 0)); },
                 [] {
                     Work& w = Shared();
                     cv::Mat labels, stats, centroids;
                     cv::connectedComponentsWithStats(w.in, labels, stats, centroids);
                     std::vector<std::vector<cv::Point>> contours;
                     cv::findContours(w.in, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
                 }});
    return f;
}

const bool kRegistered = [] {
    static std::vector<Family> families = ImageFamilies();
    for (Family& family : OtherFamilies()) families.push_back(std::move(family));
    for (const Family& family : families)
        for (const int threads : {1, 2})
            benchmark::RegisterBenchmark(("Compare/" + family.name + platform::Format("/threads:%d", threads)).c_str(),
                                         [&family, threads](benchmark::State& state) {
                                             Compare(state, family, threads);
                                         })
                ->Iterations(kRounds)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
