// Sound effects described as layers of swept tones and filtered noise, rendered to mono samples.
#include "SoundRecipe.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "Dsp.h"

namespace media {
namespace {

double ParseFrequency(const std::string& text, const ScriptLine& line) {
    int midi = 0;
    if (ParseNoteName(text, midi)) return MidiToFrequency(midi);
    return ParseNumber(text, line);
}

void ParseRange(const std::string& text, const ScriptLine& line, double& from, double& to) {
    size_t arrow = text.find('>');
    if (arrow == std::string::npos) {
        from = to = ParseFrequency(text, line);
    } else {
        from = ParseFrequency(text.substr(0, arrow), line);
        to = ParseFrequency(text.substr(arrow + 1), line);
    }
}

std::vector<std::string> SplitList(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, separator))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

// One layer line; a "notes" key turns it into one layer per note, each "step" seconds after the last.
void ParseLayer(const ScriptLine& line, SoundRecipe& recipe) {
    SoundLayer layer;
    layer.noise = line.tokens[0] == "noise";
    layer.shape = line.At(1);
    static const char* kTones[] = {"sine", "triangle", "square", "saw"};
    static const char* kNoises[] = {"white", "lp", "hp", "bp"};
    const auto& valid = layer.noise ? kNoises : kTones;
    if (std::find(std::begin(valid), std::end(valid), layer.shape) == std::end(valid))
        line.Fail("unknown " + line.tokens[0] + " shape '" + layer.shape + "'");
    std::vector<std::string> notes;
    double step = 0.1;
    for (const auto& [key, value] : KeyValues(line, 2)) {
        if (key == "at") {
            layer.at = ParseNumber(value, line);
        } else if (key == "dur") {
            layer.duration = ParseNumber(value, line);
        } else if (key == "freq") {
            ParseRange(value, line, layer.startFrequency, layer.endFrequency);
        } else if (key == "glide") {
            layer.glide = ParseNumber(value, line);
        } else if (key == "curve") {
            if (value != "lin" && value != "exp") line.Fail("curve is lin or exp");
            layer.linearSweep = value == "lin";
        } else if (key == "attack") {
            layer.attack = ParseNumber(value, line);
        } else if (key == "decay") {
            layer.decay = ParseNumber(value, line);
        } else if (key == "release") {
            layer.release = ParseNumber(value, line);
        } else if (key == "gain") {
            layer.gain = ParseNumber(value, line);
        } else if (key == "wobble") {
            auto parts = SplitList(value, ':');
            if (parts.size() != 2) line.Fail("wobble is rate:depth");
            layer.wobbleRate = ParseNumber(parts[0], line);
            layer.wobbleDepth = ParseNumber(parts[1], line);
        } else if (key == "wobbledecay") {
            layer.wobbleDecay = ParseNumber(value, line);
        } else if (key == "partials") {
            layer.partials.clear();
            for (const auto& part : SplitList(value, ',')) {
                auto pair = SplitList(part, ':');
                if (pair.size() != 2) line.Fail("partials are ratio:amplitude,...");
                layer.partials.emplace_back(ParseNumber(pair[0], line), ParseNumber(pair[1], line));
            }
        } else if (key == "cutoff") {
            ParseRange(value, line, layer.startCutoff, layer.endCutoff);
        } else if (key == "q") {
            layer.q = ParseNumber(value, line);
        } else if (key == "drive") {
            layer.drive = ParseNumber(value, line);
        } else if (key == "sparse") {
            layer.sparse = ParseNumber(value, line);
        } else if (key == "notes") {
            notes = SplitList(value, ',');
        } else if (key == "step") {
            step = ParseNumber(value, line);
        } else {
            line.Fail("unknown layer key '" + key + "'");
        }
    }
    if (layer.duration <= 0.0) line.Fail("dur must be positive");
    if (notes.empty()) {
        layer.seed = HashText(recipe.name) + recipe.layers.size() * 7919u;
        recipe.layers.push_back(layer);
        return;
    }
    double bend = layer.endFrequency / layer.startFrequency;
    for (size_t i = 0; i < notes.size(); ++i) {
        SoundLayer copy = layer;
        copy.at = layer.at + step * static_cast<double>(i);
        // "c5+e5" plays a chord at one step
        for (const auto& chordNote : SplitList(notes[i], '+')) {
            if (chordNote == "_") continue;
            copy.startFrequency = ParseFrequency(chordNote, line);
            copy.endFrequency = copy.startFrequency * bend;
            copy.seed = HashText(recipe.name) + recipe.layers.size() * 7919u;
            recipe.layers.push_back(copy);
        }
    }
}

double Wave(const SoundLayer& layer, double phase, double increment) {
    if (layer.shape == "sine") {
        double sum = 0.0;
        for (const auto& [ratio, amplitude] : layer.partials) {
            if (increment * ratio >= 0.45) continue;  // above Nyquist: leave it out
            sum += amplitude * SineCycles(phase * ratio);
        }
        return sum;
    }
    double cycle = phase - std::floor(phase);
    if (layer.shape == "triangle") return 1.0 - 4.0 * std::fabs(cycle - 0.5);
    if (layer.shape == "square") return BlepSquare(cycle, increment);
    return BlepSaw(cycle, increment);
}

double Sweep(const SoundLayer& layer, double from, double to, double t) {
    double span = layer.glide < 0.0 ? layer.duration : layer.glide;
    double x = span <= 0.0 ? 1.0 : std::min(t / span, 1.0);
    if (layer.linearSweep) return from + (to - from) * x;
    return from * std::pow(to / from, x);
}

double Envelope(const SoundLayer& layer, double t) {
    double value = layer.attack > 0.0 ? SmoothRamp(t / layer.attack) : 1.0;
    if (layer.decay > 0.0 && t > layer.attack) value *= std::exp(-(t - layer.attack) / layer.decay);
    double untilEnd = layer.duration - t;
    if (layer.release > 0.0 && untilEnd < layer.release) value *= SmoothRamp(untilEnd / layer.release);
    return value;
}

void RenderLayer(const SoundLayer& layer, std::vector<double>& out) {
    size_t start = static_cast<size_t>(layer.at * kSampleRate);
    size_t count = static_cast<size_t>(layer.duration * kSampleRate);
    if (out.size() < start + count) out.resize(start + count, 0.0);
    Rng rng(layer.seed);
    StateVariableFilter filter;
    double phase = 0.0;
    double driveNorm = layer.drive > 0.0 ? std::tanh(layer.drive) : 1.0;
    for (size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double frequency = Sweep(layer, layer.startFrequency, layer.endFrequency, t);
        if (layer.wobbleRate > 0.0) {
            double depth = layer.wobbleDepth;
            if (layer.wobbleDecay > 0.0) depth *= std::exp(-t / layer.wobbleDecay);
            frequency *= 1.0 + depth * std::sin(kTwoPi * layer.wobbleRate * t);
        }
        double value;
        if (layer.noise) {
            value = rng.Uniform() < layer.sparse ? rng.Signed() : 0.0;
            if (layer.sparse < 1.0) value *= 1.0 / std::sqrt(std::max(layer.sparse, 1e-4));
            if (layer.shape != "white") {
                filter.Set(frequency, layer.q);
                filter.Process(value);
                value = layer.shape == "lp" ? filter.low : layer.shape == "hp" ? filter.high : filter.band;
            }
        } else {
            double increment = frequency / kSampleRate;
            value = Wave(layer, phase, increment);
            phase += increment;
            if (layer.startCutoff > 0.0) {
                filter.Set(Sweep(layer, layer.startCutoff, layer.endCutoff, t), layer.q);
                filter.Process(value);
                value = filter.low;
            }
        }
        if (layer.drive > 0.0) value = std::tanh(layer.drive * value) / driveNorm;
        out[start + i] += value * Envelope(layer, t) * layer.gain;
    }
}

}  // namespace

std::vector<SoundRecipe> ParseSoundRecipes(const std::vector<ScriptLine>& lines) {
    std::vector<SoundRecipe> recipes;
    for (const auto& line : lines) {
        const std::string& head = line.tokens[0];
        if (head == "sound" || head == "sfx") {
            SoundRecipe recipe;
            recipe.name = line.At(1);
            recipe.gameFile = head == "sound";
            for (const auto& [key, value] : KeyValues(line, 2)) {
                if (key == "peak") {
                    recipe.peakDb = ParseNumber(value, line);
                } else if (key == "reverb") {
                    recipe.reverb = ParseNumber(value, line);
                } else if (key == "room") {
                    recipe.room = ParseNumber(value, line);
                } else if (key == "length") {
                    recipe.length = ParseNumber(value, line);
                } else {
                    line.Fail("unknown sound key '" + key + "'");
                }
            }
            for (const auto& other : recipes)
                if (other.name == recipe.name) line.Fail("sound '" + recipe.name + "' defined twice");
            recipes.push_back(recipe);
        } else if (head == "tone" || head == "noise") {
            if (recipes.empty()) line.Fail("layer before any sound");
            ParseLayer(line, recipes.back());
        } else {
            line.Fail("expected sound, sfx, tone or noise");
        }
        std::string text;
        for (const auto& token : line.tokens) text += token + " ";
        recipes.back().sourceText += text + "\n";
    }
    for (const auto& recipe : recipes)
        if (recipe.layers.empty()) throw ScriptError("sound " + recipe.name + " has no layers");
    return recipes;
}

std::vector<float> RenderSound(const SoundRecipe& recipe) {
    std::vector<double> mix;
    for (const auto& layer : recipe.layers) RenderLayer(layer, mix);
    if (recipe.reverb > 0.0) {
        mix.resize(mix.size() + static_cast<size_t>(0.6 * kSampleRate), 0.0);
        Reverb reverb(recipe.room, 0.4);
        for (double& sample : mix) {
            double left = 0.0, right = 0.0;
            reverb.Process(sample, left, right);
            sample += recipe.reverb * 3.0 * left;
        }
    }
    if (recipe.length > 0.0) mix.resize(static_cast<size_t>(recipe.length * kSampleRate), 0.0);
    // Trim the silent end of a reverb tail, then fade the last milliseconds so the file never ends in a click.
    double peak = 0.0;
    for (double sample : mix) peak = std::max(peak, std::fabs(sample));
    if (recipe.length <= 0.0) {
        size_t end = mix.size();
        while (end > 0 && std::fabs(mix[end - 1]) < peak * 0.002) --end;  // -54 dB
        mix.resize(std::min(mix.size(), end + 64));
    }
    const size_t fade = std::min<size_t>(mix.size() / 4, kSampleRate / 200);
    for (size_t i = 0; i < fade; ++i) {
        double ramp = SmoothRamp(static_cast<double>(i) / static_cast<double>(fade));
        mix[i] *= ramp;
        mix[mix.size() - 1 - i] *= ramp;
    }
    peak = 0.0;
    for (double sample : mix) peak = std::max(peak, std::fabs(sample));
    double scale = peak > 0.0 ? DecibelsToGain(recipe.peakDb) / peak : 0.0;
    std::vector<float> out(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) out[i] = static_cast<float>(mix[i] * scale);
    return out;
}

}  // namespace media
