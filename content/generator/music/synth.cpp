#include "generator/music/synth.h"

#include <cmath>

#include "generator/music/dsp.h"

namespace music {
namespace {

long samplesOf(double seconds) { return static_cast<long>(seconds * kSampleRate + 0.5); }

// Base of the voices: counts samples, stops at `length_`. The derived voice's `sample` is
// called directly (not virtually), so the compiler can inline it into the block loop.
template <class Derived>
class TimedVoice : public Voice {
public:
    explicit TimedVoice(long length) : length_(length) {}
    bool render(float* l, float* r, int n) override {
        Derived& self = *static_cast<Derived*>(this);
        const long stop = std::min<long>(n, length_ - pos_);
        for (long i = 0; i < stop; ++i) {
            float sl = 0.0f, sr = 0.0f;
            self.sample(sl, sr);
            // Every voice fades out over its last few milliseconds: a tail cut short never clicks.
            if (pos_ >= length_ - kFade) {
                const float g = static_cast<float>(length_ - pos_) * (1.0f / kFade);
                sl *= g;
                sr *= g;
            }
            l[i] += sl;
            r[i] += sr;
            ++pos_;
        }
        return pos_ < length_;
    }

protected:
    static constexpr long kFade = 256;
    float seconds() const { return static_cast<float>(pos_) * kInvRate; }
    long pos_ = 0;
    long length_;
};

void panGains(float pan, float& gl, float& gr) {
    const float p = std::clamp(pan, -1.0f, 1.0f);
    gl = std::cos((p + 1.0f) * 0.25f * kPi) * 1.41421356f;
    gr = std::sin((p + 1.0f) * 0.25f * kPi) * 1.41421356f;
}

// [SECTION] Drums

class KickVoice : public TimedVoice<KickVoice> {
public:
    KickVoice(const Note& n, uint32_t seed)
        : TimedVoice<KickVoice>(samplesOf(0.9)), noise_(seed), vel_(n.velocity),
          base_(midiToHz(n.pitch)), decay_(0.30f * (1.0f + n.a)) {
        click_.set(3000.0f, 0.7f);
        ampMul_ = std::exp(-1.0f / (decay_ * kSampleRate));
        pitchMul_ = std::exp(-1.0f / (0.035f * kSampleRate));
        fastMul_ = std::exp(-1.0f / (0.004f * kSampleRate));
    }
    void sample(float& l, float& r) {
        const float f = base_ + 150.0f * pitchEnv_ + 500.0f * fastEnv_;
        phase_ += f * kInvRate;
        if (phase_ >= 1.0f) phase_ -= 1.0f;
        const float attack = pos_ < 40 ? static_cast<float>(pos_) / 40.0f : 1.0f;
        float body = softClip(1.8f * fastSin(phase_)) * amp_ * attack;
        const float click = click_.hp(noise_.next()) * fastEnv_ * 0.35f;
        const float v = (body + click) * vel_;
        l = v;
        r = v;
        amp_ *= ampMul_;
        pitchEnv_ *= pitchMul_;
        fastEnv_ *= fastMul_;
        if (pos_ > length_ - 400) amp_ *= 0.985f;
    }

private:
    Noise noise_;
    Svf click_;
    float vel_, base_, decay_;
    float phase_ = 0.0f, amp_ = 1.0f, pitchEnv_ = 1.0f, fastEnv_ = 1.0f;
    float ampMul_, pitchMul_, fastMul_;
};

class SnareVoice : public TimedVoice<SnareVoice> {
public:
    SnareVoice(const Note& n, uint32_t seed)
        : TimedVoice<SnareVoice>(samplesOf(0.7 * (1.0 + n.a))), nl_(seed), nr_(seed + 7), vel_(n.velocity) {
        hpL_.set(1200.0f, 0.7f);
        hpR_.set(1300.0f, 0.7f);
        body_.set(190.0f);
        body2_.set(330.0f, 1.0f);
        toneMul_ = std::exp(-1.0f / (0.045f * kSampleRate));
        noiseMul_ = std::exp(-1.0f / (0.14f * (1.0f + n.a) * kSampleRate));
    }
    void sample(float& l, float& r) {
        if ((pos_ & 255) == 0) { body_.renormalise(); body2_.renormalise(); }
        const float tone = (body_.next() + 0.6f * body2_.next()) * tone_ * 0.8f;
        const float a = pos_ < 30 ? static_cast<float>(pos_) / 30.0f : 1.0f;
        const float nl = hpL_.hp(nl_.next()) * noiseEnv_;
        const float nr = hpR_.hp(nr_.next()) * noiseEnv_;
        l = (tone + nl * 0.9f) * vel_ * a;
        r = (tone + nr * 0.9f) * vel_ * a;
        tone_ *= toneMul_;
        noiseEnv_ *= noiseMul_;
    }

private:
    Noise nl_, nr_;
    Svf hpL_, hpR_;
    SineRotor body_, body2_;
    float vel_, tone_ = 1.0f, noiseEnv_ = 1.0f, toneMul_, noiseMul_;
};

class ClapVoice : public TimedVoice<ClapVoice> {
public:
    ClapVoice(const Note& n, uint32_t seed)
        : TimedVoice<ClapVoice>(samplesOf(0.5)), nl_(seed), nr_(seed + 3), vel_(n.velocity) {
        bpL_.set(1100.0f, 1.6f);
        bpR_.set(1250.0f, 1.6f);
        tailMul_ = std::exp(-1.0f / (0.11f * kSampleRate));
    }
    void sample(float& l, float& r) {
        const float t = seconds();
        float env;
        if (t < 0.03f) {
            const float burst = std::fmod(t, 0.01f) / 0.01f;  // three quick claps
            env = std::exp(-burst * 5.0f);
        } else {
            env = tail_;
            tail_ *= tailMul_;
        }
        l = bpL_.bp(nl_.next()) * env * vel_ * 2.2f;
        r = bpR_.bp(nr_.next()) * env * vel_ * 2.2f;
    }

private:
    Noise nl_, nr_;
    Svf bpL_, bpR_;
    float vel_, tail_ = 1.0f, tailMul_;
};

class HatVoice : public TimedVoice<HatVoice> {
public:
    HatVoice(const Note& n, uint32_t seed, bool open)
        : TimedVoice<HatVoice>(samplesOf(open ? 0.9 : 0.18)), noise_(seed), vel_(n.velocity) {
        hp_.set(7200.0f, 0.9f);
        bp_.set(10500.0f, 2.0f);
        decMul_ = std::exp(-1.0f / ((open ? 0.22f : 0.032f) * kSampleRate));
        panGains(n.a, gl_, gr_);
        // Six detuned squares give the metal; the noise gives the air.
        static const float ratios[6] = {2.0f, 3.0f, 4.16f, 5.43f, 6.79f, 8.21f};
        for (int i = 0; i < 6; ++i) dt_[i] = 205.0f * ratios[i] * kInvRate;
    }
    void sample(float& l, float& r) {
        float metal = 0.0f;
        for (int i = 0; i < 6; ++i) {
            ph_[i] += dt_[i];
            if (ph_[i] >= 1.0f) ph_[i] -= 1.0f;
            metal += ph_[i] < 0.5f ? 1.0f : -1.0f;
        }
        const float a = pos_ < 20 ? static_cast<float>(pos_) / 20.0f : 1.0f;
        const float v = (hp_.hp(noise_.next() * 0.8f + metal * 0.09f) + 0.5f * bp_.bp(metal * 0.1f)) * env_ * vel_ * a;
        l = v * gl_;
        r = v * gr_;
        env_ *= decMul_;
    }

private:
    Noise noise_;
    Svf hp_, bp_;
    float vel_, env_ = 1.0f, decMul_, gl_, gr_;
    float ph_[6] = {0.0f, 0.13f, 0.37f, 0.61f, 0.29f, 0.83f};
    float dt_[6];
};

class CrashVoice : public TimedVoice<CrashVoice> {
public:
    CrashVoice(const Note& n, uint32_t seed)
        : TimedVoice<CrashVoice>(samplesOf(4.5)), nl_(seed), nr_(seed + 11), vel_(n.velocity) {
        hpL_.set(3800.0f, 0.7f);
        hpR_.set(4100.0f, 0.7f);
        bpL_.set(7800.0f, 1.5f);
        bpR_.set(8600.0f, 1.5f);
        decMul_ = std::exp(-1.0f / (1.25f * kSampleRate));
        hitMul_ = std::exp(-1.0f / (0.06f * kSampleRate));
    }
    void sample(float& l, float& r) {
        const float env = env_ * 0.55f + hit_ * 0.45f;
        const float a = pos_ < 60 ? static_cast<float>(pos_) / 60.0f : 1.0f;
        const float xl = nl_.next(), xr = nr_.next();
        l = (hpL_.hp(xl) + 0.8f * bpL_.bp(xl)) * env * vel_ * a;
        r = (hpR_.hp(xr) + 0.8f * bpR_.bp(xr)) * env * vel_ * a;
        env_ *= decMul_;
        hit_ *= hitMul_;
        if (pos_ > length_ - 2000) env_ *= 0.998f;
    }

private:
    Noise nl_, nr_;
    Svf hpL_, hpR_, bpL_, bpR_;
    float vel_, env_ = 1.0f, hit_ = 1.0f, decMul_, hitMul_;
};

class TomVoice : public TimedVoice<TomVoice> {
public:
    TomVoice(const Note& n, uint32_t seed)
        : TimedVoice<TomVoice>(samplesOf(0.7)), noise_(seed), vel_(n.velocity), base_(midiToHz(n.pitch)) {
        lp_.set(1800.0f, 0.7f);
        ampMul_ = std::exp(-1.0f / (0.22f * kSampleRate));
        pitchMul_ = std::exp(-1.0f / (0.06f * kSampleRate));
        panGains(n.a, gl_, gr_);
    }
    void sample(float& l, float& r) {
        phase_ += base_ * (1.0f + 0.7f * pitchEnv_) * kInvRate;
        if (phase_ >= 1.0f) phase_ -= 1.0f;
        const float a = pos_ < 30 ? static_cast<float>(pos_) / 30.0f : 1.0f;
        const float v = (fastSin(phase_) * amp_ + lp_.lp(noise_.next()) * pitchEnv_ * 0.3f) * vel_ * a;
        l = v * gl_;
        r = v * gr_;
        amp_ *= ampMul_;
        pitchEnv_ *= pitchMul_;
    }

private:
    Noise noise_;
    Svf lp_;
    float vel_, base_, phase_ = 0.0f, amp_ = 1.0f, pitchEnv_ = 1.0f, ampMul_, pitchMul_, gl_, gr_;
};

// [SECTION] Tonal voices

class BassVoice : public TimedVoice<BassVoice> {
public:
    BassVoice(const Note& n, uint32_t)
        : TimedVoice<BassVoice>(0), env_(0.004f, 0.25f, 0.75f, 0.06f, samplesOf(n.length)), vel_(n.velocity),
          hz_(midiToHz(n.pitch)), cutoff_(n.a > 0 ? n.a : 400.0f), envAmount_(n.b) {
        length_ = env_.length();
        fenvMul_ = std::exp(-1.0f / (0.10f * kSampleRate));
        sub_.set(hz_);
    }
    void sample(float& l, float& r) {
        if ((pos_ & 15) == 0) {
            filter_.set(cutoff_ * (1.0f + envAmount_ * fenv_), 1.3f);
            if ((pos_ & 255) == 0) sub_.renormalise();
        }
        const float dt = hz_ * kInvRate;
        const float saw = 0.5f * (a_.saw(dt * 1.0035f) + b_.saw(dt * 0.9965f));
        const float v = (filter_.lp(saw) * 0.8f + sub_.next() * 0.7f);
        const float out = softClip(v * 1.3f) * env_.next() * vel_;
        l = out;
        r = out;
        fenv_ *= fenvMul_;
    }

private:
    Adsr env_;
    Osc a_, b_;
    SineRotor sub_;
    Svf filter_;
    float vel_, hz_, cutoff_, envAmount_, fenv_ = 1.0f, fenvMul_;
};

class PadVoice : public TimedVoice<PadVoice> {
public:
    PadVoice(const Note& n, uint32_t seed)
        : TimedVoice<PadVoice>(0), env_(0.9f, 1.5f, 0.85f, 1.6f, samplesOf(n.length)), vel_(n.velocity),
          hz_(midiToHz(n.pitch)), from_(n.a > 0 ? n.a : 1200.0f), to_(n.b > 0 ? n.b : from_) {
        length_ = env_.length();
        const float spread = 1.0f / static_cast<float>(length_);
        ratio_ = std::log(to_ / from_) * spread;
        Noise rnd(seed);
        for (Osc& o : osc_) o.phase = 0.5f + 0.5f * rnd.next();
    }
    void sample(float& l, float& r) {
        if ((pos_ & 31) == 0) {
            const float c = from_ * std::exp(ratio_ * static_cast<float>(pos_));
            fl_.set(c, 0.8f);
            fr_.set(c * 1.04f, 0.8f);
        }
        const float dt = hz_ * kInvRate;
        const float s0 = osc_[0].saw(dt * 0.9942f);
        const float s1 = osc_[1].saw(dt);
        const float s2 = osc_[2].saw(dt * 1.0058f);
        const float s3 = osc_[3].saw(dt * 0.5f * 1.0021f);  // an octave below, for body
        const float e = env_.next() * vel_ * 0.3f;
        const float dl = fl_.lp(s0 + 0.7f * s1 + 0.3f * s3);
        const float dr = fr_.lp(s2 + 0.7f * s1 + 0.3f * s3);
        l = (dl - lowL_.process(dl)) * e;
        r = (dr - lowR_.process(dr)) * e;
    }

private:
    Adsr env_;
    Osc osc_[4];
    Svf fl_, fr_;
    OnePole lowL_ = lowCut(), lowR_ = lowCut();
    static OnePole lowCut() { OnePole p; p.setHz(140.0f); return p; }
    float vel_, hz_, from_, to_, ratio_;
};

// A vowel pad: sawtooth voices through three formant band passes, with a slow vibrato.
class ChoirVoice : public TimedVoice<ChoirVoice> {
public:
    ChoirVoice(const Note& n, uint32_t seed)
        : TimedVoice<ChoirVoice>(0), env_(0.7f, 1.0f, 0.9f, 1.4f, samplesOf(n.length)), vel_(n.velocity),
          hz_(midiToHz(n.pitch)), bright_(n.a) {
        length_ = env_.length();
        f1_.set(650.0f, 4.0f);
        f2_.set(1080.0f, 5.0f);
        f3_.set(2650.0f, 6.0f);
        g1_.set(700.0f, 4.0f);
        g2_.set(1150.0f, 5.0f);
        g3_.set(2800.0f, 6.0f);
        Noise rnd(seed);
        lfoPhase_ = 0.5f + 0.5f * rnd.next();
    }
    void sample(float& l, float& r) {
        lfoPhase_ += 4.7f * kInvRate;
        if (lfoPhase_ >= 1.0f) lfoPhase_ -= 1.0f;
        const float vib = 1.0f + 0.004f * fastSin(lfoPhase_) * std::min(1.0f, seconds());
        const float dt = hz_ * kInvRate * vib;
        const float a = o1_.saw(dt * 0.996f), b = o2_.saw(dt * 1.004f);
        const float e = env_.next() * vel_ * 0.9f;
        // Each band pass peaks at its Q; the weights bring the formants back to unity.
        const float w3 = (0.2f + 0.4f * bright_) / 6.0f;
        l = (f1_.bp(a) * 0.25f + 0.14f * f2_.bp(a) + w3 * f3_.bp(a)) * e * 2.0f;
        r = (g1_.bp(b) * 0.25f + 0.14f * g2_.bp(b) + w3 * g3_.bp(b)) * e * 2.0f;
    }

private:
    Adsr env_;
    Osc o1_, o2_;
    Svf f1_, f2_, f3_, g1_, g2_, g3_;
    float vel_, hz_, bright_, lfoPhase_;
};

class LeadVoice : public TimedVoice<LeadVoice> {
public:
    LeadVoice(const Note& n, uint32_t)
        : TimedVoice<LeadVoice>(0), env_(0.008f, 0.35f, 0.7f, 0.22f, samplesOf(n.length)), vel_(n.velocity),
          hz_(midiToHz(n.pitch)), cutoff_(n.a > 0 ? n.a : 3000.0f), vibrato_(n.b > 0 ? n.b : 0.18f) {
        length_ = env_.length();
        fenvMul_ = std::exp(-1.0f / (0.18f * kSampleRate));
    }
    void sample(float& l, float& r) {
        const float t = seconds();
        if ((pos_ & 15) == 0) {
            const float depth = vibrato_ * std::clamp((t - 0.18f) * 3.0f, 0.0f, 1.0f);
            bend_ = std::exp2(depth / 12.0f * std::sin(kTwoPi * 5.6f * t));
            fl_.set(cutoff_ * (1.0f + 1.5f * fenv_), 1.1f);
            fr_.set(cutoff_ * (1.0f + 1.5f * fenv_) * 1.05f, 1.1f);
        }
        const float dt = hz_ * kInvRate * bend_;
        const float pulse = 0.5f * c_.square(dt * 0.5f, 0.35f);
        const float a = a_.saw(dt * 1.003f) + pulse;
        const float b = b_.saw(dt * 0.997f) + pulse;
        const float e = env_.next() * vel_ * 0.35f;
        l = fl_.lp(a) * e;
        r = fr_.lp(b) * e;
        fenv_ *= fenvMul_;
    }

private:
    Adsr env_;
    Osc a_, b_, c_;
    Svf fl_, fr_;
    float vel_, hz_, cutoff_, vibrato_, bend_ = 1.0f, fenv_ = 1.0f, fenvMul_;
};

class PluckVoice : public TimedVoice<PluckVoice> {
public:
    PluckVoice(const Note& n, uint32_t)
        : TimedVoice<PluckVoice>(0), vel_(n.velocity), hz_(midiToHz(n.pitch)), cutoff_(n.a > 0 ? n.a : 1500.0f) {
        const float hold = static_cast<float>(n.length);
        decay_ = std::clamp(hold * 1.5f, 0.12f, 0.7f);
        length_ = samplesOf(decay_ * 5.0f);
        ampMul_ = std::exp(-1.0f / (decay_ * kSampleRate));
        fenvMul_ = std::exp(-1.0f / (0.07f * kSampleRate));
        panGains(n.b, gl_, gr_);
    }
    void sample(float& l, float& r) {
        if ((pos_ & 15) == 0) filter_.set(cutoff_ * (1.0f + 6.0f * fenv_), 2.0f);
        const float dt = hz_ * kInvRate;
        const float a = pos_ < 60 ? static_cast<float>(pos_) / 60.0f : 1.0f;
        const float v = filter_.lp(o_.saw(dt) + 0.5f * p_.square(dt * 1.002f, 0.25f)) * amp_ * vel_ * 0.45f * a;
        l = v * gl_;
        r = v * gr_;
        amp_ *= ampMul_;
        fenv_ *= fenvMul_;
    }

private:
    Osc o_, p_;
    Svf filter_;
    float vel_, hz_, cutoff_, decay_, amp_ = 1.0f, ampMul_, fenv_ = 1.0f, fenvMul_, gl_, gr_;
};

// Two-operator FM: glassy bells for the bright and the scanning sections.
class BellVoice : public TimedVoice<BellVoice> {
public:
    BellVoice(const Note& n, uint32_t seed)
        : TimedVoice<BellVoice>(0), vel_(n.velocity), hz_(midiToHz(n.pitch)), ratio_(n.b > 0 ? n.b : 3.5f) {
        const float decay = n.a > 0 ? n.a : 1.2f;
        length_ = samplesOf(decay * 3.5f);
        fadeFrom_ = length_ - length_ / 5;
        ampMul_ = std::exp(-1.0f / (decay * kSampleRate));
        indexMul_ = std::exp(-1.0f / (decay * 0.3f * kSampleRate));
        Noise rnd(seed);
        panGains(0.6f * rnd.next(), gl_, gr_);
    }
    void sample(float& l, float& r) {
        mod_ += hz_ * ratio_ * kInvRate;
        if (mod_ >= 1.0f) mod_ -= 1.0f;
        car_ += hz_ * kInvRate;
        if (car_ >= 1.0f) car_ -= 1.0f;
        const float a = pos_ < 40 ? static_cast<float>(pos_) / 40.0f : 1.0f;
        // The last fifth fades out, so cutting the tail at -30 dB makes no click.
        const float fade = pos_ > fadeFrom_ ? static_cast<float>(length_ - pos_) / static_cast<float>(length_ - fadeFrom_) : 1.0f;
        const float v = fastSin(car_ + 0.35f * index_ * fastSin(mod_)) * amp_ * vel_ * 0.35f * a * fade;
        l = v * gl_;
        r = v * gr_;
        amp_ *= ampMul_;
        index_ *= indexMul_;
    }

private:
    float vel_, hz_, ratio_, car_ = 0.0f, mod_ = 0.0f, amp_ = 1.0f, index_ = 1.0f, ampMul_, indexMul_, gl_, gr_;
    long fadeFrom_;
};

// [SECTION] Effects as notes: builds and impacts

class RiserVoice : public TimedVoice<RiserVoice> {
public:
    RiserVoice(const Note& n, uint32_t seed)
        : TimedVoice<RiserVoice>(samplesOf(n.length)), nl_(seed), nr_(seed + 5), vel_(n.velocity), hz_(midiToHz(n.pitch)) {}
    void sample(float& l, float& r) {
        const float x = static_cast<float>(pos_) / static_cast<float>(length_);
        if ((pos_ & 31) == 0) {
            const float c = 250.0f * std::pow(40.0f, x);
            bl_.set(c, 2.5f);
            br_.set(c * 1.1f, 2.5f);
        }
        const float amp = x * x * vel_;
        const float tail = length_ - pos_ < 220 ? static_cast<float>(length_ - pos_) / 220.0f : 1.0f;
        const float dt = hz_ * std::exp2(2.0f * x) * kInvRate;
        const float tone = 0.12f * (o_.saw(dt) + p_.saw(dt * 1.01f));
        l = (bl_.bp(nl_.next()) * 1.4f + tone) * amp * tail;
        r = (br_.bp(nr_.next()) * 1.4f + tone) * amp * tail;
    }

private:
    Noise nl_, nr_;
    Svf bl_, br_;
    Osc o_, p_;
    float vel_, hz_;
};

class SwellVoice : public TimedVoice<SwellVoice> {
public:
    SwellVoice(const Note& n, uint32_t seed)
        : TimedVoice<SwellVoice>(samplesOf(n.length)), nl_(seed), nr_(seed + 9), vel_(n.velocity) {
        hl_.set(3500.0f, 0.7f);
        hr_.set(3800.0f, 0.7f);
    }
    void sample(float& l, float& r) {
        const float x = static_cast<float>(pos_) / static_cast<float>(length_);
        const float amp = std::pow(x, 3.0f) * vel_;
        const float tail = length_ - pos_ < 150 ? static_cast<float>(length_ - pos_) / 150.0f : 1.0f;
        l = hl_.hp(nl_.next()) * amp * tail;
        r = hr_.hp(nr_.next()) * amp * tail;
    }

private:
    Noise nl_, nr_;
    Svf hl_, hr_;
    float vel_;
};

class BoomVoice : public TimedVoice<BoomVoice> {
public:
    BoomVoice(const Note& n, uint32_t seed)
        : TimedVoice<BoomVoice>(samplesOf(3.5)), noise_(seed), vel_(n.velocity) {
        lp_.set(500.0f, 0.8f);
        ampMul_ = std::exp(-1.0f / (0.9f * kSampleRate));
        pitchMul_ = std::exp(-1.0f / (0.25f * kSampleRate));
        hitMul_ = std::exp(-1.0f / (0.08f * kSampleRate));
    }
    void sample(float& l, float& r) {
        phase_ += (32.0f + 70.0f * pitchEnv_) * kInvRate;
        if (phase_ >= 1.0f) phase_ -= 1.0f;
        const float a = pos_ < 60 ? static_cast<float>(pos_) / 60.0f : 1.0f;
        const float v = (softClip(1.5f * fastSin(phase_)) * amp_ + lp_.lp(noise_.next()) * hit_ * 0.8f) * vel_ * a;
        l = v;
        r = v;
        amp_ *= ampMul_;
        pitchEnv_ *= pitchMul_;
        hit_ *= hitMul_;
        if (pos_ > length_ - 2000) amp_ *= 0.997f;
    }

private:
    Noise noise_;
    Svf lp_;
    float vel_, phase_ = 0.0f, amp_ = 1.0f, pitchEnv_ = 1.0f, hit_ = 1.0f, ampMul_, pitchMul_, hitMul_;
};

// A dark, breathing low drone: detuned saws under a slowly moving low pass, with a sine below.
class DroneVoice : public TimedVoice<DroneVoice> {
public:
    DroneVoice(const Note& n, uint32_t)
        : TimedVoice<DroneVoice>(0), env_(2.5f, 1.0f, 1.0f, 3.0f, samplesOf(n.length)), vel_(n.velocity),
          hz_(midiToHz(n.pitch)), cutoff_(n.a > 0 ? n.a : 300.0f) {
        length_ = env_.length();
        sub_.set(hz_);
    }
    void sample(float& l, float& r) {
        if ((pos_ & 31) == 0) {
            const float lfo = std::sin(kTwoPi * 0.09f * seconds());
            fl_.set(cutoff_ * (1.0f + 0.45f * lfo), 1.6f);
            fr_.set(cutoff_ * (1.0f - 0.35f * lfo), 1.6f);
            if ((pos_ & 255) == 0) sub_.renormalise();
        }
        const float dt = hz_ * kInvRate;
        const float e = env_.next() * vel_;
        const float sub = sub_.next() * 0.5f;
        l = (fl_.lp(a_.saw(dt * 1.004f) + b_.saw(dt * 2.003f) * 0.5f) * 0.5f + sub) * e;
        r = (fr_.lp(c_.saw(dt * 0.996f) + d_.saw(dt * 1.997f) * 0.5f) * 0.5f + sub) * e;
    }

private:
    Adsr env_;
    Osc a_, b_, c_, d_;
    SineRotor sub_;
    Svf fl_, fr_;
    float vel_, hz_, cutoff_;
};

}  // namespace

std::unique_ptr<Voice> makeVoice(Instrument instrument, const Note& note, uint32_t seed) {
    switch (instrument) {
        case Instrument::Kick: return std::make_unique<KickVoice>(note, seed);
        case Instrument::Snare: return std::make_unique<SnareVoice>(note, seed);
        case Instrument::Clap: return std::make_unique<ClapVoice>(note, seed);
        case Instrument::HatClosed: return std::make_unique<HatVoice>(note, seed, false);
        case Instrument::HatOpen: return std::make_unique<HatVoice>(note, seed, true);
        case Instrument::Crash: return std::make_unique<CrashVoice>(note, seed);
        case Instrument::Tom: return std::make_unique<TomVoice>(note, seed);
        case Instrument::Bass: return std::make_unique<BassVoice>(note, seed);
        case Instrument::Pad: return std::make_unique<PadVoice>(note, seed);
        case Instrument::Choir: return std::make_unique<ChoirVoice>(note, seed);
        case Instrument::Lead: return std::make_unique<LeadVoice>(note, seed);
        case Instrument::Pluck: return std::make_unique<PluckVoice>(note, seed);
        case Instrument::Bell: return std::make_unique<BellVoice>(note, seed);
        case Instrument::Riser: return std::make_unique<RiserVoice>(note, seed);
        case Instrument::Swell: return std::make_unique<SwellVoice>(note, seed);
        case Instrument::Boom: return std::make_unique<BoomVoice>(note, seed);
        case Instrument::Drone: return std::make_unique<DroneVoice>(note, seed);
    }
    return nullptr;
}

}  // namespace music
