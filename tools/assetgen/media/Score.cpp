// The music notation: voices, patterns, chord sections and their order, and the renderer that plays them.
#include "Score.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "Dsp.h"
#include "Instruments.h"

namespace media {
namespace {

const std::set<std::string> kKeywords = {"title", "tempo", "beats",   "swing",   "reverb", "echo",   "loop", "loudness",
                                         "seed",  "voice", "pattern", "section", "order",  "chords", "bars", "|"};

// Splits "| a b | c d |" into bars; tokens outside bars are an error.
void AppendBars(const ScriptLine& line, size_t first, std::vector<std::vector<std::string>>& bars) {
    bool open = false;
    for (size_t i = first; i < line.tokens.size(); ++i) {
        const std::string& token = line.tokens[i];
        if (token == "|") {
            if (open && bars.back().empty()) line.Fail("empty bar");
            bars.emplace_back();
            open = true;
        } else {
            if (!open) line.Fail("bar contents must follow '|'");
            bars.back().push_back(token);
        }
    }
    if (open && bars.back().empty()) bars.pop_back();  // the closing bar line
}

struct Chord {
    int root = 0;  // pitch class
    std::vector<int> intervals;
    bool none = false;
};

Chord ParseChord(const std::string& symbol, const ScriptLine& line) {
    Chord chord;
    if (symbol == "N") {
        chord.none = true;
        return chord;
    }
    static const int kOffsets[7] = {9, 11, 0, 2, 4, 5, 7};
    if (symbol.empty() || symbol[0] < 'A' || symbol[0] > 'G') line.Fail("not a chord: '" + symbol + "'");
    chord.root = kOffsets[symbol[0] - 'A'];
    size_t i = 1;
    if (i < symbol.size() && (symbol[i] == '#' || symbol[i] == 'b')) {
        chord.root += symbol[i] == '#' ? 1 : -1;
        ++i;
    }
    chord.root = (chord.root + 12) % 12;
    std::string quality = symbol.substr(i);
    static const std::map<std::string, std::vector<int>> kQualities = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},    {"7", {0, 4, 7, 10}},    {"m7", {0, 3, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"sus4", {0, 5, 7}}, {"sus", {0, 5, 7}},      {"sus2", {0, 2, 7}},
        {"dim", {0, 3, 6}},      {"5", {0, 7}},       {"add9", {0, 4, 7, 14}}, {"madd9", {0, 3, 7, 14}},
        {"6", {0, 4, 7, 9}},     {"m6", {0, 3, 7, 9}}};
    auto found = kQualities.find(quality);
    if (found == kQualities.end()) line.Fail("unknown chord quality in '" + symbol + "'");
    chord.intervals = found->second;
    return chord;
}

bool IsChordToneToken(const std::string& token) {
    size_t i = 0;
    while (i < token.size() && (token[i] == '_' || token[i] == '^')) ++i;
    return i + 1 == token.size() && token[i] >= '0' && token[i] <= '9';
}

// "3" -> the chord's third above its root in the voice's octave; "_5" an octave lower; "^1" higher.
int ChordTone(const std::string& token, const Chord& chord, int octave) {
    int shift = 0;
    size_t i = 0;
    for (; token[i] == '_' || token[i] == '^'; ++i) shift += token[i] == '_' ? -12 : 12;
    int degree = token[i] - '0';
    const auto& iv = chord.intervals;
    int third = iv.size() > 1 ? iv[1] : 4;
    int fifth = iv.size() > 2 ? iv[2] : 7;
    if (iv.size() == 2) fifth = iv[1];
    int seventh = iv.size() > 3 ? iv[3] : 12;
    int offset = 0;
    switch (degree) {
        case 0:
            offset = -12;
            break;
        case 1:
            offset = 0;
            break;
        case 2:
            offset = 2;
            break;
        case 3:
            offset = third;
            break;
        case 4:
            offset = 5;
            break;
        case 5:
            offset = fifth;
            break;
        case 6:
            offset = 9;
            break;
        case 7:
            offset = seventh;
            break;
        case 8:
            offset = 12;
            break;
        default:
            offset = 12 + third;
            break;  // 9: the third an octave up, bright for arpeggios
    }
    return 12 * (octave + 1) + chord.root + offset + shift;
}

std::vector<std::string> StyleTokens(const ScriptLine& line, const std::string& text) {
    ScriptLine split = SplitScript(text, line.file).empty() ? line : SplitScript(text, line.file)[0];
    return split.tokens;
}

}  // namespace

int Song::OrderBars() const {
    int bars = 0;
    for (const auto& name : order)
        for (const auto& section : sections)
            if (section.name == name) bars += section.bars;
    return bars;
}

double StereoSound::Seconds() const {
    return static_cast<double>(left.size()) / kSampleRate;
}

Song ParseSong(const std::vector<ScriptLine>& lines) {
    Song song;
    std::vector<std::vector<std::string>>* continuation = nullptr;
    Section* section = nullptr;
    for (const auto& line : lines) {
        const std::string& head = line.tokens[0];
        if (head == "|") {
            if (!continuation) line.Fail("bar line without a pattern or chords above");
            AppendBars(line, 0, *continuation);
            continue;
        }
        continuation = nullptr;
        if (head == "title") {
            song.title = line.At(1);
        } else if (head == "tempo") {
            song.tempo = line.Number(1);
        } else if (head == "beats") {
            song.beatsPerBar = static_cast<int>(line.Number(1));
        } else if (head == "swing") {
            song.swing = line.Number(1);
        } else if (head == "reverb") {
            song.reverb = line.Number(1);
            if (line.tokens.size() > 2) song.room = line.Number(2);
        } else if (head == "echo") {
            song.echoBeats = line.Number(1);
            song.echoFeedback = line.Number(2);
        } else if (head == "loop") {
            song.loop = line.At(1) == "yes";
        } else if (head == "loudness") {
            song.loudnessDb = line.Number(1);
        } else if (head == "seed") {
            song.seed = static_cast<uint64_t>(line.Number(1));
        } else if (head == "voice") {
            Voice voice;
            voice.name = line.At(1);
            voice.instrument = line.At(2);
            if (kKeywords.count(voice.name)) line.Fail("a voice cannot be called '" + voice.name + "'");
            if (!IsKnownInstrument(voice.instrument)) line.Fail("unknown instrument '" + voice.instrument + "'");
            for (const auto& [key, value] : KeyValues(line, 3)) {
                if (key == "vol")
                    voice.volume = ParseNumber(value, line);
                else if (key == "pan")
                    voice.pan = ParseNumber(value, line);
                else if (key == "rev")
                    voice.reverbSend = ParseNumber(value, line);
                else if (key == "echo")
                    voice.echoSend = ParseNumber(value, line);
                else if (key == "oct")
                    voice.octave = static_cast<int>(ParseNumber(value, line));
                else if (key == "legato")
                    voice.legato = ParseNumber(value, line);
                else if (key == "style")
                    voice.style = StyleTokens(line, value);
                else if (key == "pitch") {
                    int midi = 0;
                    voice.pitch = ParseNoteName(value, midi) ? MidiToFrequency(midi) : ParseNumber(value, line);
                } else
                    line.Fail("unknown voice key '" + key + "'");
            }
            song.voices.push_back(voice);
            section = nullptr;
        } else if (head == "pattern") {
            Pattern pattern;
            pattern.name = line.At(1);
            if (song.patterns.count(pattern.name)) line.Fail("pattern '" + pattern.name + "' defined twice");
            AppendBars(line, 2, pattern.bars);
            song.patterns[pattern.name] = pattern;
            continuation = &song.patterns[pattern.name].bars;
            section = nullptr;
        } else if (head == "section") {
            song.sections.push_back({line.At(1), {}, 0, {}});
            section = &song.sections.back();
        } else if (head == "order") {
            for (size_t i = 1; i < line.tokens.size(); ++i) song.order.push_back(line.tokens[i]);
            section = nullptr;
        } else if (section && head == "chords") {
            AppendBars(line, 1, section->chords);
            continuation = &section->chords;
        } else if (section && head == "bars") {
            section->bars = static_cast<int>(line.Number(1));
        } else if (section) {
            SectionPart part;
            part.voice = head;
            if (line.tokens.size() > 1) {
                std::string name = line.tokens[1];
                size_t at = name.find('@');
                if (at != std::string::npos) {
                    part.transpose = static_cast<int>(ParseNumber(name.substr(at + 1), line));
                    name = name.substr(0, at);
                }
                part.pattern = name;
            }
            section->parts.push_back(part);
        } else {
            line.Fail("unknown line '" + head + "'");
        }
    }
    // Cross-checks, so a typo fails the build instead of silently dropping a voice.
    for (auto& s : song.sections) {
        if (!s.chords.empty()) s.bars = std::max(s.bars, static_cast<int>(s.chords.size()));
        if (s.bars <= 0) throw ScriptError("section " + s.name + " has no bars");
        for (const auto& part : s.parts) {
            auto voice = std::find_if(song.voices.begin(), song.voices.end(),
                                      [&](const Voice& v) { return v.name == part.voice; });
            if (voice == song.voices.end())
                throw ScriptError("section " + s.name + ": unknown voice '" + part.voice + "'");
            if (part.pattern.empty() && voice->style.empty())
                throw ScriptError("section " + s.name + ": voice " + part.voice + " has no style; name a pattern");
            if (!part.pattern.empty() && !song.patterns.count(part.pattern))
                throw ScriptError("section " + s.name + ": unknown pattern '" + part.pattern + "'");
            if (part.pattern.empty() && s.chords.empty())
                throw ScriptError("section " + s.name + " needs chords for " + part.voice);
        }
    }
    for (const auto& name : song.order) {
        if (std::none_of(song.sections.begin(), song.sections.end(), [&](const Section& s) { return s.name == name; }))
            throw ScriptError("order names unknown section '" + name + "'");
    }
    if (song.order.empty()) throw ScriptError("the song has no order");
    return song;
}

namespace {

struct NoteEvent {
    double time = 0.0, duration = 0.0, velocity = 1.0, frequency = 0.0;
    const Voice* voice = nullptr;
};

struct Buses {
    std::vector<double> left, right, reverb, echo;
    void Grow(size_t size) {
        if (left.size() >= size) return;
        left.resize(size, 0.0);
        right.resize(size, 0.0);
        reverb.resize(size, 0.0);
        echo.resize(size, 0.0);
    }
};

const Chord& ChordAt(const std::vector<Chord>& barChords, double positionInBar) {
    size_t index = static_cast<size_t>(positionInBar * static_cast<double>(barChords.size()));
    return barChords[std::min(index, barChords.size() - 1)];
}

// Turns the section's bars for one part into note events starting at sectionStart.
void ScheduleSection(const Song& song, const Section& section, const SectionPart& part, const Voice& voice,
                     double sectionStart, Rng& rng, std::vector<NoteEvent>& events) {
    const double barSeconds = song.BarSeconds();
    const bool drum = IsDrumInstrument(voice.instrument);
    std::vector<std::vector<std::string>> bars;
    if (part.pattern.empty())
        bars.push_back(voice.style);
    else
        bars = song.patterns.at(part.pattern).bars;
    ScriptLine where;
    where.file = "section " + section.name;
    where.tokens = {part.voice};
    std::vector<size_t> lastNotes;
    for (int bar = 0; bar < section.bars; ++bar) {
        const auto& tokens = bars[static_cast<size_t>(bar) % bars.size()];
        std::vector<Chord> chords;
        if (!section.chords.empty())
            for (const auto& symbol : section.chords[static_cast<size_t>(bar) % section.chords.size()])
                chords.push_back(ParseChord(symbol, where));
        const double step = barSeconds / static_cast<double>(tokens.size());
        const bool swingable = tokens.size() == 8 || tokens.size() == 16;
        for (size_t i = 0; i < tokens.size(); ++i) {
            std::string token = tokens[i];
            double time = sectionStart + bar * barSeconds + static_cast<double>(i) * step;
            if (swingable && (i % 2) == 1) time += song.swing * step;
            if (token == "-") {
                for (size_t index : lastNotes) events[index].duration += step;
                continue;
            }
            lastNotes.clear();
            if (token == ".") continue;
            double velocity = 1.0;
            if (token.back() == '!') {
                velocity = 1.3;
                token.pop_back();
            } else if (token.back() == '?') {
                velocity = 0.6;
                token.pop_back();
            }
            std::vector<double> frequencies;
            if (drum && (token == "x" || token == "X" || token == "o")) {
                velocity = token == "X" ? 1.3 : token == "o" ? 0.5 : 1.0;
                frequencies.push_back(voice.pitch);
            } else {
                const Chord* chord =
                    chords.empty() ? nullptr : &ChordAt(chords, static_cast<double>(i) / tokens.size());
                std::vector<int> notes;
                if (token == "*") {
                    if (!chord) where.Fail("'*' needs chords");
                    if (chord->none) continue;
                    for (int interval : chord->intervals)
                        notes.push_back(12 * (voice.octave + 1) + chord->root + interval);
                } else {
                    size_t start = 0;
                    while (start <= token.size()) {
                        size_t plus = token.find('+', start);
                        std::string piece =
                            token.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
                        int midi = 0;
                        if (IsChordToneToken(piece)) {
                            if (!chord) where.Fail("chord tone '" + piece + "' needs chords");
                            if (chord->none) break;
                            notes.push_back(ChordTone(piece, *chord, voice.octave));
                        } else if (ParseNoteName(piece, midi)) {
                            notes.push_back(midi);
                        } else {
                            where.Fail("cannot read note '" + piece + "'");
                        }
                        if (plus == std::string::npos) break;
                        start = plus + 1;
                    }
                }
                for (int midi : notes) frequencies.push_back(MidiToFrequency(midi + part.transpose));
            }
            for (double frequency : frequencies) {
                NoteEvent event;
                event.time = time + 0.003 * rng.Uniform();
                event.duration = step;
                event.velocity = velocity * (1.0 + 0.06 * rng.Signed());
                event.frequency = frequency;
                event.voice = &voice;
                lastNotes.push_back(events.size());
                events.push_back(event);
            }
        }
    }
}

double DefaultDrumPitch(const std::string& instrument) {
    if (instrument == "kick") return 52.0;
    if (instrument == "logdrum") return 210.0;
    if (instrument == "tom") return 125.0;
    if (instrument == "stick") return 1500.0;
    return 1000.0;
}

}  // namespace

StereoSound RenderSong(const Song& song, double minimumSeconds) {
    Rng rng(song.seed * 0x9E3779B97F4A7C15ull + 17);
    std::vector<NoteEvent> events;
    const double orderSeconds = song.OrderSeconds();
    int passes = 1;
    if (!song.loop && minimumSeconds > 0.0)
        passes = std::max(1, static_cast<int>(std::ceil(minimumSeconds / orderSeconds)));
    double start = 0.0;
    for (int pass = 0; pass < passes; ++pass) {
        for (const auto& name : song.order) {
            const Section& section = *std::find_if(song.sections.begin(), song.sections.end(),
                                                   [&](const Section& s) { return s.name == name; });
            for (const auto& part : section.parts) {
                const Voice& voice = *std::find_if(song.voices.begin(), song.voices.end(),
                                                   [&](const Voice& v) { return v.name == part.voice; });
                ScheduleSection(song, section, part, voice, start, rng, events);
            }
            start += section.bars * song.BarSeconds();
        }
    }
    const double tail = 4.0;
    Buses buses;
    buses.Grow(static_cast<size_t>((start + tail) * kSampleRate));
    for (const auto& event : events) {
        const Voice& voice = *event.voice;
        NoteRequest request;
        request.frequency = event.frequency > 0.0 ? event.frequency : DefaultDrumPitch(voice.instrument);
        request.duration = event.duration * voice.legato;
        request.velocity = event.velocity;
        std::vector<double> note = RenderInstrumentNote(voice.instrument, request, rng);
        size_t first = static_cast<size_t>(event.time * kSampleRate);
        buses.Grow(first + note.size());
        double angle = (voice.pan + 1.0) * kPi / 4.0;
        double gainLeft = std::cos(angle) * voice.volume * 1.41421356;
        double gainRight = std::sin(angle) * voice.volume * 1.41421356;
        for (size_t i = 0; i < note.size(); ++i) {
            double value = note[i];
            buses.left[first + i] += value * gainLeft;
            buses.right[first + i] += value * gainRight;
            buses.reverb[first + i] += value * voice.volume * voice.reverbSend;
            buses.echo[first + i] += value * voice.volume * voice.echoSend;
        }
    }
    Echo echo(song.echoBeats * 60.0 / song.tempo, song.echoFeedback, 3500.0);
    Reverb reverb(song.room, 0.35);
    const double wet = song.reverb * 3.0;
    for (size_t i = 0; i < buses.left.size(); ++i) {
        double echoLeft = 0.0, echoRight = 0.0;
        echo.Process(buses.echo[i], echoLeft, echoRight);
        double reverbLeft = 0.0, reverbRight = 0.0;
        reverb.Process(buses.reverb[i] + 0.25 * (echoLeft + echoRight), reverbLeft, reverbRight);
        buses.left[i] += echoLeft + wet * reverbLeft;
        buses.right[i] += echoRight + wet * reverbRight;
    }
    size_t length;
    if (song.loop) {
        // What rings past the end belongs to the start of the next pass through the loop.
        length = static_cast<size_t>(std::llround(orderSeconds * kSampleRate));
        for (size_t i = length; i < buses.left.size(); ++i) {
            buses.left[i % length] += buses.left[i];
            buses.right[i % length] += buses.right[i];
        }
    } else {
        double seconds = minimumSeconds > 0.0 ? minimumSeconds : start + 2.0;
        length = static_cast<size_t>(std::llround(seconds * kSampleRate));
        buses.Grow(length);
        const size_t fade = std::min(length, static_cast<size_t>(2.0 * kSampleRate));
        for (size_t i = 0; i < fade; ++i) {
            double ramp = SmoothRamp(static_cast<double>(i) / static_cast<double>(fade));
            buses.left[length - 1 - i] *= ramp;
            buses.right[length - 1 - i] *= ramp;
        }
    }
    // Loudness: bring the song to its target level, then round off the few peaks above -1 dBFS.
    double sum = 0.0, peak = 0.0;
    for (size_t i = 0; i < length; ++i) {
        sum += buses.left[i] * buses.left[i] + buses.right[i] * buses.right[i];
        peak = std::max({peak, std::fabs(buses.left[i]), std::fabs(buses.right[i])});
    }
    double rms = std::sqrt(sum / (2.0 * static_cast<double>(length)));
    double gain = rms > 0.0 ? DecibelsToGain(song.loudnessDb) / rms : 0.0;
    gain = std::min(gain, 1.4 / std::max(peak, 1e-9));
    const double knee = 0.7, ceiling = 0.891 - knee;
    auto limit = [&](double x) {
        double magnitude = std::fabs(x * gain);
        if (magnitude > knee) magnitude = knee + ceiling * std::tanh((magnitude - knee) / ceiling);
        return static_cast<float>(std::copysign(magnitude, x));
    };
    StereoSound out;
    out.left.resize(length);
    out.right.resize(length);
    for (size_t i = 0; i < length; ++i) {
        out.left[i] = limit(buses.left[i]);
        out.right[i] = limit(buses.right[i]);
    }
    return out;
}

}  // namespace media
