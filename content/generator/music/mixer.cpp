#include "generator/music/mixer.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "generator/music/dsp.h"

namespace music {
namespace {

constexpr int kBlock = 512;

// [SECTION] Effects

// A stereo ping-pong delay whose time follows the tempo (a dotted eighth), with a darkening
// feedback path so that repeats fade into the background.
class PingPong {
public:
    PingPong() : left_(kSize, 0.0f), right_(kSize, 0.0f) {
        lowL_.setHz(3200.0f);
        lowR_.setHz(3000.0f);
        highL_.setHz(180.0f);
        highR_.setHz(180.0f);
    }
    void process(const float* inL, const float* inR, float* outL, float* outR, int n, float targetSamples) {
        for (int i = 0; i < n; ++i) {
            time_ += (targetSamples - time_) * 0.00005f;  // glide, never jump, when the tempo changes
            const float rl = read(left_, time_);
            const float rr = read(right_, time_);
            const float fl = lowL_.process(rl) - highL_.process(rl);
            const float fr = lowR_.process(rr) - highR_.process(rr);
            const float in = 0.5f * (inL[i] + inR[i]);
            left_[pos_] = in + fr * kFeedback;
            right_[pos_] = fl * kFeedback;
            outL[i] += rl;
            outR[i] += rr;
            pos_ = (pos_ + 1) & (kSize - 1);
        }
    }
    float time_ = 16000.0f;

private:
    static constexpr int kSize = 1 << 17;
    static constexpr float kFeedback = 0.5f;
    float read(const std::vector<float>& line, float delay) const {
        const float p = static_cast<float>(pos_) - delay + kSize;
        const int i0 = static_cast<int>(p);
        const float frac = p - static_cast<float>(i0);
        const float a = line[i0 & (kSize - 1)];
        const float b = line[(i0 + 1) & (kSize - 1)];
        return a + (b - a) * frac;
    }
    std::vector<float> left_, right_;
    OnePole lowL_, lowR_, highL_, highR_;
    int pos_ = 0;
};

// A hall after the classic design: eight damped combs in parallel, four all-passes in series,
// the right channel with slightly longer lines for width.
class Hall {
public:
    Hall() {
        static const int combs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
        static const int passes[4] = {556, 441, 341, 225};
        for (int c = 0; c < 2; ++c) {
            const int spread = c == 0 ? 0 : 23;
            for (int i = 0; i < 8; ++i) comb_[c][i].line.assign(static_cast<size_t>((combs[i] + spread) * 1.2), 0.0f);
            for (int i = 0; i < 4; ++i) pass_[c][i].line.assign(static_cast<size_t>((passes[i] + spread) * 1.2), 0.0f);
        }
        lowCut_.setHz(220.0f);
    }
    // Line by line over the block: each comb's loop stays short and tight.
    void process(const float* inL, const float* inR, float* outL, float* outR, int n) {
        float in[kBlock], acc[kBlock];
        for (int i = 0; i < n; ++i) {
            const float mono = (inL[i] + inR[i]) * 0.5f;
            in[i] = (mono - lowCut_.process(mono)) * 0.02f;
        }
        for (int c = 0; c < 2; ++c) {
            std::fill(acc, acc + n, 0.0f);
            for (Comb& k : comb_[c]) k.run(in, acc, n);
            for (AllPass& a : pass_[c]) a.run(acc, n);
            float* out = c == 0 ? outL : outR;
            for (int i = 0; i < n; ++i) out[i] += acc[i];
        }
    }
    Hall(const Hall&) = delete;
    Hall& operator=(const Hall&) = delete;

private:
    struct Comb {
        std::vector<float> line;
        size_t pos = 0;
        float store = 0.0f;
        void run(const float* in, float* acc, int n) {
            float* d = line.data();
            const size_t size = line.size();
            size_t p = pos;
            float st = store;
            for (int i = 0; i < n; ++i) {
                const float out = d[p];
                st = out * (1.0f - kDamp) + st * kDamp;
                d[p] = in[i] + st * kRoom;
                if (++p == size) p = 0;
                acc[i] += out;
            }
            pos = p;
            store = st;
        }
    };
    struct AllPass {
        std::vector<float> line;
        size_t pos = 0;
        void run(float* x, int n) {
            float* d = line.data();
            const size_t size = line.size();
            size_t p = pos;
            for (int i = 0; i < n; ++i) {
                const float b = d[p];
                d[p] = x[i] + b * 0.5f;
                if (++p == size) p = 0;
                x[i] = b - x[i];
            }
            pos = p;
        }
    };
    static constexpr float kRoom = 0.89f;
    static constexpr float kDamp = 0.32f;
    Comb comb_[2][8];
    AllPass pass_[2][4];
    OnePole lowCut_;
};

// [SECTION] The soft limiter

// Look-ahead limiter: the gain at each sample is the mean, over a short window, of the lowest
// gain any sample within reach needs, so it bends smoothly into loud peaks instead of clipping
// them; then it recovers slowly. No sample leaves it above the ceiling.
void limit(std::vector<float>& left, std::vector<float>& right, float ceiling) {
    const size_t n = left.size();
    const int reach = 96;  // ~2 ms
    std::vector<float> need(n);
    for (size_t i = 0; i < n; ++i) {
        const float peak = std::max(std::fabs(left[i]), std::fabs(right[i]));
        need[i] = peak > ceiling ? ceiling / peak : 1.0f;
    }
    // Sliding minimum over [i - reach, i + reach] (van Herk / Gil-Werman: running minima
    // forward and backward within blocks of the window's width; outside the piece counts as 1).
    const size_t w = 2 * reach + 1;
    const size_t padded = n + 2 * reach;
    auto needAt = [&](size_t k) { return k < static_cast<size_t>(reach) || k >= n + reach ? 1.0f : need[k - reach]; };
    std::vector<float> fwd(padded), bwd(padded);
    for (size_t k = 0; k < padded; ++k) fwd[k] = (k % w == 0) ? needAt(k) : std::min(fwd[k - 1], needAt(k));
    for (size_t k = padded; k-- > 0;) bwd[k] = (k % w == w - 1 || k == padded - 1) ? needAt(k) : std::min(bwd[k + 1], needAt(k));
    std::vector<float> low(n);
    for (size_t i = 0; i < n; ++i) low[i] = std::min(bwd[i], fwd[i + w - 1]);
    fwd = std::vector<float>();
    bwd = std::vector<float>();
    // Mean over [i - half, i + half] (outside the piece counts as 1): every term is at most need[i].
    const long half = reach / 2;
    auto lowAt = [&](long k) -> double { return k < 0 || k >= static_cast<long>(n) ? 1.0 : low[static_cast<size_t>(k)]; };
    std::vector<float>& gain = need;  // reuse: need[i] is no longer read
    double sum = 0.0;
    for (long k = -half; k <= half; ++k) sum += lowAt(k);
    for (long i = 0; i < static_cast<long>(n); ++i) {
        gain[static_cast<size_t>(i)] = static_cast<float>(sum / static_cast<double>(2 * half + 1));
        sum += lowAt(i + half + 1) - lowAt(i - half);
    }
    // Slow recovery: the gain may drop at once but rises with a 150 ms time constant.
    const float release = 1.0f - std::exp(-1.0f / (0.15f * kSampleRate));
    float g = 1.0f;
    for (size_t i = 0; i < n; ++i) {
        g = std::min(gain[i], g + (1.0f - g) * release);
        left[i] = std::clamp(left[i] * g, -ceiling, ceiling);
        right[i] = std::clamp(right[i] * g, -ceiling, ceiling);
    }
}

// [SECTION] Tracks

struct ActiveVoice {
    std::unique_ptr<Voice> voice;
    int offset;  // where in the current block it begins
};

struct TrackState {
    const Track* track;
    std::vector<size_t> order;  // notes by start time
    size_t next = 0;
    std::vector<ActiveVoice> voices;
    float gl = 1.0f, gr = 1.0f;
};

double beatAt(const Score& score, double t) {
    double beat = 0.5;
    for (const TempoMark& m : score.tempo) {
        if (m.time <= t) beat = m.beat;
    }
    return beat;
}

}  // namespace

Pcm renderScore(const Score& score, RenderStats* stats) {
    const size_t total = static_cast<size_t>(score.length * kSampleRate);
    std::vector<float> mixL(total, 0.0f), mixR(total, 0.0f);

    std::vector<TrackState> states(score.tracks.size());
    for (size_t t = 0; t < score.tracks.size(); ++t) {
        TrackState& s = states[t];
        s.track = &score.tracks[t];
        s.order.resize(s.track->notes.size());
        for (size_t i = 0; i < s.order.size(); ++i) s.order[i] = i;
        std::stable_sort(s.order.begin(), s.order.end(), [&](size_t a, size_t b) {
            return s.track->notes[a].time < s.track->notes[b].time;
        });
        const float p = std::clamp(s.track->pan, -1.0f, 1.0f);
        s.gl = std::min(1.0f, 1.0f - p);
        s.gr = std::min(1.0f, 1.0f + p);
    }

    // The kick's sidechain: each hit pushes the ducked tracks down, then lets them swell back.
    std::vector<size_t> kicks;
    if (score.sidechain >= 0) {
        for (const Note& n : score.tracks[static_cast<size_t>(score.sidechain)].notes)
            kicks.push_back(static_cast<size_t>(n.time * kSampleRate));
        std::sort(kicks.begin(), kicks.end());
    }
    size_t nextKick = 0;
    float duckTarget = 0.0f, duck = 0.0f;
    const float duckRelease = std::exp(-1.0f / (0.16f * kSampleRate));
    const float duckAttack = 1.0f - std::exp(-1.0f / (0.004f * kSampleRate));

    if (stats != nullptr)
        stats->trackEnergy.assign(score.tracks.size(), std::vector<double>(total / kSampleRate + 1, 0.0));
    PingPong delay;
    auto hall = std::make_unique<Hall>();
    float trackL[kBlock], trackR[kBlock], sendDL[kBlock], sendDR[kBlock], sendRL[kBlock], sendRR[kBlock];
    float duckCurve[kBlock];

    for (size_t b0 = 0; b0 < total; b0 += kBlock) {
        const int n = static_cast<int>(std::min<size_t>(kBlock, total - b0));
        for (int i = 0; i < n; ++i) {
            while (nextKick < kicks.size() && kicks[nextKick] <= b0 + static_cast<size_t>(i)) {
                duckTarget = 1.0f;
                ++nextKick;
            }
            duck += (duckTarget - duck) * duckAttack;
            duckTarget *= duckRelease;
            duckCurve[i] = duck;
        }
        std::fill(sendDL, sendDL + n, 0.0f);
        std::fill(sendDR, sendDR + n, 0.0f);
        std::fill(sendRL, sendRL + n, 0.0f);
        std::fill(sendRR, sendRR + n, 0.0f);
        float* outL = mixL.data() + b0;
        float* outR = mixR.data() + b0;

        for (size_t t = 0; t < states.size(); ++t) {
            TrackState& s = states[t];
            const Track& tr = *s.track;
            while (s.next < s.order.size()) {
                const size_t idx = s.order[s.next];
                const Note& note = tr.notes[idx];
                const size_t start = static_cast<size_t>(std::max(0.0, note.time) * kSampleRate);
                if (start >= b0 + static_cast<size_t>(n)) break;
                const uint32_t seed = static_cast<uint32_t>(t * 100003u + idx * 7919u + 1u);
                s.voices.push_back({makeVoice(tr.instrument, note, seed), start > b0 ? static_cast<int>(start - b0) : 0});
                ++s.next;
            }
            if (s.voices.empty()) continue;
            std::fill(trackL, trackL + n, 0.0f);
            std::fill(trackR, trackR + n, 0.0f);
            for (size_t v = 0; v < s.voices.size();) {
                ActiveVoice& a = s.voices[v];
                const bool alive = a.voice->render(trackL + a.offset, trackR + a.offset, n - a.offset);
                a.offset = 0;
                if (alive) {
                    ++v;
                } else {
                    s.voices.erase(s.voices.begin() + static_cast<long>(v));
                }
            }
            const float gl = tr.gain * s.gl, gr = tr.gain * s.gr;
            for (int i = 0; i < n; ++i) {
                const float d = 1.0f - tr.duck * duckCurve[i];
                const float l = trackL[i] * gl * d, r = trackR[i] * gr * d;
                outL[i] += l;
                outR[i] += r;
                sendDL[i] += l * tr.delaySend;
                sendDR[i] += r * tr.delaySend;
                sendRL[i] += l * tr.reverbSend;
                sendRR[i] += r * tr.reverbSend;
            }
            if (stats != nullptr) {
                double e = 0.0;
                for (int i = 0; i < n; ++i) e += static_cast<double>(trackL[i]) * trackL[i] * gl * gl + static_cast<double>(trackR[i]) * trackR[i] * gr * gr;
                stats->trackEnergy[t][b0 / kSampleRate] += e;
            }
        }
        // The delay's echoes also go into the hall, so they sit in the same room.
        float echoL[kBlock], echoR[kBlock];
        std::fill(echoL, echoL + n, 0.0f);
        std::fill(echoR, echoR + n, 0.0f);
        const float beatSamples = static_cast<float>(beatAt(score, static_cast<double>(b0) / kSampleRate) * kSampleRate);
        delay.process(sendDL, sendDR, echoL, echoR, n, 0.75f * beatSamples);
        for (int i = 0; i < n; ++i) {
            outL[i] += echoL[i];
            outR[i] += echoR[i];
            sendRL[i] += 0.35f * echoL[i];
            sendRR[i] += 0.35f * echoR[i];
        }
        hall->process(sendRL, sendRR, outL, outR, n);
    }

    // The master: gain, a DC guard, then the limiter.
    OnePole dcL, dcR;
    dcL.setHz(12.0f);
    dcR.setHz(12.0f);
    for (size_t i = 0; i < total; ++i) {
        mixL[i] = (mixL[i] - dcL.process(mixL[i])) * score.masterGain;
        mixR[i] = (mixR[i] - dcR.process(mixR[i])) * score.masterGain;
    }
    limit(mixL, mixR, dbToGain(kCeilingDb));
    // The last two seconds fade to silence: whatever the hall still holds ends softly.
    const size_t fade = std::min<size_t>(total, 2 * kSampleRate);
    for (size_t i = 0; i < fade; ++i) {
        const float g = static_cast<float>(i) / static_cast<float>(fade);
        mixL[total - 1 - i] *= g * g;
        mixR[total - 1 - i] *= g * g;
    }

    Pcm pcm;
    pcm.samples.resize(total * 2);
    for (size_t i = 0; i < total; ++i) {
        pcm.samples[2 * i] = static_cast<int16_t>(std::lrint(mixL[i] * 32767.0f));
        pcm.samples[2 * i + 1] = static_cast<int16_t>(std::lrint(mixR[i] * 32767.0f));
    }
    return pcm;
}

uint64_t hashPcm(const Pcm& pcm) {
    uint64_t h = 1469598103934665603ULL;
    for (int16_t s : pcm.samples) {
        const uint16_t u = static_cast<uint16_t>(s);
        h = (h ^ (u & 0xFF)) * 1099511628211ULL;
        h = (h ^ (u >> 8)) * 1099511628211ULL;
    }
    return h;
}

}  // namespace music
