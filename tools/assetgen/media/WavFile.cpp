// Writing and checking 16-bit PCM WAV files.
#include "WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "TextScript.h"

namespace media {
namespace {

void PutU32(std::vector<unsigned char>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}
void PutU16(std::vector<unsigned char>& out, uint16_t value) {
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}
void PutText(std::vector<unsigned char>& out, const char* text) {
    out.insert(out.end(), text, text + 4);
}

uint32_t GetU32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}
uint16_t GetU16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

}  // namespace

void MakeParentFolders(const std::string& path) {
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent);
}

void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    MakeParentFolders(path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

void WriteWav(const std::string& path, const std::vector<float>& samples, int sampleRate) {
    std::vector<unsigned char> out;
    uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    PutText(out, "RIFF");
    PutU32(out, 36 + dataBytes);
    PutText(out, "WAVE");
    PutText(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, 1);  // mono
    PutU32(out, static_cast<uint32_t>(sampleRate));
    PutU32(out, static_cast<uint32_t>(sampleRate * 2));
    PutU16(out, 2);
    PutU16(out, 16);
    PutText(out, "data");
    PutU32(out, dataBytes);
    for (float sample : samples) {
        double scaled = std::round(std::clamp(static_cast<double>(sample), -1.0, 1.0) * 32767.0);
        PutU16(out, static_cast<uint16_t>(static_cast<int16_t>(scaled)));
    }
    WriteFile(path, out);
}

WavInfo InspectWav(const std::string& path) {
    WavInfo info;
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const std::exception&) {
        info.problem = "missing";
        return info;
    }
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        info.problem = "not a RIFF WAVE file";
        return info;
    }
    size_t at = 12;
    size_t dataAt = 0, dataBytes = 0;
    int format = 0;
    while (at + 8 <= bytes.size()) {
        uint32_t size = GetU32(bytes, at + 4);
        if (bytes.compare(at, 4, "fmt ") == 0 && size >= 16 && at + 8 + 16 <= bytes.size()) {
            format = GetU16(bytes, at + 8);
            info.channels = GetU16(bytes, at + 10);
            info.sampleRate = static_cast<int>(GetU32(bytes, at + 12));
            info.bitsPerSample = GetU16(bytes, at + 22);
        } else if (bytes.compare(at, 4, "data") == 0) {
            dataAt = at + 8;
            dataBytes = std::min<size_t>(size, bytes.size() - dataAt);
        }
        at += 8 + size + (size & 1);
    }
    if (format != 1 || info.bitsPerSample != 16 || info.channels < 1 ||
        (info.sampleRate != 22050 && info.sampleRate != 44100)) {
        info.problem = "not 16-bit PCM at 22050 or 44100 Hz";
        return info;
    }
    if (dataAt == 0 || dataBytes < 2) {
        info.problem = "no sample data";
        return info;
    }
    size_t count = dataBytes / 2;
    int peak = 0;
    for (size_t i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(static_cast<int16_t>(GetU16(bytes, dataAt + 2 * i))));
    int first = std::abs(static_cast<int16_t>(GetU16(bytes, dataAt)));
    int last = std::abs(static_cast<int16_t>(GetU16(bytes, dataAt + 2 * (count - 1))));
    info.edgeLevel = std::max(first, last) / 32768.0;
    info.peakDb = peak > 0 ? 20.0 * std::log10(peak / 32768.0) : -200.0;
    info.seconds = static_cast<double>(count / info.channels) / info.sampleRate;
    info.valid = true;
    return info;
}

}  // namespace media
