#include "generator/music/composition.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "generator/rng.h"

namespace music {

int barsFor(double seconds) {
    auto tempo = [&](int bars) { return 240.0 * bars / seconds; };
    for (int step : {4, 2, 1}) {
        int best = 0;
        for (int bars = step; bars < 400; bars += step) {
            const double bpm = tempo(bars);
            if (bpm < 110.0 || bpm > 130.0) continue;
            if (best == 0 || std::fabs(bpm - 120.0) < std::fabs(tempo(best) - 120.0)) best = bars;
        }
        if (best > 0) return best;
    }
    return std::max(1, static_cast<int>(std::lround(seconds / 2.0)));
}

std::vector<Section> sectionsOf(const std::vector<SceneSpan>& timeline) {
    std::vector<Section> sections;
    for (const SceneSpan& s : timeline) sections.push_back({s.name, s.start, s.length, barsFor(s.length)});
    return sections;
}

namespace {

// [SECTION] Harmony

struct Chord {
    int root = 2;                // pitch class, 0 = C
    std::vector<int> intervals;  // above the root
};

// "Dm", "Bbmaj7", "A7", "Gm7", "Asus4", "Dmadd9", "F", "D".
Chord chord(const std::string& name) {
    static const int letters[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    Chord c;
    size_t i = 0;
    c.root = letters[name[i++] - 'A'];
    if (i < name.size() && (name[i] == 'b' || name[i] == '#')) c.root = (c.root + (name[i++] == '#' ? 1 : 11)) % 12;
    const std::string q = name.substr(i);
    if (q.empty()) c.intervals = {0, 4, 7};
    else if (q == "m") c.intervals = {0, 3, 7};
    else if (q == "7") c.intervals = {0, 4, 7, 10};
    else if (q == "m7") c.intervals = {0, 3, 7, 10};
    else if (q == "maj7") c.intervals = {0, 4, 7, 11};
    else if (q == "sus4") c.intervals = {0, 5, 7};
    else if (q == "madd9") c.intervals = {0, 3, 7, 14};
    else if (q == "add9") c.intervals = {0, 4, 7, 14};
    else throw std::runtime_error("music: unknown chord " + name);
    return c;
}

// Chords per bar: each name held for `each` bars, cycling until `bars` are filled.
std::vector<Chord> progression(std::initializer_list<const char*> names, int each, int bars) {
    std::vector<Chord> list;
    std::vector<Chord> cycle;
    for (const char* n : names) cycle.push_back(chord(n));
    for (int b = 0; b < bars; ++b) list.push_back(cycle[static_cast<size_t>(b / each) % cycle.size()]);
    return list;
}

// A close voicing in the middle register.
std::vector<float> voicing(const Chord& c) {
    int base = c.root;
    while (base < 50) base += 12;
    std::vector<float> notes;
    for (int i : c.intervals) notes.push_back(static_cast<float>(base + i));
    return notes;
}

float bassNote(const Chord& c) {
    int n = c.root;
    while (n < 33) n += 12;
    return static_cast<float>(n);
}

int noteNumber(const std::string& name) {
    static const int letters[7] = {9, 11, 0, 2, 4, 5, 7};
    size_t i = 0;
    int pc = letters[name[i++] - 'A'];
    if (name[i] == '#') { ++pc; ++i; }
    else if (name[i] == 'b') { --pc; ++i; }
    const int octave = std::atoi(name.c_str() + i);
    return 12 * (octave + 1) + pc;
}

// [SECTION] The composer's hand: tracks and the ways of writing into them

enum T {
    Kick, Snare, BigSnare, Clap, HatC, HatO, Crash, Tom, Bass, Pad, Choir, Lead, Lead2, Pluck, Bell,
    Riser, Swell, Boom, Drone, TrackCount
};

class Composer {
public:
    Score score;

    Composer() {
        score.tracks.resize(TrackCount);
        //            name          instrument              gain   pan   delay  reverb duck
        set(Kick,     "kick",       Instrument::Kick,       0.60f, 0.0f, 0.0f,  0.02f, 0.0f);
        set(Snare,    "snare",      Instrument::Snare,      0.42f, 0.05f, 0.0f, 0.20f, 0.0f);
        set(BigSnare, "big snare",  Instrument::Snare,      0.48f, 0.0f, 0.10f, 0.55f, 0.0f);
        set(Clap,     "clap",       Instrument::Clap,       0.40f, -0.05f, 0.0f, 0.25f, 0.0f);
        set(HatC,     "hats",       Instrument::HatClosed,  0.30f, 0.0f, 0.0f,  0.04f, 0.15f);
        set(HatO,     "open hats",  Instrument::HatOpen,    0.19f, 0.0f, 0.0f,  0.08f, 0.3f);
        set(Crash,    "crash",      Instrument::Crash,      0.26f, 0.0f, 0.0f,  0.15f, 0.0f);
        set(Tom,      "toms",       Instrument::Tom,        0.50f, 0.0f, 0.0f,  0.22f, 0.0f);
        set(Bass,     "bass",       Instrument::Bass,       0.32f, 0.0f, 0.0f,  0.0f,  0.65f);
        set(Pad,      "pad",        Instrument::Pad,        0.30f, 0.0f, 0.0f,  0.30f, 0.5f);
        set(Choir,    "choir",      Instrument::Choir,      0.26f, 0.0f, 0.05f, 0.45f, 0.25f);
        set(Lead,     "lead",       Instrument::Lead,       0.38f, 0.0f, 0.28f, 0.22f, 0.15f);
        set(Lead2,    "harmony",    Instrument::Lead,       0.16f, 0.25f, 0.30f, 0.30f, 0.15f);
        set(Pluck,    "arp",        Instrument::Pluck,      0.30f, 0.0f, 0.32f, 0.18f, 0.4f);
        set(Bell,     "bells",      Instrument::Bell,       0.26f, 0.0f, 0.42f, 0.40f, 0.0f);
        set(Riser,    "riser",      Instrument::Riser,      0.22f, 0.0f, 0.0f,  0.30f, 0.0f);
        set(Swell,    "swell",      Instrument::Swell,      0.16f, 0.0f, 0.0f,  0.20f, 0.0f);
        set(Boom,     "boom",       Instrument::Boom,       0.60f, 0.0f, 0.0f,  0.30f, 0.0f);
        set(Drone,    "drone",      Instrument::Drone,      0.22f, 0.0f, 0.0f,  0.25f, 0.3f);
        score.sidechain = Kick;
    }

    void note(T t, double time, double length, float pitch, float velocity, float a = 0.0f, float b = 0.0f) {
        score.tracks[t].notes.push_back({time, length, pitch, velocity, a, b});
    }

    // Sixteenth-note steps, as many bars as the text holds: 'X' accent, 'x' normal, 'o' soft,
    // '.' rest, '|' ignored (a bar line for the eye).
    void steps(T t, const Section& s, double bar, const std::string& text, float velocity,
               float pitch = 36.0f, float a = 0.0f, float b = 0.0f, double length = 0.1) {
        int i = 0;
        for (char c : text) {
            if (c == '|' || c == ' ') continue;
            const float v = c == 'X' ? 1.0f : c == 'x' ? 0.78f : c == 'o' ? 0.45f : 0.0f;
            if (v > 0.0f) note(t, s.at(bar + i / 16.0), length, pitch, velocity * v, a, b);
            ++i;
        }
    }

    // The same one-bar pattern over bars [from, to).
    void loop(T t, const Section& s, int from, int to, const std::string& text, float velocity,
              float pitch = 36.0f, float a = 0.0f, float b = 0.0f) {
        for (int bar = from; bar < to; ++bar) steps(t, s, bar, text, velocity, pitch, a, b);
    }

    // A melody: "A4:3 D5:3 -:2 …", lengths in sixteenths.
    void melody(T t, const Section& s, double bar, const std::string& text, float velocity,
                float a = 0.0f, float b = 0.0f, int transpose = 0, double legato = 0.92) {
        size_t pos = 0;
        double step = 0.0;
        while (pos < text.size()) {
            while (pos < text.size() && (text[pos] == ' ' || text[pos] == '|')) ++pos;
            if (pos >= text.size()) break;
            const size_t colon = text.find(':', pos);
            size_t end = text.find_first_of(" |", colon);
            if (end == std::string::npos) end = text.size();
            const std::string name = text.substr(pos, colon - pos);
            const double len = std::atof(text.substr(colon + 1, end - colon - 1).c_str());
            if (name != "-") {
                const float pitch = static_cast<float>(noteNumber(name) + transpose);
                note(t, s.at(bar + step / 16.0), len * s.bar() / 16.0 * legato, pitch, velocity, a, b);
            }
            step += len;
            pos = end;
        }
    }

    // Held chords over bars [from, to), a new note set whenever the chord changes; the filter
    // opens from `fromHz` to `toHz` across the span.
    void pads(T t, const Section& s, const std::vector<Chord>& chords, int from, int to, float velocity,
              float fromHz, float toHz, int transpose = 0) {
        int bar = from;
        while (bar < to) {
            int end = bar + 1;
            while (end < to && chords[static_cast<size_t>(end)].root == chords[static_cast<size_t>(bar)].root &&
                   chords[static_cast<size_t>(end)].intervals == chords[static_cast<size_t>(bar)].intervals)
                ++end;
            const float x0 = static_cast<float>(bar - from) / static_cast<float>(to - from);
            const float x1 = static_cast<float>(end - from) / static_cast<float>(to - from);
            const float c0 = fromHz * std::pow(toHz / fromHz, x0), c1 = fromHz * std::pow(toHz / fromHz, x1);
            for (float p : voicing(chords[static_cast<size_t>(bar)])) {
                const float a = t == Choir ? std::clamp((c0 - 500.0f) / 3000.0f, 0.0f, 1.0f) : c0;
                note(t, s.at(bar), (end - bar) * s.bar() + 0.03, p + static_cast<float>(transpose), velocity, a, c1);
            }
            bar = end;
        }
    }

    // A bass line: per bar, a step pattern on the chord's root; 'O' plays the octave above.
    void bassline(const Section& s, const std::vector<Chord>& chords, int from, int to, const std::string& text,
                  float velocity, float cutoff, float envelope, double noteSteps = 1.6) {
        for (int bar = from; bar < to; ++bar) {
            const float root = bassNote(chords[static_cast<size_t>(bar)]);
            int i = 0;
            for (char c : text) {
                if (c == ' ' || c == '|') continue;
                if (c != '.') {
                    const float v = c == 'o' ? 0.6f : 1.0f;
                    const float p = c == 'O' ? root + 12.0f : root;
                    note(Bass, s.at(bar + i / 16.0), noteSteps * s.bar() / 16.0, p, velocity * v, cutoff, envelope);
                }
                ++i;
            }
        }
    }

    // Arpeggios on the chord tones, one note per sixteenth: "up", "down", "updown" or "ripple".
    void arpeggio(T t, const Section& s, const std::vector<Chord>& chords, int from, int to, const std::string& shape,
                  int octave, float velocity, float fromHz, float toHz, int every = 1) {
        const int stepsTotal = (to - from) * 16;
        for (int k = 0; k < stepsTotal; k += every) {
            const int bar = from + k / 16;
            const Chord& c = chords[static_cast<size_t>(bar)];
            std::vector<float> tones;
            for (int o = 0; o < 2; ++o)
                for (int i : c.intervals) tones.push_back(static_cast<float>(c.root + 12 * (octave + 1) + i % 12 + 12 * o));
            std::sort(tones.begin(), tones.end());
            const int n = static_cast<int>(tones.size());
            const int j = k / every;
            int idx;
            if (shape == "up") idx = j % n;
            else if (shape == "down") idx = n - 1 - j % n;
            else if (shape == "ripple") idx = (j * 3) % n;
            else {
                const int m = j % (2 * n - 2);
                idx = m < n ? m : 2 * n - 2 - m;
            }
            const float x = static_cast<float>(k) / static_cast<float>(stepsTotal);
            const float cutoff = fromHz * std::pow(toHz / fromHz, x);
            const float accent = (k % 4 == 0) ? 1.0f : 0.75f;
            const float pan = (j % 2 == 0) ? -0.35f : 0.35f;
            note(t, s.at(from + k / 16.0), s.bar() / 16.0 * every * 0.8, tones[static_cast<size_t>(idx)],
                 velocity * accent, t == Bell ? 0.35f : cutoff, t == Bell ? 2.0f : pan);
        }
    }

    // The build into a cut: a noise riser over the last `riserBars`, a snare roll that gets
    // denser and louder through the last bar, and a reversed cymbal into the cut.
    void buildInto(const Section& s, double riserBars, float strength, bool roll = true) {
        const double end = s.at(s.bars);
        note(Riser, end - riserBars * s.bar(), riserBars * s.bar(), 50.0f, strength);
        note(Swell, end - 1.0 * s.bar(), 1.0 * s.bar(), 60.0f, strength);
        if (!roll) return;
        const double last = s.bars - 1;
        for (int i = 0; i < 8; ++i) note(Snare, s.at(last + i / 16.0 * 2.0), 0.1, 60.0f, strength * (0.35f + 0.2f * i / 8.0f));
        for (int i = 0; i < 8; ++i) note(Snare, s.at(last + 0.5 + i / 16.0), 0.1, 60.0f, strength * (0.55f + 0.4f * i / 8.0f));
    }

    // The downbeat of a cut: the crash, the impact, the kick.
    void downbeat(const Section& s, float strength, bool kick = true) {
        note(Crash, s.start, 0.1, 60.0f, strength);
        note(Boom, s.start, 0.1, 30.0f, strength);
        if (kick) note(Kick, s.start, 0.1, 33.0f, strength);
    }

    // A tom run down over the last `beats` beats of a bar.
    void tomFill(const Section& s, int bar, int beats, float velocity) {
        const int n = beats * 4;
        for (int i = 0; i < n; ++i) {
            const float pitch = 55.0f - 12.0f * static_cast<float>(i) / static_cast<float>(n);
            const float pan = 0.6f - 1.2f * static_cast<float>(i) / static_cast<float>(n);
            note(Tom, s.at(bar + (16 - n + i) / 16.0), 0.1, pitch, velocity * (0.7f + 0.3f * i / n), pan);
        }
    }

private:
    void set(T t, const char* name, Instrument inst, float gain, float pan, float delay, float reverb, float duck) {
        Track& tr = score.tracks[t];
        tr.name = name;
        tr.instrument = inst;
        tr.gain = gain;
        tr.pan = pan;
        tr.delaySend = delay;
        tr.reverbSend = reverb;
        tr.duck = duck;
    }
};

// [SECTION] Themes (sixteenths)

// The main theme, over Dm Bb F C, two bars each: a rising three-note cell answered by a fall.
const char* kThemeA =
    "A4:3 D5:3 E5:2 F5:4 E5:2 D5:2 | C5:3 A4:3 G4:2 A4:8 |"
    "F4:3 Bb4:3 C5:2 D5:4 C5:2 Bb4:2 | A4:3 F4:3 D4:2 F4:8 |"
    "C5:3 F5:3 G5:2 A5:4 G5:2 F5:2 | E5:3 C5:3 A4:2 C5:8 |"
    "G4:3 C5:3 D5:2 E5:4 D5:2 C5:2 | D5:4 E5:4 G5:4 E5:4";
const char* kThemeAFirstHalf =
    "A4:3 D5:3 E5:2 F5:4 E5:2 D5:2 | C5:3 A4:3 G4:2 A4:8 |"
    "F4:3 Bb4:3 C5:2 D5:4 C5:2 Bb4:2 | A4:3 F4:3 D4:2 F4:8";
// The bright theme, over F C Dm Bb, one bar each.
const char* kThemeRainbow =
    "C5:2 F5:2 A5:2 C6:4 A5:2 G5:2 F5:2 | G5:4 E5:2 C5:2 E5:2 G5:6 |"
    "A5:2 F5:2 D5:2 F5:4 A5:2 C6:2 D6:2 | C6:4 Bb5:2 A5:2 F5:8";
// The marching theme, over Dm C Bb A, one bar each.
const char* kThemeB =
    "D5:2 -:1 D5:1 F5:2 A5:2 G5:2 F5:2 E5:2 F5:2 | E5:2 -:1 E5:1 G5:2 C5:2 E5:4 D5:2 C5:2 |"
    "D5:2 -:1 D5:1 F5:2 Bb4:2 D5:4 C5:2 Bb4:2 | A4:4 C#5:4 E5:4 G5:4";
// The fall: every bar steps down.
const char* kThemeFall =
    "D6:4 C6:4 Bb5:4 A5:4 | G5:4 F5:4 D5:8 | Bb5:4 A5:4 G5:4 F5:4 | E5:4 D5:4 Bb4:8 |"
    "A5:4 G5:4 F5:4 E5:4 | D5:4 C5:4 A4:8 | C#5:4 E5:4 G5:4 A5:4 | Bb5:8 A5:8";
// The forest's slow line.
const char* kThemeForest =
    "D5:8 C5:4 A4:4 | Bb4:12 -:4 | A4:8 G4:4 E4:4 | C#5:12 -:4 |"
    "D5:8 F5:4 E5:4 | D5:12 -:4 | C5:8 A4:4 E4:4 | A4:12 -:4";

const char* kFour = "X...x...x...x...";
const char* kBackbeat = "....x.......x...";
const char* kOffHats = "..x...x...x...x.";
const char* kSixteenths = "x.o.x.o.x.o.x.oo";

// [SECTION] The sections, one per scene

// Under the depth camera: a drone, a chord cycle whose filter opens, the theme's first cell on
// bells, a heartbeat that becomes a pulse, and the first build.
void intro(Composer& m, const Section& s) {
    const int n = s.bars;
    std::vector<Chord> ch = progression({"Dmadd9", "Dmadd9", "Dmadd9", "Dmadd9", "Bbmaj7", "Bbmaj7", "Bbmaj7", "Bbmaj7",
                                         "Gm7", "Gm7", "Bb", "Bb", "Asus4", "A"}, 1, 14);
    ch.resize(static_cast<size_t>(n), chord("A"));
    m.note(Drone, s.at(0), s.at(n) - s.at(0), 38.0f, 0.8f, 260.0f);
    m.pads(Pad, s, ch, 0, n, 0.75f, 300.0f, 2600.0f);
    m.melody(Bell, s, 2, "A5:3 D6:3 E6:2 F6:8", 0.5f, 2.2f, 3.5f);
    m.melody(Bell, s, 6, "F5:3 Bb5:3 C6:2 D6:8", 0.55f, 2.2f, 3.5f);
    m.melody(Bell, s, 9, "D6:3 C6:3 Bb5:2 A5:8", 0.5f, 2.2f, 3.5f);
    m.arpeggio(Pluck, s, ch, std::min(6, n), n, "updown", 4, 0.55f, 350.0f, 2200.0f);
    for (int b = 4; b < std::min(10, n); ++b) m.steps(Kick, s, b, "x......o........", 0.55f, 33.0f);
    m.loop(Kick, s, std::min(10, n), n, kFour, 0.75f, 33.0f);
    m.loop(HatC, s, std::min(8, n), n, kOffHats, 0.5f, 60.0f, 0.2f);
    m.buildInto(s, 2.0, 0.9f);
}

// The boat: the groove arrives, then the theme; a short breakdown, then back for the build.
void boat(Composer& m, const Section& s) {
    const int n = s.bars;
    const std::vector<Chord> ch = progression({"Dm", "Bb", "F", "C"}, 2, n);
    const int brk = std::max(0, n - 8), back = std::max(0, n - 4);
    m.downbeat(s, 1.0f);
    m.pads(Pad, s, ch, 0, brk, 0.8f, 1400.0f, 2600.0f);
    m.pads(Pad, s, ch, brk, n, 0.85f, 900.0f, 3000.0f);
    m.loop(Kick, s, 0, brk, kFour, 0.9f, 33.0f);
    m.loop(Kick, s, back, n, kFour, 0.9f, 33.0f);
    m.loop(Clap, s, 0, brk, kBackbeat, 0.85f);
    m.loop(Clap, s, back, n, kBackbeat, 0.85f);
    m.loop(HatO, s, 0, brk, kOffHats, 0.8f, 60.0f, 0.1f);
    m.loop(HatC, s, 8, brk, kSixteenths, 0.7f, 60.0f, -0.2f);
    m.loop(HatC, s, back, n, kSixteenths, 0.7f, 60.0f, -0.2f);
    m.bassline(s, ch, 0, brk, "..X...x...X...x.", 0.9f, 520.0f, 3.0f);
    m.bassline(s, ch, brk, back, "X...............", 0.7f, 300.0f, 1.0f, 14.0);
    m.bassline(s, ch, back, n, "..X...x...X.x.x.", 0.9f, 600.0f, 3.5f);
    m.melody(Lead, s, 8, kThemeA, 0.85f, 2600.0f);
    m.melody(Lead, s, 16, kThemeA, 0.9f, 3600.0f, 0.2f, 12);
    m.melody(Lead2, s, 16, kThemeA, 0.8f, 2400.0f, 0.15f, 0);
    m.melody(Bell, s, brk, "A5:3 D6:3 E6:2 F6:8 | F6:3 Bb6:3 C7:2 D7:8", 0.5f, 1.8f, 3.5f);
    m.arpeggio(Pluck, s, ch, 16, n, "updown", 4, 0.5f, 900.0f, 2600.0f);
    for (int b : {0, 8, 16}) m.note(Crash, s.at(b), 0.1, 60.0f, 0.8f);
    m.note(Crash, s.at(back), 0.1, 60.0f, 0.7f);
    m.tomFill(s, 15, 1, 0.8f);
    m.tomFill(s, n - 1, 2, 0.8f);
    m.buildInto(s, 2.0, 1.0f);
}

// The forest: half time, wooden plucks and bells, a slow line; darker and lighter.
void forest(Composer& m, const Section& s) {
    const int n = s.bars;
    const std::vector<Chord> ch = progression({"Gm7", "Dm7", "Bbmaj7", "A7"}, 2, n);
    m.downbeat(s, 0.8f);
    m.pads(Pad, s, ch, 0, n, 0.42f, 700.0f, 1500.0f);
    m.pads(Choir, s, ch, n / 2, n, 0.4f, 1200.0f, 2000.0f, 12);
    for (int b = 0; b < n - 1; ++b) m.steps(Kick, s, b, b % 2 ? "x.........x..o.." : "x.......x.x.....", 0.7f, 33.0f);
    m.loop(Snare, s, 0, n - 1, "........X.......", 0.5f);
    m.loop(HatC, s, 0, n, "x.ox.ox.x.ox.oxo", 0.45f, 60.0f, 0.35f);
    m.bassline(s, ch, 0, n, "X.......o.......", 0.5f, 320.0f, 1.5f, 7.0);
    m.arpeggio(Bell, s, ch, 0, n, "ripple", 4, 0.38f, 1.0f, 1.0f, 2);
    m.melody(Lead, s, 4, kThemeForest, 0.6f, 1500.0f, 0.25f, 0);
    m.tomFill(s, n - 1, 2, 0.7f);
    m.buildInto(s, 2.0, 0.8f, false);
}

// The rainbow: the major relative, four on the floor, octave bass, sparkle and the bright theme.
void rainbow(Composer& m, const Section& s) {
    const int n = s.bars;
    const std::vector<Chord> ch = progression({"F", "C", "Dm", "Bb"}, 1, n);
    m.downbeat(s, 1.0f);
    m.pads(Pad, s, ch, 0, n, 1.0f, 2800.0f, 5000.0f, 12);
    m.loop(Kick, s, 0, n, kFour, 1.0f, 34.0f);
    m.loop(Clap, s, 0, n, kBackbeat, 0.9f);
    m.loop(HatC, s, 0, n, "x.xxx.xxx.xxx.xx", 0.6f, 60.0f, -0.25f);
    m.loop(HatO, s, 0, n, kOffHats, 0.9f, 60.0f, 0.25f);
    m.bassline(s, ch, 0, n, "X.O.X.O.X.O.X.O.", 0.95f, 800.0f, 3.0f);
    m.arpeggio(Bell, s, ch, 0, n, "up", 6, 0.5f, 1.0f, 1.0f);
    m.melody(Lead, s, 0, kThemeRainbow, 0.85f, 4200.0f, 0.2f, 0);
    m.melody(Lead, s, 4, kThemeRainbow, 0.85f, 4200.0f, 0.2f, 0);
    m.melody(Lead, s, 8, kThemeRainbow, 0.9f, 5000.0f, 0.2f, 12);
    m.melody(Lead2, s, 8, kThemeRainbow, 0.8f, 3500.0f, 0.2f, 0);
    m.melody(Lead, s, 12, kThemeRainbow, 0.9f, 5000.0f, 0.2f, 12);
    m.melody(Lead2, s, 12, kThemeRainbow, 0.8f, 3500.0f, 0.2f, 0);
    m.note(Crash, s.at(8), 0.1, 60.0f, 0.8f);
    m.buildInto(s, 2.0, 1.0f);
}

// The walkers: a march down Dm C Bb A, rolling bass, snare on the backbeat, the second theme.
void walkers(Composer& m, const Section& s) {
    const int n = s.bars;
    const std::vector<Chord> ch = progression({"Dm", "C", "Bb", "A"}, 1, n);
    m.downbeat(s, 1.0f);
    m.pads(Pad, s, ch, 0, n, 0.5f, 1100.0f, 2200.0f);
    m.loop(Kick, s, 0, n, kFour, 0.72f, 32.0f);
    m.loop(Snare, s, 0, n, "....X.......X..o", 0.7f);
    m.loop(HatC, s, 0, n, kSixteenths, 0.5f, 60.0f, 0.2f);
    m.bassline(s, ch, 0, n, "X.xxO.xxX.xxO.xx", 0.6f, 420.0f, 4.0f, 0.9);
    m.arpeggio(Pluck, s, ch, 0, n, "up", 3, 0.45f, 700.0f, 1600.0f, 2);
    m.melody(Lead, s, 4, kThemeB, 0.8f, 2400.0f);
    m.melody(Lead, s, 8, kThemeB, 0.85f, 2800.0f);
    m.melody(Lead, s, 12, kThemeB, 0.9f, 3200.0f, 0.2f, 12);
    for (int b = 3; b < n - 1; b += 4) m.tomFill(s, b, 1, 0.75f);
    m.note(Crash, s.at(8), 0.1, 60.0f, 0.8f);
    m.buildInto(s, 2.0, 1.0f);
}

// The fallers: everything tumbles down a step per bar, with extra kicks and sixteenth bass.
void fallers(Composer& m, const Section& s) {
    const int n = s.bars;
    std::vector<Chord> ch = progression({"Bbmaj7", "Bbmaj7", "Gm7", "Gm7", "Dm", "Dm", "A7", "A7", "A7"}, 1, 9);
    ch.resize(static_cast<size_t>(n), chord("A7"));
    m.downbeat(s, 1.0f);
    m.pads(Pad, s, ch, 0, n, 0.8f, 2200.0f, 3200.0f);
    m.loop(Kick, s, 0, n - 1, "X...x...x...x.x.", 0.95f, 33.0f);
    m.loop(Clap, s, 0, n - 1, kBackbeat, 0.9f);
    m.loop(Snare, s, 0, n - 1, ".......o......o.", 0.5f);
    m.loop(HatC, s, 0, n, "xxxxxxxxxxxxxxxx", 0.5f, 60.0f, 0.3f);
    m.loop(HatO, s, 0, n - 1, kOffHats, 0.7f);
    m.bassline(s, ch, 0, n - 1, "XxxxXxxxXxxxXxxx", 0.75f, 650.0f, 5.0f, 0.9);
    m.arpeggio(Pluck, s, ch, 0, n, "down", 5, 0.5f, 1800.0f, 3500.0f);
    m.melody(Lead, s, 0, kThemeFall, 0.9f, 3500.0f, 0.2f);
    m.melody(Lead2, s, 0, kThemeFall, 0.7f, 2500.0f, 0.2f, -12);
    m.note(Crash, s.at(4), 0.1, 60.0f, 0.8f);
    m.tomFill(s, n - 2, 2, 0.8f);
    m.buildInto(s, 2.0, 1.0f);
}

// The marble skull: slow and grand, a choir, heavy half-time hits and bells.
void skull(Composer& m, const Section& s) {
    const int n = s.bars;
    const std::vector<Chord> ch = progression({"Dm", "Bb", "Gm", "A"}, 2, n);
    m.downbeat(s, 1.0f);
    m.pads(Choir, s, ch, 0, n, 0.55f, 2500.0f, 3500.0f);
    m.pads(Pad, s, ch, 0, n, 0.4f, 900.0f, 1600.0f, -12);
    m.loop(Kick, s, 0, n - 1, "X.........x.....", 0.8f, 31.0f, 0.8f);
    m.loop(BigSnare, s, 0, n - 1, "........X.......", 0.7f, 60.0f, 1.0f);
    m.loop(HatC, s, 0, n, "x...x...x...x.x.", 0.35f);
    m.bassline(s, ch, 0, n, "X...............", 0.6f, 250.0f, 1.5f, 15.0);
    m.melody(Bell, s, 0, "D6:8 F6:8 | D6:16 | Bb5:8 D6:8 | F6:16 | G5:8 Bb5:8 | D6:16 | A5:8 C#6:8 | E6:16", 0.55f, 2.5f, 3.5f);
    m.tomFill(s, n - 1, 4, 0.8f);
    m.buildInto(s, 2.0, 0.85f, false);
}

// Scanner bleeps: sparse, high, random notes of the minor pentatonic with long echoes.
void bleeps(Composer& m, const Section& s, int from, int to, float density, float velocity, uint64_t seed) {
    content::Rng rng(seed);
    static const int scale[5] = {74, 77, 79, 81, 84};  // D5 F5 G5 A5 C6
    for (int k = from * 16; k < to * 16; ++k) {
        if (rng.uniform() >= density) continue;
        const int note = scale[rng.below(5)] + (rng.uniform() < 0.3 ? 12 : 0);
        m.note(Bell, s.at(k / 16.0), 0.05, static_cast<float>(note), velocity * static_cast<float>(rng.uniform(0.5, 1.0)),
               0.25f, 1.41f);
    }
}

// The first scan: almost nothing; a low drone, a dark pad, scanner bleeps, a far heartbeat.
void scanStart(Composer& m, const Section& s) {
    const int n = s.bars;
    const std::vector<Chord> ch = progression({"Dm", "Bb", "Gm", "A"}, 4, n);
    m.note(Boom, s.start, 0.1, 30.0f, 0.9f);
    m.note(Crash, s.start, 0.1, 60.0f, 0.5f);
    m.note(Drone, s.at(0), s.at(n) - s.at(0), 38.0f, 0.75f, 220.0f);
    m.pads(Pad, s, ch, 0, n, 0.45f, 350.0f, 750.0f);
    bleeps(m, s, 1, n, 0.09f, 0.5f, 11);
    m.loop(HatC, s, 4, n, "o.o.o.o.o.o.o.o.", 0.35f, 60.0f, 0.5f);
    m.loop(Kick, s, 8, n, "x...............", 0.5f, 30.0f, 0.6f);
    m.buildInto(s, 2.0, 0.5f, false);
}

// The second scan: still dark, then a half-time beat, then the long build into the finale.
void scan(Composer& m, const Section& s) {
    const int n = s.bars;
    const int a = n / 3, b = 2 * n / 3;
    std::vector<Chord> ch = progression({"Dm", "Dm", "Gm", "Gm"}, 2, a);
    const std::vector<Chord> mid = progression({"Dm", "Gm", "Bb", "A"}, 2, b - a);
    const std::vector<Chord> top = progression({"Bb", "C", "Gm", "A7"}, (n - b) / 4 > 0 ? (n - b) / 4 : 1, n - b);
    ch.insert(ch.end(), mid.begin(), mid.end());
    ch.insert(ch.end(), top.begin(), top.end());
    m.note(Boom, s.start, 0.1, 30.0f, 0.7f);
    m.note(Drone, s.at(0), s.at(b) - s.at(0), 38.0f, 0.75f, 240.0f);
    m.pads(Pad, s, ch, 0, b, 0.55f, 400.0f, 900.0f);
    m.pads(Pad, s, ch, b, n, 0.75f, 900.0f, 3000.0f);
    bleeps(m, s, 0, b, 0.07f, 0.45f, 23);
    m.loop(Kick, s, 0, a, "x.......x.......", 0.6f, 31.0f, 0.5f);
    m.loop(HatC, s, 2, a, "o.o.o.o.o.o.o.o.", 0.35f);
    m.loop(Kick, s, a, b, "X.........x.....", 0.85f, 32.0f);
    m.loop(BigSnare, s, a, b, "........X.......", 0.75f, 60.0f, 0.8f);
    m.loop(HatC, s, a, b, "x.o.x.o.x.o.x.o.", 0.5f);
    m.bassline(s, ch, a, b, "X.......x.......", 0.75f, 300.0f, 1.5f, 7.0);
    m.arpeggio(Pluck, s, ch, a, b, "updown", 3, 0.45f, 500.0f, 1200.0f, 2);
    m.note(Crash, s.at(b), 0.1, 60.0f, 0.8f);
    m.loop(Kick, s, b, n, kFour, 0.9f, 33.0f);
    m.loop(HatC, s, b, n, kSixteenths, 0.6f);
    m.loop(Clap, s, b + 4 < n ? b + 4 : b, n, kBackbeat, 0.75f);
    m.bassline(s, ch, b, n, "..X...x...X...x.", 0.85f, 500.0f, 3.0f);
    m.arpeggio(Pluck, s, ch, b, n, "up", 4, 0.5f, 1000.0f, 3500.0f);
    m.melody(Lead, s, b, "A4:16 | D5:16 | C5:16 | E5:16 | D5:16 | F5:16 | E5:16 | A5:16", 0.6f, 1800.0f, 0.2f);
    m.buildInto(s, std::min(4.0, static_cast<double>(n - b)), 1.0f);
}

// The finale: a quiet statement of the theme, the beat, the full theme, the climax, a last
// quiet pass, the cadence, and the resolution on D major that rings out after the show. The
// parts fall on multiples of eight bars, where the theme's chord cycle begins.
void finale(Composer& m, const Section& s) {
    const int n = s.bars;
    const int quiet = 8, half = 16, climax = 32, calm = n - 8, cadence = n - 4;
    std::vector<Chord> ch = progression({"Dm", "Bb", "F", "C"}, 2, cadence);
    for (const char* c : {"Bb", "C", "A7", "D"}) ch.push_back(chord(c));
    const double resolve = s.at(n - 1);
    m.downbeat(s, 1.0f);
    // Quiet statement.
    m.note(Drone, s.at(0), s.at(half) - s.at(0), 38.0f, 0.7f, 260.0f);
    m.pads(Pad, s, ch, 0, quiet, 0.65f, 600.0f, 1400.0f);
    m.melody(Bell, s, 0, kThemeA, 0.55f, 2.0f, 3.5f, 12);
    // The beat comes back, half time.
    m.pads(Pad, s, ch, quiet, half, 0.7f, 1400.0f, 2200.0f);
    m.pads(Choir, s, ch, quiet, half, 0.45f, 1200.0f, 2000.0f);
    m.loop(Kick, s, quiet, half, "X.........x.....", 0.85f, 32.0f);
    m.loop(BigSnare, s, quiet, half, "........X.......", 0.7f, 60.0f, 0.8f);
    m.loop(HatC, s, quiet, half, "x.o.x.o.x.o.x.o.", 0.5f);
    m.bassline(s, ch, quiet, half, "X.......x.......", 0.8f, 320.0f, 1.5f, 7.0);
    m.arpeggio(Pluck, s, ch, quiet, half, "updown", 4, 0.45f, 700.0f, 1600.0f, 2);
    m.melody(Lead, s, quiet, kThemeA, 0.6f, 1800.0f, 0.2f);
    m.buildInto(Section{s.scene, s.start, s.bar() * half, half}, 2.0, 0.8f);
    // Full groove and the theme, twice, the second time an octave up over its own echo.
    m.note(Crash, s.at(half), 0.1, 60.0f, 1.0f);
    m.note(Boom, s.at(half), 0.1, 30.0f, 0.7f);
    m.pads(Pad, s, ch, half, calm, 0.85f, 2200.0f, 4000.0f);
    m.loop(Kick, s, half, calm, kFour, 0.95f, 33.0f);
    m.loop(Clap, s, half, calm, kBackbeat, 0.9f);
    m.loop(HatC, s, half, calm, kSixteenths, 0.65f, 60.0f, -0.2f);
    m.loop(HatO, s, half, calm, kOffHats, 0.8f, 60.0f, 0.2f);
    m.bassline(s, ch, half, calm, "..X...x...X...x.", 0.9f, 600.0f, 3.5f);
    m.arpeggio(Pluck, s, ch, half, calm, "updown", 4, 0.5f, 1400.0f, 3200.0f);
    m.melody(Lead, s, half, kThemeA, 0.9f, 3000.0f);
    m.melody(Lead, s, half + 8, kThemeA, 0.9f, 3800.0f, 0.2f, 12);
    m.melody(Lead2, s, half + 8, kThemeA, 0.75f, 2600.0f, 0.2f, 0);
    // Climax: the choir, the theme high and low, bells on top; a tag of its first half if the
    // scene leaves four more bars.
    m.note(Crash, s.at(climax), 0.1, 60.0f, 1.0f);
    m.pads(Choir, s, ch, climax, calm, 0.7f, 2500.0f, 3500.0f, 12);
    for (int b = climax; b + 4 <= calm; b += 8) {
        const char* part = b + 8 <= calm ? kThemeA : kThemeAFirstHalf;
        m.melody(Lead, s, b, part, 0.95f, 4500.0f, 0.22f, 12);
        m.melody(Lead2, s, b, part, 0.8f, 3000.0f, 0.2f, 0);
    }
    m.arpeggio(Bell, s, ch, climax, calm, "up", 6, 0.3f, 1.0f, 1.0f);
    m.tomFill(s, calm - 1, 2, 0.8f);
    // The last quiet pass.
    m.note(Crash, s.at(calm), 0.1, 60.0f, 0.6f);
    m.pads(Pad, s, ch, calm, n - 1, 0.7f, 1800.0f, 900.0f);
    m.melody(Bell, s, calm, "A5:3 D6:3 E6:2 F6:8 | C6:3 A5:3 G5:2 A5:8 | F5:3 Bb5:3 C6:2 D6:8 | A5:3 F5:3 D5:2 F5:8", 0.5f,
             2.0f, 3.5f);
    m.bassline(s, ch, calm, n - 1, "X...............", 0.6f, 260.0f, 1.0f, 15.0);
    // The cadence: Bb, C, A7, and the beat one last time.
    m.loop(Kick, s, cadence, n - 1, "X.......x.......", 0.8f, 32.0f);
    m.loop(BigSnare, s, cadence + 2, n - 1, "........X...X.X.", 0.6f, 60.0f, 0.6f);
    m.melody(Lead, s, cadence, "D5:8 C5:4 Bb4:4 | C5:8 E5:4 G5:4 | A5:4 G5:4 E5:4 C#5:4", 0.8f, 2500.0f, 0.25f);
    m.note(Riser, s.at(n - 2), s.bar(), 50.0f, 0.6f);
    // The resolution: D major, held, ringing into the tail.
    const double hold = s.at(n) - resolve + kTailSeconds * 0.5;
    for (float p : {38.0f, 50.0f, 54.0f, 57.0f, 62.0f, 66.0f}) m.note(Pad, resolve, hold, p, 0.75f, 2400.0f, 500.0f);
    for (float p : {62.0f, 66.0f, 69.0f}) m.note(Choir, resolve, hold, p, 0.6f, 0.5f);
    m.note(Lead, resolve, 1.6 * s.bar(), 74.0f, 0.75f, 2500.0f, 0.25f);
    m.note(Bell, resolve, 0.1, 74.0f, 0.6f, 3.0f, 3.5f);
    m.note(Bell, resolve + s.bar() / 2, 0.1, 81.0f, 0.45f, 3.0f, 3.5f);
    m.note(Bass, resolve, hold * 0.7, 38.0f, 0.8f, 260.0f, 1.0f);
    m.note(Drone, resolve, hold, 38.0f, 0.6f, 240.0f);
    m.note(Crash, resolve, 0.1, 60.0f, 0.8f);
    m.note(Boom, resolve, 0.1, 30.0f, 0.8f);
    m.note(Kick, resolve, 0.1, 33.0f, 0.9f);
}

}  // namespace

Score compose(const std::vector<SceneSpan>& timeline) {
    const std::vector<Section> sections = sectionsOf(timeline);
    if (sections.size() != 10) throw std::runtime_error("music: the composition expects ten scenes");
    Composer m;
    using Writer = void (*)(Composer&, const Section&);
    static const Writer writers[10] = {intro, boat, forest, rainbow, walkers, fallers, skull, scanStart, scan, finale};
    for (size_t i = 0; i < sections.size(); ++i) {
        writers[i](m, sections[i]);
        m.score.tempo.push_back({sections[i].start, sections[i].bar() / 4.0});
    }
    m.score.length = sections.back().start + sections.back().length + kTailSeconds;
    m.score.masterGain = 0.5f;
    return std::move(m.score);
}

}  // namespace music
