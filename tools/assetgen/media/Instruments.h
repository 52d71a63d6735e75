// The synthesiser's instruments: wooden and bone timbres for a stone-age band, and its drums.
#pragma once

#include <string>
#include <vector>

#include "Dsp.h"

namespace media {

// One played note. frequency is ignored by unpitched drums unless the voice sets a pitch.
struct NoteRequest {
    double frequency = 440.0;
    double duration = 0.25;  // seconds the note is held; struck instruments ring on past it
    double velocity = 1.0;
};

bool IsKnownInstrument(const std::string& name);
bool IsDrumInstrument(const std::string& name);

// Renders one note, mono, starting at its first sample; the tail has already faded to zero.
std::vector<double> RenderInstrumentNote(const std::string& instrument, const NoteRequest& note, Rng& rng);

}  // namespace media
