// The SDL / FFmpeg backends: pictures, text, message boxes, sound, video, events and the window.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "ScreenGrab.h"
#include "TestSupport.h"
#include "platform/Files.h"
#include "platform/KeyNames.h"
#include "platform/PicturePrefetch.h"
#include "platform/Platform.h"
#include "platform/Surface.h"
#include "platform/headless/HeadlessDisplay.h"
#include "platform/sdl/FfmpegVideoPlayer.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlEventInjector.h"
#include "platform/sdl/SdlEvents.h"
#include "platform/sdl/SdlImageDecoder.h"
#include "platform/sdl/SdlMessageBox.h"
#include "platform/sdl/SdlTextRenderer.h"
#include "platform/sdl/TestVideoWriter.h"

namespace fs = std::filesystem;
using namespace platform;

using testing_support::EnvGuard;
using testing_support::XvfbServer;

namespace {

// A temporary folder (the working directory meanwhile) whose files are named by their full paths.
struct TempFolder : testing_support::TempGameFolder {
    std::string File(const std::string& name) const { return Path() + "/" + name; }
    std::string Put(const std::string& name, const std::string& bytes) const {
        Write(name, bytes);
        return File(name);
    }
};

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string Be32(uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string Chunk(const std::string& type, const std::string& data) {
    return Be32(static_cast<uint32_t>(data.size())) + type + data + Be32(Crc32(type + data));
}

// A zlib stream holding the data in one stored (uncompressed) block.
std::string ZlibStored(const std::string& data) {
    const uint16_t len = static_cast<uint16_t>(data.size());
    const uint16_t notLen = static_cast<uint16_t>(~len);
    uint32_t a = 1;
    uint32_t b = 0;
    for (unsigned char c : data) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    return std::string("\x78\x01\x01", 3) + static_cast<char>(len) + static_cast<char>(len >> 8) +
           static_cast<char>(notLen) + static_cast<char>(notLen >> 8) + data + Be32((b << 16) | a);
}

const std::string kPngSignature = "\x89PNG\r\n\x1a\n";

std::string Ihdr(uint32_t width, uint32_t height, int bitDepth, int colourType) {
    return Chunk("IHDR", Be32(width) + Be32(height) + static_cast<char>(bitDepth) + static_cast<char>(colourType) +
                             std::string(3, '\0'));
}

// A PNG of 8-bit samples; rows hold the raw samples of each row (filter byte 0 is added here).
std::string MakePng(int width, int height, int colourType, const std::vector<std::string>& rows,
                    const std::string& extraChunks = "") {
    std::string raw;
    for (const std::string& row : rows) raw += '\0' + row;
    return kPngSignature + Ihdr(width, height, 8, colourType) + extraChunks + Chunk("IDAT", ZlibStored(raw)) +
           Chunk("IEND", "");
}

std::string Rgb(uint32_t p) {
    return {static_cast<char>(p >> 16), static_cast<char>(p >> 8), static_cast<char>(p)};
}

// Little-endian bytes of a number.
std::string Le(uint32_t v, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
    return out;
}

// 16-bit stereo PCM WAV of a quiet tone.
std::string MakeWav(double seconds, int rate = 44100) {
    std::string data;
    for (uint32_t i = 0; i < static_cast<uint32_t>(seconds * rate); ++i) {
        const int16_t v = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
        data += Le(static_cast<uint16_t>(v), 2) + Le(static_cast<uint16_t>(v), 2);
    }
    const std::string fmt = Le(1, 2) + Le(2, 2) + Le(rate, 4) + Le(rate * 4, 4) + Le(4, 2) + Le(16, 2);
    const std::string body = "WAVEfmt " + Le(16, 4) + fmt + "data" + Le(data.size(), 4) + data;
    return "RIFF" + Le(body.size(), 4) + body;
}

std::string Garbage(size_t n, unsigned seed) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        s[i] = static_cast<char>(seed >> 16);
    }
    return s;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

std::string Hex(uint32_t p) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", p);
    return buf;
}

// ---------------------------------------------------------------- pictures

TEST(SdlImageDecoder, DecodesColoursExactly) {
    TempFolder dir;
    const struct {
        const char* name;
        std::string png;
        std::vector<uint32_t> pixels;
    } cases[] = {
        {"rgb",
         MakePng(2, 2, 2, {Rgb(0xFF0000) + Rgb(0x00FF00), Rgb(0x0000FF) + Rgb(0x123456)}),
         {0xFF0000, 0x00FF00, 0x0000FF, 0x123456}},
        // A fully transparent pixel must still give its colour, unblended and not premultiplied.
        {"rgba, alpha dropped",
         MakePng(2, 1, 6, {std::string("\x0a\x14\x1e\x00\xff\x80\x40\x7f", 8)}),
         {0x0A141E, 0xFF8040}},
        {"palette with index 0 transparent",
         MakePng(2, 1, 3, {std::string("\x00\x01", 2)},
                 Chunk("PLTE", Rgb(0xFF00FF) + Rgb(0x204060)) + Chunk("tRNS", std::string("\x00", 1))),
         {0xFF00FF, 0x204060}},
    };
    for (const auto& c : cases) {
        Image image;
        ASSERT_TRUE(SdlImageDecoder().DecodePng(dir.Put("p.png", c.png), image)) << c.name;
        EXPECT_EQ(image.width * image.height, static_cast<int>(c.pixels.size())) << c.name;
        std::vector<std::string> got, want;
        for (uint32_t p : image.pixels) got.push_back(Hex(p));
        for (uint32_t p : c.pixels) want.push_back(Hex(p));
        EXPECT_EQ(got, want) << c.name;
    }
}

TEST(SdlImageDecoder, RefusesBrokenAndOversizedFiles) {
    TempFolder dir;
    const std::string good = MakePng(2, 2, 2, {Rgb(1) + Rgb(2), Rgb(3) + Rgb(4)});
    std::string badCrc = good;
    badCrc[29] ^= 0x55;  // inside the IHDR CRC
    // A header promising a picture of 30000 x 30000 with only a few bytes of data behind it.
    const std::string hugeHeader =
        kPngSignature + Ihdr(30000, 30000, 8, 2) + Chunk("IDAT", ZlibStored("\0\0\0")) + Chunk("IEND", "");
    const std::string tooWide = kPngSignature + Ihdr(Surface::kMaxSide + 1, 1, 8, 2) + Chunk("IEND", "");
    const std::string tooManyPixels = kPngSignature + Ihdr(16384, 16384, 8, 2) + Chunk("IEND", "");
    const std::string zeroSize = kPngSignature + Ihdr(0, 5, 8, 2) + Chunk("IEND", "");
    // BMP header claiming 30000 x -30000 (top-down) pixels.
    std::string hugeBmp = "BM" + std::string(12, '\0') + std::string("\x28\0\0\0\x30\x75\0\0\xd0\x8a\xff\xff", 12) +
                          std::string(40, '\0');
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"garbage", Garbage(4000, 7)},
        {"signature only", kPngSignature},
        {"cut after header", good.substr(0, 33)},
        {"cut inside the data", good.substr(0, good.size() - 20)},
        {"broken header checksum", badCrc},
        {"huge header", hugeHeader},
        {"too wide", tooWide},
        {"too many pixels", tooManyPixels},
        {"zero width", zeroSize},
        {"huge bmp", hugeBmp},
    };
    SdlImageDecoder decoder;
    for (const auto& c : cases) {
        Image image;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(decoder.DecodePng(dir.Put("bad.png", c.bytes), image)) << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << c.name;
    }
    Image image;
    EXPECT_FALSE(decoder.DecodePng(dir.File("missing.png"), image));
    EXPECT_TRUE(decoder.DecodePng(dir.Put("good.png", good), image));
}

// Pictures of several kinds and failures, for the checks below that decode them from several threads.
std::vector<std::string> MixedPictures(const TempFolder& dir) {
    const std::string good = MakePng(2, 2, 2, {Rgb(1) + Rgb(2), Rgb(3) + Rgb(4)});
    return {
        dir.Put("a.png", good),
        dir.Put("b.png", MakePng(3, 1, 6, {std::string("\x0a\x14\x1e\x00\xff\x80\x40\x7f\x01\x02\x03\x04", 12)})),
        dir.Put("c.png", MakePng(2, 1, 3, {std::string("\x00\x01", 2)}, Chunk("PLTE", Rgb(0xFF00FF) + Rgb(0x204060)))),
        dir.Put("broken.png", good.substr(0, good.size() - 20)),
        dir.Put("garbage.png", Garbage(300, 3)),
        dir.File("missing.png")};
}

TEST(SdlImageDecoder, GivesTheSameFromSeveralThreadsAtOnce) {
    TempFolder dir;
    const std::vector<std::string> files = MixedPictures(dir);
    SdlImageDecoder decoder;
    std::vector<std::pair<bool, std::vector<uint32_t>>> want;
    for (const std::string& file : files) {
        Image image;
        const bool ok = decoder.DecodePng(file, image);
        want.emplace_back(ok, image.pixels);
    }
    std::atomic<int> differing{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 10; ++round) {
                for (size_t i = 0; i < files.size(); ++i) {
                    const size_t k = (i + t) % files.size();
                    Image image;
                    const bool ok = decoder.DecodePng(files[k], image);
                    if (ok != want[k].first || image.pixels != want[k].second) ++differing;
                }
            }
            decoder.ThreadEnds();
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(differing.load(), 0);
    EXPECT_TRUE(want[0].first && want[1].first && want[2].first && !want[3].first && !want[5].first);
}

// Counts the decodes of each file; safe from several threads.
class CountingDecoder : public IImageDecoder {
public:
    bool DecodePng(const std::string& realPath, Image& out) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++counts[realPath.substr(realPath.rfind('/') + 1)];
        }
        return inner_.DecodePng(realPath, out);
    }
    bool WritePng(const std::string& realPath, const Surface& picture) override {
        return inner_.WritePng(realPath, picture);
    }
    void ThreadEnds() override { inner_.ThreadEnds(); }
    std::map<std::string, int> counts;

private:
    SdlImageDecoder inner_;
    std::mutex mutex_;
};

TEST(PicturePrefetch, HandsOverWhatTheDecoderGivesOncePerListing) {
    TempFolder dir;
    MixedPictures(dir);
    CountingDecoder counting;
    Current() = Services{};
    Current().images = &counting;
    // Asked for out of order, more often than listed, and for pictures never listed.
    const std::vector<std::string> listed = {"a.png", "missing.png", "broken.png", "a.png", "b.png", "garbage.png"};
    const std::vector<std::string> asked = {"b.png", "a.png", "c.png", "a.png", "a.png", "missing.png", "broken.png"};
    {
        PicturePrefetch prefetch(listed);
        EXPECT_EQ(PicturePrefetch::Active(), &prefetch);
        for (const std::string& path : asked) {
            Image got;
            Image want;
            const bool ok = DecodeGamePicture(path, got);
            EXPECT_EQ(ok, SdlImageDecoder().DecodePng(ResolveGamePath(path), want)) << path;
            EXPECT_EQ(std::tuple(got.width, got.height, got.pixels), std::tuple(want.width, want.height, want.pixels))
                << path;
        }
    }
    EXPECT_EQ(PicturePrefetch::Active(), nullptr);
    // Each listing decoded once, whoever got to it first, and the third a.png anew; "garbage.png" was listed
    // and never asked for (decoded or not, depending on the workers' speed).
    const std::map<std::string, int> want = {
        {"a.png", 3}, {"b.png", 1}, {"broken.png", 1}, {"c.png", 1}, {"missing.png", 1}};
    std::map<std::string, int> got = counting.counts;
    got.erase("garbage.png");
    EXPECT_EQ(got, want);
    Current() = Services{};
}

// ---------------------------------------------------------------- text

int CountPixels(const Surface& s, uint32_t p) {
    return static_cast<int>(std::count(s.Pixels(), s.Pixels() + s.Width() * s.Height(), p));
}

bool SamePixels(const Surface& a, const Surface& b) {
    return std::equal(a.Pixels(), a.Pixels() + a.Width() * a.Height(), b.Pixels());
}

TEST(SdlTextRenderer, DrawsYellowTextOnATransparentBackground) {
    auto surface = Surface::Create(300, 60);
    surface->Fill(0x102030);
    SdlTextRenderer text;
    text.DrawText(*surface, 20, 10,
                  "Poziom uko\xf1"
                  "czony",
                  0xFFFF00);
    EXPECT_GT(CountPixels(*surface, 0xFFFF00), 30) << "the glyphs' solid parts are exactly the text colour";
    EXPECT_GT(CountPixels(*surface, 0x102030), 300 * 60 / 2) << "the background stays as it was";
    // Nothing is drawn left of or above the text's origin.
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < (y < 10 ? 300 : 20); ++x) ASSERT_EQ(surface->GetPixel(x, y), 0x102030u) << x << "x" << y;
    }
}

TEST(SdlTextRenderer, ClipsToTheSurface) {
    auto surface = Surface::Create(40, 20);
    SdlTextRenderer text;
    for (auto [x, y] : {std::pair{-15, -8}, {30, 12}, {-100000, 5}, {100000, 5}, {5, -100000}, {5, 100000}}) {
        text.DrawText(*surface, x, y, "WWWWWWWWWWWW", 0xFFFF00);
    }
    EXPECT_GT(CountPixels(*surface, 0xFFFF00), 0) << "the partly visible texts show their visible part";
    auto untouched = Surface::Create(40, 20);
    text.DrawText(*untouched, 100000, 100000, "W", 0xFFFF00);
    text.DrawText(*untouched, -100000, -100000, "W", 0xFFFF00);
    EXPECT_EQ(CountPixels(*untouched, 0), 40 * 20);
}

TEST(SdlTextRenderer, ReadsWindows1250AndShowsNoBreakSpaceAsSpace) {
    SdlTextRenderer text;
    auto draw = [&](const std::string& s) {
        auto surface = Surface::Create(120, 30);
        text.DrawText(*surface, 0, 0, s, 0xFFFFFF);
        return surface;
    };
    EXPECT_TRUE(SamePixels(*draw("A\xa0"
                                 "B"),
                           *draw("A B")));
    // The Windows-1250 letter L-with-stroke (0xA3) is a glyph of its own, not a replacement mark.
    auto stroke = draw("\xa3");
    EXPECT_GT(CountPixels(*stroke, 0xFFFFFF), 5);
    EXPECT_FALSE(SamePixels(*stroke, *draw("\xef\xbf\xbd")));
    EXPECT_FALSE(SamePixels(*stroke, *draw("L")));
}

TEST(SdlTextRenderer, MissingFontDrawsNothingAndSaysSoOnce) {
    auto surface = Surface::Create(100, 30);
    SdlTextRenderer text("/nonexistent/font.ttf");
    testing::internal::CaptureStderr();
    text.DrawText(*surface, 0, 0, "Hello", 0xFFFF00);
    text.DrawText(*surface, 0, 0, "Hello", 0xFFFF00);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(CountPixels(*surface, 0), 100 * 30);
    EXPECT_NE(err.find("/nonexistent/font.ttf"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

// ---------------------------------------------------------------- message box

TEST(SdlMessageBox, WithoutAWindowPrintsTheMessageInUtf8) {
    EnvGuard env;
    env.Set("DISPLAY", nullptr);
    env.Set("WAYLAND_DISPLAY", nullptr);
    SdlMessageBox box;
    testing::internal::CaptureStderr();
    box.Show(
        "Pad\xb3"
        "a Rozdzielczo\x9c\xe6",
        "Kolvenbrook 3D");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("[Kolvenbrook 3D] Pad\xc5\x82"
                       "a Rozdzielczo\xc5\x9b\xc4\x87"),
              std::string::npos)
        << err;
}

// ---------------------------------------------------------------- sound

class SdlAudioTest : public testing::Test {
protected:
    void SetUp() override { env_.Set("SDL_AUDIODRIVER", "dummy"); }
    EnvGuard env_;
    TempFolder dir_;
};

TEST_F(SdlAudioTest, WithoutADeviceEverythingIsSilentAndSafe) {
    SdlAudio audio;  // never opened
    const std::string wav = dir_.Put("a.wav", MakeWav(0.1));
    EXPECT_EQ(audio.LoadSample(wav, 3), 0u);
    EXPECT_EQ(audio.LoadStream(wav), 0u);
    audio.PlaySample(0);
    audio.PlaySample(1);
    audio.PlayStream(1, true);
    audio.StopStream(1);
    EXPECT_EQ(audio.PlayingStream(), 0u);
    audio.FreeAll();
    audio.FreeAll();
}

TEST_F(SdlAudioTest, MissingAndGarbageFilesGiveNoHandle) {
    SdlAudio audio;
    ASSERT_TRUE(audio.Init());
    const std::string garbage = dir_.Put("junk.mp3", Garbage(20000, 3));
    const std::string wavGarbage = dir_.Put("junk.wav", "RIFF\xff\xff\xff\x7fWAVEfmt " + Garbage(100, 9));
    EXPECT_EQ(audio.LoadSample(dir_.File("missing.wav"), 3), 0u);
    EXPECT_EQ(audio.LoadSample(garbage, 3), 0u);
    EXPECT_EQ(audio.LoadSample(wavGarbage, 3), 0u);
    EXPECT_EQ(audio.LoadStream(dir_.File("missing.mp3")), 0u);
    EXPECT_EQ(audio.LoadStream(garbage), 0u);
    EXPECT_EQ(audio.LoadStream(wavGarbage), 0u);
    audio.PlaySample(0);
    audio.PlayStream(0, true);
    audio.StopStream(0);
    EXPECT_EQ(audio.PlayingStream(), 0u);
    audio.FreeAll();
}

TEST_F(SdlAudioTest, AFourthPlaybackCutsOffTheOneThatPlayedLongest) {
    SdlAudio audio;
    ASSERT_TRUE(audio.Init());
    const IAudio::Handle h = audio.LoadSample(dir_.Put("one-second.wav", MakeWav(1.0)), 3);
    ASSERT_NE(h, 0u);
    const auto start = std::chrono::steady_clock::now();
    audio.PlaySample(h);
    std::this_thread::sleep_until(start + std::chrono::milliseconds(400));
    audio.PlaySample(h);
    audio.PlaySample(h);
    EXPECT_EQ(audio.SoundingCount(h), 3);
    audio.PlaySample(h);
    EXPECT_EQ(audio.SoundingCount(h), 3) << "never more than three at once";
    // Had the new one been refused instead, the first would end at 1.0 s and leave two.
    std::this_thread::sleep_until(start + std::chrono::milliseconds(1150));
    EXPECT_EQ(audio.SoundingCount(h), 3) << "the first playback (the oldest) was the one cut off";
    audio.FreeAll();
    EXPECT_EQ(audio.SoundingCount(h), 0);
    audio.PlaySample(h);  // freed: silent
}

TEST_F(SdlAudioTest, OneSampleWithOnePlaybackRestartsInsteadOfStacking) {
    SdlAudio audio;
    ASSERT_TRUE(audio.Init());
    const IAudio::Handle a = audio.LoadSample(dir_.Put("a.wav", MakeWav(1.0)), 1);
    const IAudio::Handle b = audio.LoadSample(dir_.Put("b.wav", MakeWav(1.0)), 3);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    for (int i = 0; i < 5; ++i) audio.PlaySample(a);
    audio.PlaySample(b);
    audio.PlaySample(b);
    EXPECT_EQ(audio.SoundingCount(a), 1);
    EXPECT_EQ(audio.SoundingCount(b), 2) << "another sample's limit is its own";
    // Far more playbacks than mixer channels at the start still work.
    std::vector<IAudio::Handle> many;
    for (int i = 0; i < 40; ++i) many.push_back(audio.LoadSample(dir_.Put("m.wav", MakeWav(1.0)), 3));
    for (IAudio::Handle h : many) audio.PlaySample(h);
    int sounding = 0;
    for (IAudio::Handle h : many) sounding += audio.SoundingCount(h);
    EXPECT_EQ(sounding, 40);
}

TEST_F(SdlAudioTest, OnlyTheStreamPlayingIsStopped) {
    SdlAudio audio;
    ASSERT_TRUE(audio.Init());
    const IAudio::Handle sample = audio.LoadSample(dir_.Put("s.wav", MakeWav(0.5)), 3);
    IAudio::Handle one = 0;
    if (TestVideoWriter::HasEncoder(TestVideoWriter::Sound::Mp3)) {
        ASSERT_TRUE(TestVideoWriter::Write(
            dir_.File("Track0.MP3"), {.sound = TestVideoWriter::Sound::Mp3, .container = "mp3", .soundSeconds = 2.0}));
        one = audio.LoadStream(dir_.File("Track0.MP3"));
    } else {
        one = audio.LoadStream(dir_.Put("one.wav", MakeWav(2.0)));
    }
    const IAudio::Handle two = audio.LoadStream(dir_.Put("two.wav", MakeWav(2.0)));
    ASSERT_NE(one, 0u);
    ASSERT_NE(two, 0u);
    EXPECT_NE(one, two);
    audio.PlayStream(sample, true);  // a sample is not a stream
    EXPECT_EQ(audio.PlayingStream(), 0u);
    audio.PlayStream(one, true);
    EXPECT_EQ(audio.PlayingStream(), one);
    audio.StopStream(two);
    EXPECT_EQ(audio.PlayingStream(), one) << "stopping a stream that is not playing leaves the music alone";
    audio.PlayStream(two, false);
    EXPECT_EQ(audio.PlayingStream(), two);
    audio.StopStream(one);
    EXPECT_EQ(audio.PlayingStream(), two);
    audio.StopStream(two);
    EXPECT_EQ(audio.PlayingStream(), 0u);
    audio.PlayStream(one, true);
    audio.FreeAll();
    EXPECT_EQ(audio.PlayingStream(), 0u);
    audio.PlayStream(one, true);  // freed: silent
}

// ---------------------------------------------------------------- video

class VideoTest : public testing::Test {
protected:
    void SetUp() override {
        env_.Set("SDL_AUDIODRIVER", "dummy");
        ASSERT_EQ(display_.Open(800, 600, "test"), DisplayStep::Ok);
    }

    using State = FfmpegVideoPlayer::State;

    uint32_t Centre() { return display_.BackBuffer()->GetPixel(400, 300); }
    // Writes a test video of one picture per colour and gives its path.
    std::string Video(const std::string& name, std::vector<uint32_t> colours, TestVideoWriter::Options o = {}) {
        o.colours = std::move(colours);
        EXPECT_TRUE(TestVideoWriter::Write(dir_.File(name), o));
        return dir_.File(name);
    }

    // Calls KeepVisible every 5 ms until done() or the time runs out; records each new centre colour.
    template <typename Done>
    std::vector<uint32_t> Watch(FfmpegVideoPlayer& player, Done done, int timeoutMs = 8000) {
        std::vector<uint32_t> seen;
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        int lastCount = display_.picturePresentCount;
        while (!done() && std::chrono::steady_clock::now() < until) {
            player.KeepVisible();
            if (display_.picturePresentCount != lastCount) {
                lastCount = display_.picturePresentCount;
                if (seen.empty() || !Near(seen.back(), Centre(), 24)) seen.push_back(Centre());
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return seen;
    }

    static void ExpectColours(const std::vector<uint32_t>& seen, const std::vector<uint32_t>& expected) {
        std::string order;
        for (uint32_t c : seen) order += Hex(c) + " ";
        ASSERT_EQ(seen.size(), expected.size()) << order;
        for (size_t i = 0; i < seen.size(); ++i) EXPECT_TRUE(Near(seen[i], expected[i], 24)) << order;
    }
    static std::vector<uint32_t> Frames(std::initializer_list<std::pair<uint32_t, int>> runs) {
        std::vector<uint32_t> out;
        for (auto [colour, count] : runs) out.insert(out.end(), count, colour);
        return out;
    }

    EnvGuard env_;
    TempFolder dir_;
    HeadlessDisplay display_;
};

TEST_F(VideoTest, MissingOrGarbageFileShowsNothing) {
    SdlAudio audio;
    audio.Init();
    FfmpegVideoPlayer player(&display_, &audio);
    const std::string garbage = dir_.Put("garbage.avi", Garbage(50000, 11));
    const std::string riffJunk = dir_.Put("riff.avi", "RIFF\x10\0\0\0AVI LIST" + Garbage(3000, 5));
    const std::string pipe = dir_.File("pipe.avi");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {dir_.File("missing.avi"), garbage, riffJunk, pipe, dir_.File("")}) {
        player.Play(path);
        Watch(player, [&] { return player.CurrentState() == State::Failed; });
        EXPECT_EQ(player.CurrentState(), State::Failed) << path;
        for (int i = 0; i < 10; ++i) player.KeepVisible();
        EXPECT_EQ(display_.picturePresentCount, 0) << path;
        EXPECT_FALSE(audio.OutputHooked()) << "a broken video does not silence the music";
    }
    player.Stop();
    player.KeepVisible();
    EXPECT_EQ(player.CurrentState(), State::Stopped);
    EXPECT_EQ(display_.picturePresentCount, 0);
}

TEST_F(VideoTest, CutFileShowsWhatItHasWithoutCrashing) {
    Video("full.avi", Frames({{0xFF0000, 10}, {0x0000FF, 10}}));
    const std::string bytes = dir_.Read("full.avi");
    FfmpegVideoPlayer player(&display_, nullptr);
    auto over = [&] { return player.CurrentState() == State::Ended || player.CurrentState() == State::Failed; };
    for (size_t cut : {bytes.size() / 2, bytes.size() / 5, size_t{600}}) {
        player.Play(dir_.Put("cut.avi", bytes.substr(0, cut)));
        Watch(player, over);
        EXPECT_TRUE(over()) << cut;
    }
}

struct SoundCase {
    TestVideoWriter::Sound sound;
    const char* name;
};
void PrintTo(const SoundCase& c, std::ostream* os) {
    *os << c.name;
}

class VideoWithSoundTest : public VideoTest, public testing::WithParamInterface<SoundCase> {};

TEST_P(VideoWithSoundTest, PlaysPicturesInOrderWithSoundAndKeepsTheLastOne) {
    if (!TestVideoWriter::HasEncoder(GetParam().sound)) GTEST_SKIP() << "no encoder for " << GetParam().name;
    // 0.96 s at 25 pictures per second.
    const std::string path =
        Video("intro.avi", Frames({{0xFF0000, 8}, {0x00FF00, 8}, {0x0000FF, 8}}), {.sound = GetParam().sound});

    SdlAudio audio;
    ASSERT_TRUE(audio.Init());
    FfmpegVideoPlayer player(&display_, &audio);
    player.Play(path);
    bool hooked = false;
    const auto start = std::chrono::steady_clock::now();
    const std::vector<uint32_t> seen = Watch(player, [&] {
        hooked = hooked || audio.OutputHooked();
        return player.CurrentState() == State::Ended;
    });
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(player.CurrentState(), State::Ended);
    EXPECT_EQ(player.PictureWidth(), 160);
    EXPECT_EQ(player.PictureHeight(), 120);
    EXPECT_GT(took, 0.8) << "pictures follow the clock, not the decoder's speed";

    ExpectColours(seen, {0xFF0000, 0x00FF00, 0x0000FF});
    EXPECT_GE(player.FramesShown(), 3);

    // The sound track went to the device: most of its 0.96 s by the time the pictures ended.
    // A silent video leaves the music alone.
    if (GetParam().sound == TestVideoWriter::Sound::None) {
        EXPECT_EQ(player.SoundFramesPlayed(), 0);
        EXPECT_FALSE(hooked);
    } else {
        EXPECT_GT(player.SoundFramesPlayed(), audio.OutputRate() / 2);
        EXPECT_TRUE(hooked);
    }

    // After the end the last picture stays.
    display_.BackBuffer()->Fill(0);
    Watch(
        player, [] { return false; }, 300);
    EXPECT_TRUE(Near(Centre(), 0x0000FF, 24)) << Hex(Centre());

    const int presents = display_.picturePresentCount;
    player.Stop();
    EXPECT_EQ(player.CurrentState(), State::Stopped);
    EXPECT_FALSE(audio.OutputHooked()) << "the music has the output back";
    Watch(
        player, [] { return false; }, 200);
    EXPECT_EQ(display_.picturePresentCount, presents) << "a stopped video is hidden";
}

INSTANTIATE_TEST_SUITE_P(Sound, VideoWithSoundTest,
                         testing::Values(SoundCase{TestVideoWriter::Sound::Pcm, "pcm"},
                                         SoundCase{TestVideoWriter::Sound::Mp3, "mp3"},
                                         SoundCase{TestVideoWriter::Sound::None, "none"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(VideoTest, PlayWhilePlayingStartsTheNewFile) {
    const std::string a = Video("a.avi", Frames({{0xFF0000, 50}}));
    const std::string b = Video("b.avi", Frames({{0x00FF00, 5}, {0xFFFFFF, 5}}));
    SdlAudio audio;
    audio.Init();
    FfmpegVideoPlayer player(&display_, &audio);
    player.Play(a);
    ExpectColours(Watch(player, [&] { return player.FramesShown() > 0; }), {0xFF0000});
    player.Play(b);
    ExpectColours(Watch(player, [&] { return player.CurrentState() == State::Ended; }), {0x00FF00, 0xFFFFFF});
}

TEST_F(VideoTest, LargePicturesAreBroughtDownToTheScreen) {
    FfmpegVideoPlayer player(&display_, nullptr);
    player.Play(Video("big.avi", Frames({{0x00FFFF, 3}}),
                      {.width = 1024, .height = 768, .sound = TestVideoWriter::Sound::None}));
    Watch(player, [&] { return player.CurrentState() == State::Ended; });
    EXPECT_EQ(player.PictureWidth(), 800);
    EXPECT_EQ(player.PictureHeight(), 600);
    EXPECT_TRUE(Near(Centre(), 0x00FFFF, 24)) << Hex(Centre());
}

TEST_F(VideoTest, DestroyingAPlayingPlayerStopsItsWorker) {
    const std::string path = Video("long.avi", Frames({{0xFF00FF, 100}}));
    SdlAudio audio;
    audio.Init();
    for (int i = 0; i < 3; ++i) {
        FfmpegVideoPlayer player(&display_, &audio);
        player.Play(path);
        Watch(player, [&] { return player.FramesShown() > 0; });
    }
    // The device was handed back to the music each time.
    EXPECT_FALSE(audio.OutputHooked());
    const IAudio::Handle music = audio.LoadStream(dir_.Put("m.wav", MakeWav(1.0)));
    audio.PlayStream(music, true);
    EXPECT_EQ(audio.PlayingStream(), music);
}

// ---------------------------------------------------------------- events

class SdlEventsTest : public testing::Test {
protected:
    void SetUp() override { SdlEventInjector::Flush(); }
    void TearDown() override { SdlEventInjector::Flush(); }
    SdlEvents events_{nullptr};

    std::vector<PlatformEvent> Drain() {
        std::vector<PlatformEvent> out;
        PlatformEvent e;
        while (events_.Poll(e)) out.push_back(e);
        return out;
    }
};

TEST_F(SdlEventsTest, KeysBecomeVirtualKeyCodes) {
    // Virtual key 0: the key is dropped.
    const std::pair<const char*, int> keys[] = {
        {"Left", 37},        {"Up", 38},       {"Right", 39},
        {"Down", 40},        {"Space", 32},    {"Left Shift", 16},
        {"Right Shift", 16}, {"Return", 13},   {"Keypad Enter", 13},
        {"Escape", 27},      {"Backspace", 8}, {"A", 65},
        {"Z", 90},           {"M", 77},        {"0", 48},
        {"9", 57},           {"F1", 112},      {"F12", 123},
        {"Pause", 19},       {"Tab", 9},       {"Left Ctrl", 17},
        {"Keypad 5", 101},   {"Left Alt", 18}, {"ScrollLock", 0},
    };
    for (const auto& [key, vk] : keys) {
        for (bool shift : {false, true}) {
            SCOPED_TRACE(std::string(key) + (shift ? " with Shift" : ""));
            ASSERT_TRUE(SdlEventInjector::Key(true, key, false, shift));
            ASSERT_TRUE(SdlEventInjector::Key(false, key, false, shift));
            const std::vector<PlatformEvent> got = Drain();
            if (vk == 0) {
                EXPECT_TRUE(got.empty());
                continue;
            }
            ASSERT_EQ(got.size(), 2u);
            EXPECT_EQ(got[0].type, PlatformEvent::Type::KeyDown);
            EXPECT_EQ(got[0].vk, vk);
            EXPECT_EQ(got[1].type, PlatformEvent::Type::KeyUp);
            EXPECT_EQ(got[1].vk, vk);
        }
    }
}

TEST_F(SdlEventsTest, EveryKeyNameToBindIsSdlsAndComesAsItsCode) {
    int named = 0;
    for (int vk = 1; vk < 256; ++vk) {
        const std::string name = VirtualKeyName(vk);
        if (name.empty()) continue;
        ++named;
        SCOPED_TRACE(name);
        EXPECT_EQ(VirtualKeyFromName(name), vk);
        ASSERT_TRUE(SdlEventInjector::Key(true, name)) << "SDL has no key of this name";
        const std::vector<PlatformEvent> got = Drain();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].vk, vk);
    }
    EXPECT_GT(named, 70);
}

TEST_F(SdlEventsTest, FocusLostAndGained) {
    SdlEventInjector::Focus(false);
    SdlEventInjector::Focus(true);
    const std::vector<PlatformEvent> got = Drain();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].type, PlatformEvent::Type::FocusLost);
    EXPECT_EQ(got[1].type, PlatformEvent::Type::FocusGained);
}

TEST_F(SdlEventsTest, PadsComeAndGoAndTheirControlsArrive) {
    events_.StartPads("/nonexistent/gamecontrollerdb.txt");
    const int index = SdlEventInjector::PadAttach();
    ASSERT_GE(index, 0);
    std::vector<PlatformEvent> got = Drain();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].type, PlatformEvent::Type::PadAdded);
    const int pad = got[0].pad;
    // A and the left stick arrive; the right stick and the guide button are no controls of the game.
    SdlEventInjector::PadButton(index, 5, true);  // SDL's guide button
    SdlEventInjector::PadAxis(index, 2, -20000);  // the right stick across
    SdlEventInjector::PadButton(index, 0, true);
    SdlEventInjector::PadAxis(index, 0, -20000);
    SdlEventInjector::PadButton(index, 0, false);
    got = Drain();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].type, PlatformEvent::Type::PadButtonDown);
    EXPECT_EQ(got[0].control, static_cast<int>(PadButton::A));
    EXPECT_EQ(got[1].type, PlatformEvent::Type::PadAxisMoved);
    EXPECT_EQ(std::make_pair(got[1].control, got[1].value), std::make_pair(static_cast<int>(PadAxis::LeftX), -20000));
    EXPECT_EQ(got[2].type, PlatformEvent::Type::PadButtonUp);
    for (const PlatformEvent& e : got) EXPECT_EQ(e.pad, pad);
    ASSERT_TRUE(SdlEventInjector::PadDetach(index));
    // SDL may let go of the stick first; the pad's going comes last.
    got = Drain();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back().type, PlatformEvent::Type::PadRemoved);
    EXPECT_EQ(got.back().pad, pad);
}

TEST_F(SdlEventsTest, AutoRepeatComesAsMoreKeyDowns) {
    SdlEventInjector::Key(true, "Down");
    SdlEventInjector::Key(true, "Down", false, false, true);
    SdlEventInjector::Key(true, "Down", false, false, true);
    SdlEventInjector::Key(false, "Down");
    const std::vector<PlatformEvent> got = Drain();
    ASSERT_EQ(got.size(), 4u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(got[i].type, PlatformEvent::Type::KeyDown);
    EXPECT_EQ(got[3].type, PlatformEvent::Type::KeyUp);
}

TEST_F(SdlEventsTest, AltEnterIsNotEnter) {
    SdlEventInjector::Key(true, "Return", true);
    SdlEventInjector::Key(true, "Return", true, false, true);
    SdlEventInjector::Key(false, "Return", true);
    SdlEventInjector::Key(true, "Keypad Enter", true);
    SdlEventInjector::Key(false, "Keypad Enter");  // Alt let go first
    EXPECT_TRUE(Drain().empty());
    SdlEventInjector::Key(true, "Return");
    SdlEventInjector::Key(false, "Return");
    const std::vector<PlatformEvent> got = Drain();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].vk, 13);
    EXPECT_EQ(got[0].type, PlatformEvent::Type::KeyDown);
}

TEST_F(SdlEventsTest, QuitAndWindowEvents) {
    SdlEventInjector::WindowExposed();
    SdlEventInjector::RenderDeviceReset();
    SdlEventInjector::Quit();
    const std::vector<PlatformEvent> got = Drain();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].type, PlatformEvent::Type::Quit);
}

TEST_F(SdlEventsTest, WaitingSleepsAndKeepsTheEvent) {
    auto start = std::chrono::steady_clock::now();
    events_.WaitForEvent(60);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(50));
    EXPECT_LT(waited, std::chrono::milliseconds(1000));
    SdlEventInjector::Key(true, "Escape");
    start = std::chrono::steady_clock::now();
    events_.WaitForEvent(5000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000)) << "an event ends the wait";
    const std::vector<PlatformEvent> got = Drain();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].vk, 27);
}

// ---------------------------------------------------------------- window

TEST(SdlDisplay, RefusesToRunWithoutAScreen) {
    EnvGuard env;
    env.Set("DISPLAY", nullptr);
    env.Set("WAYLAND_DISPLAY", nullptr);
    env.Set("SDL_VIDEODRIVER", nullptr);
    SdlDisplay display;
    EXPECT_EQ(display.Open(800, 600, "Kolvenbrook 3D"), DisplayStep::CreateDevice);
    EXPECT_FALSE(display.LastError().empty());
    EXPECT_EQ(display.BackBuffer(), nullptr);
    display.Present();
    display.HideCursor();
    display.ShowArrowCursor();
    display.ToggleFullscreen();
    display.Close();
}

// What the window shows: the 800x600 picture scaled by a whole-window factor and centred.
struct WindowPicture {
    std::vector<uint32_t> pixels;
    int w = 0, h = 0, left = 0, top = 0;
    double scale = 1;

    explicit WindowPicture(SdlDisplay& display) {
        EXPECT_TRUE(display.CaptureWindow(pixels, w, h));
        pixels.resize(static_cast<size_t>(w) * h);
        scale = std::min(w / 800.0, h / 600.0);
        left = (w - static_cast<int>(800 * scale)) / 2;
        top = (h - static_cast<int>(600 * scale)) / 2;
    }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
    // The pixel showing the point (x, y) of the game's screen.
    uint32_t Shows(int x, int y) const {
        return At(left + static_cast<int>(x * scale), top + static_cast<int>(y * scale));
    }
};

void ExpectLetterboxed(SdlDisplay& display, uint32_t colour) {
    const WindowPicture p(display);
    for (auto [x, y] : {std::pair{400, 300}, {3, 3}, {796, 596}}) {
        EXPECT_TRUE(Near(p.Shows(x, y), colour, 8)) << x << "," << y << ": " << Hex(p.Shows(x, y));
    }
    if (p.left > 4) EXPECT_EQ(p.At(p.left / 2, p.h / 2), 0u) << "bars left and right are black";
    if (p.top > 4) EXPECT_EQ(p.At(p.w / 2, p.top / 2), 0u) << "bars above and below are black";
}

void ExercisesAWindow(SdlDisplay& display) {
    Surface* back = display.BackBuffer();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Width(), 800);
    EXPECT_EQ(back->Height(), 600);
    back->Fill(0xC02010);
    display.Present();
    ExpectLetterboxed(display, 0xC02010);
    // Only a band in the middle changes: the window shows it and keeps the rest, also when the same frame
    // is presented again.
    FillRect(back, Rect{0, 200, 800, 260}, 0x10A040);
    for (int frame = 0; frame < 3; ++frame) {
        display.Present();
        const WindowPicture band(display);
        EXPECT_TRUE(Near(band.Shows(400, 230), 0x10A040, 8)) << Hex(band.Shows(400, 230));
        EXPECT_TRUE(Near(band.Shows(400, 100), 0xC02010, 8)) << Hex(band.Shows(400, 100));
        EXPECT_TRUE(Near(band.Shows(400, 400), 0xC02010, 8)) << Hex(band.Shows(400, 400));
    }
    back->Fill(0xC02010);
    display.Present();
    ExpectLetterboxed(display, 0xC02010);

    // A 2x2 picture stretched over the whole screen: each quarter shows one of its pixels.
    auto picture = Surface::Create(2, 2);
    const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    for (int i = 0; i < 4; ++i) picture->SetPixel(i % 2, i / 2, colours[i]);
    display.PresentPicture(*picture);
    const WindowPicture shown(display);
    for (int i = 0; i < 4; ++i) {
        const uint32_t got = shown.Shows(i % 2 ? 700 : 100, i / 2 ? 520 : 80);
        EXPECT_TRUE(Near(got, colours[i], 8)) << "quarter " << i << ": " << Hex(got);
    }
    // The unchanged back buffer replaces the picture again.
    display.Present();
    ExpectLetterboxed(display, 0xC02010);

    // A reset renderer loses every picture: owners see their surfaces lost and refill them.
    auto owned = Surface::Create(4, 4);
    SdlEvents events(&display);
    SdlEventInjector::Flush();
    SdlEventInjector::RenderDeviceReset();
    PlatformEvent e;
    while (events.Poll(e)) {
    }
    EXPECT_TRUE(owned->IsLost());
    EXPECT_TRUE(back->IsLost());
    back->Restore();
    back->Fill(0x2040C0);
    display.Present();
    ExpectLetterboxed(display, 0x2040C0);

    display.HideCursor();
    display.ShowArrowCursor();
    display.SetTitle("Kolvenbrook 3D");
}

TEST(SdlDisplay, OffscreenDriverWorksWhenAskedForByName) {
    EnvGuard env;
    env.Set("SDL_VIDEODRIVER", "offscreen");
    env.Set("KVB_WINDOWED", "1");
    SdlDisplay display;
    ASSERT_EQ(display.Open(800, 600, "Kolvenbrook 3D"), DisplayStep::Ok) << display.LastError();
    ExercisesAWindow(display);
    display.Close();
    EXPECT_EQ(display.BackBuffer(), nullptr);
}

// The environment of a game under the given X server, in a window or full screen.
void UseXvfb(EnvGuard& env, const XvfbServer& server, bool windowed) {
    env.Set("DISPLAY", server.Display().c_str());
    env.Set("WAYLAND_DISPLAY", nullptr);
    env.Set("SDL_VIDEODRIVER", nullptr);
    env.Set("KVB_WINDOWED", windowed ? "1" : nullptr);
}

TEST(SdlDisplay, FullScreenWindowUnderXvfbIsLetterboxed) {
    XvfbServer server(1280, 720);
    if (server.Display().empty()) GTEST_SKIP() << "Xvfb is not available";
    EnvGuard env;
    UseXvfb(env, server, false);
    // A bare Xvfb has no window manager to make the window full screen for OpenGL; the software renderer
    // draws into a buffer of the screen's size, which shows the letterbox all the same.
    env.Set("SDL_RENDER_DRIVER", "software");
    SdlDisplay display;
    ASSERT_EQ(display.Open(800, 600, "Kolvenbrook 3D"), DisplayStep::Ok) << display.LastError();
    EXPECT_TRUE(display.IsFullscreen());
    const WindowPicture shown(display);
    EXPECT_EQ(shown.w, 1280);
    EXPECT_EQ(shown.h, 720);
    ExercisesAWindow(display);
    display.Close();
}

// What the X server itself shows, waited for until `shows` holds (the window's pictures reach the server
// in their own time); false if it never does.
template <typename Check>
bool ScreenShows(const XvfbServer& server, Check shows) {
    std::vector<uint32_t> screen;
    int w = 0;
    int h = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (testing_support::GrabScreen(server.Display(), screen, w, h) &&
            shows([&](int x, int y) { return x < w && y < h ? screen[static_cast<size_t>(y) * w + x] : ~0u; })) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// The renderer SDL picks ("" for its own choice); one a process, as SDL may not start again on another X
// server after OpenGL ran on one.
class SdlDisplayRenderer : public ::testing::TestWithParam<const char*> {};

TEST_P(SdlDisplayRenderer, FullScreenOnAnXServerWithoutWindowManagerShowsTheWholePicture) {
    XvfbServer server(1024, 768);
    if (server.Display().empty()) GTEST_SKIP() << "Xvfb is not available";
    std::vector<uint32_t> probe;
    int pw = 0;
    int ph = 0;
    if (!testing_support::GrabScreen(server.Display(), probe, pw, ph)) GTEST_SKIP() << "built without Xlib";
    {
        const char* renderer = GetParam();
        EnvGuard env;
        UseXvfb(env, server, false);
        env.Set("SDL_RENDER_DRIVER", *renderer ? renderer : nullptr);
        SdlDisplay display;
        ASSERT_EQ(display.Open(800, 600, "Kolvenbrook 3D"), DisplayStep::Ok) << display.LastError();
        // A colour in each corner of the picture and another in the middle.
        Surface* back = display.BackBuffer();
        ASSERT_NE(back, nullptr);
        back->Fill(0x204060);
        const struct {
            Rect rect;
            uint32_t colour;
        } corners[] = {{{0, 0, 40, 40}, 0xFF0000},
                       {{760, 0, 800, 40}, 0x00FF00},
                       {{0, 560, 40, 600}, 0x0000FF},
                       {{760, 560, 800, 600}, 0xFFFF00}};
        for (const auto& corner : corners) FillRect(back, corner.rect, corner.colour);
        // Frames of a screen standing still: the picture does not change, the screen must show all of it.
        auto frames = [&display] {
            for (int frame = 0; frame < 10; ++frame) display.Present();
        };
        frames();
        // The picture as shown at `scale` from (left, top): each corner and the middle in place.
        auto pictureAt = [&](int left, int top, double scale) {
            return [=](auto at) {
                for (const auto& corner : corners) {
                    const int x = left + static_cast<int>((corner.rect.left + 20) * scale);
                    const int y = top + static_cast<int>((corner.rect.top + 20) * scale);
                    if (!Near(at(x, y), corner.colour, 8)) return false;
                }
                return Near(at(left + static_cast<int>(400 * scale), top + static_cast<int>(300 * scale)), 0x204060, 8);
            };
        };
        EXPECT_TRUE(display.IsFullscreen());
        // 800x600 scaled by 1.28 covers the whole 1024x768 screen.
        EXPECT_TRUE(ScreenShows(server, pictureAt(0, 0, 1.28))) << "full screen";

        display.ToggleFullscreen();
        frames();
        EXPECT_FALSE(display.IsFullscreen());
        // Back to an 800x600 window in the middle of the screen, nothing around it.
        EXPECT_TRUE(ScreenShows(server, [&](auto at) {
            return pictureAt(112, 84, 1.0)(at) && !Near(at(60, 60), 0xFF0000, 8) && !Near(at(1000, 740), 0xFFFF00, 8);
        })) << "window";

        display.ToggleFullscreen();
        frames();
        EXPECT_TRUE(display.IsFullscreen());
        EXPECT_TRUE(ScreenShows(server, pictureAt(0, 0, 1.28))) << "full screen again";
        display.Close();
    }
}

INSTANTIATE_TEST_SUITE_P(Renderers, SdlDisplayRenderer, ::testing::Values("", "software"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(*info.param ? info.param : "Default");
                         });

TEST(SdlDisplay, WindowUnderXvfbAndAltEnter) {
    XvfbServer server(1024, 768);
    if (server.Display().empty()) GTEST_SKIP() << "Xvfb is not available";
    EnvGuard env;
    UseXvfb(env, server, true);
    SdlDisplay display;
    ASSERT_EQ(display.Open(800, 600, "Kolvenbrook 3D"), DisplayStep::Ok) << display.LastError();
    EXPECT_FALSE(display.IsFullscreen());
    ExercisesAWindow(display);

    // Alt+Enter through the event source switches to full screen and back, and is not a key for the game.
    SdlEvents events(&display);
    SdlEventInjector::Flush();
    SdlEventInjector::Key(true, "Return", true);
    SdlEventInjector::Key(false, "Return", true);
    PlatformEvent e;
    while (events.Poll(e)) {
        if (e.type != PlatformEvent::Type::Quit) ADD_FAILURE() << "Alt+Enter was delivered as key " << e.vk;
    }
    EXPECT_TRUE(display.IsFullscreen());
    display.ToggleFullscreen();
    EXPECT_FALSE(display.IsFullscreen());
    display.Close();
}

}  // namespace
