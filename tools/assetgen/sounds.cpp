// Sound effects and music, synthesised and written as WAV or Ogg Vorbis.
// SPDX-License-Identifier: MIT
//
// Everything is made of sine partials, filtered noise and envelopes, with a
// soft low-pass and a small room so nothing sounds harsh. Effects are
// normalised to the same peak. The stage music is rendered into a ring: a note
// that rings past the end continues at the start, and the echo and filters run
// round the ring until they settle, so the loop point has no click.
// Ogg streams use a fixed serial number and fixed encoder settings.
#include "tools/assetgen/draw.h"
#include "tools/assetgen/generators.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace AssetGen
{

namespace
{

constexpr int kRate = 44100;
constexpr float kEffectPeak = 0.70f; // about -3 dB
constexpr float kMusicPeak = 0.60f;

using Mono = std::vector<float>;

struct Stereo
{
    Mono left;
    Mono right;
};

Mono Silence(double seconds)
{
    return Mono(static_cast<size_t>(seconds * kRate), 0.0f);
}

double NoteHz(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A struck tone: sine partials (ratio, level, decay seconds) with a soft attack.
struct Partial
{
    double ratio;
    double level;
    double decay;
};

void AddTone(Mono& out, double start, double hz, double gain, std::initializer_list<Partial> partials,
             double attack = 0.004, bool wrap = false)
{
    const size_t n = out.size();
    double longest = 0;
    for (const Partial& p : partials)
    {
        longest = std::max(longest, p.decay);
    }
    const size_t len = static_cast<size_t>((attack + longest * 7) * kRate);
    const size_t first = static_cast<size_t>(start * kRate);
    for (size_t i = 0; i < len; ++i)
    {
        size_t idx = first + i;
        if (idx >= n)
        {
            if (!wrap)
            {
                break;
            }
            idx %= n;
        }
        const double t = static_cast<double>(i) / kRate;
        const double env = t < attack ? t / attack : 1.0;
        double v = 0;
        for (const Partial& p : partials)
        {
            v += p.level * std::exp(-(t - std::min(t, attack)) / p.decay) *
                 std::sin(2 * M_PI * hz * p.ratio * t);
        }
        out[idx] += static_cast<float>(gain * env * v);
    }
}

// A soft bell: fundamental, octave and a glassy inharmonic partial.
void Bell(Mono& out, double start, double hz, double gain, double decay = 0.6, bool wrap = false)
{
    AddTone(out, start, hz, gain,
            {{1.0, 1.0, decay}, {2.0, 0.35, decay * 0.5}, {2.76, 0.18, decay * 0.35}, {5.4, 0.05, decay * 0.15}},
            0.003, wrap);
}

// Marimba-like pluck: warm, quick decay.
void Pluck(Mono& out, double start, double hz, double gain, bool wrap = false)
{
    AddTone(out, start, hz, gain, {{1.0, 1.0, 0.35}, {4.0, 0.12, 0.05}, {10.0, 0.03, 0.01}}, 0.002, wrap);
}

// A slowly swelling pad of detuned sines for the length of a chord.
void Pad(Mono& out, double start, double length, std::initializer_list<int> notes, double gain,
         bool wrap)
{
    const size_t n = out.size();
    const double attack = 1.4;
    const double release = 2.2;
    const size_t len = static_cast<size_t>((length + release) * kRate);
    const size_t first = static_cast<size_t>(start * kRate);
    for (int note : notes)
    {
        const double hz = NoteHz(note);
        for (size_t i = 0; i < len; ++i)
        {
            size_t idx = first + i;
            if (idx >= n)
            {
                if (!wrap)
                {
                    break;
                }
                idx %= n;
            }
            const double t = static_cast<double>(i) / kRate;
            double env = std::min(1.0, t / attack);
            if (t > length)
            {
                env *= std::exp(-(t - length) / (release / 4));
            }
            // Ease in: a smooth start avoids a click.
            env = env * env * (3 - 2 * env);
            const double v = std::sin(2 * M_PI * hz * t) + 0.5 * std::sin(2 * M_PI * hz * 1.003 * t + 1.0) +
                             0.25 * std::sin(2 * M_PI * hz * 2.0 * t + 0.5) +
                             0.12 * std::sin(2 * M_PI * hz * 3.0 * t);
            out[idx] += static_cast<float>(gain * env * v);
        }
    }
}

void Noise(Mono& out, double start, double length, double gain, double attack, double decay,
           std::uint64_t seed)
{
    Rng rng(seed);
    const size_t first = static_cast<size_t>(start * kRate);
    const size_t len = static_cast<size_t>(length * kRate);
    for (size_t i = 0; i < len && first + i < out.size(); ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        const double env = (t < attack ? t / attack : 1.0) * std::exp(-std::max(0.0, t - attack) / decay);
        out[first + i] += static_cast<float>(gain * env * (rng.Uniform() * 2 - 1));
    }
}

// A falling or rising sine sweep (thumps, bubbles).
void Sweep(Mono& out, double start, double length, double hz0, double hz1, double gain, double decay)
{
    const size_t first = static_cast<size_t>(start * kRate);
    const size_t len = static_cast<size_t>(length * kRate);
    double phase = 0;
    for (size_t i = 0; i < len && first + i < out.size(); ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        const double hz = hz0 * std::pow(hz1 / hz0, t / length);
        phase += 2 * M_PI * hz / kRate;
        const double env = std::min(1.0, t / 0.002) * std::exp(-t / decay);
        out[first + i] += static_cast<float>(gain * env * std::sin(phase));
    }
}

// One-pole low-pass; with `ring` the filter runs round twice so the state at
// the start matches the end.
void LowPass(Mono& x, double cutoffHz, bool ring = false)
{
    const double a = std::exp(-2 * M_PI * cutoffHz / kRate);
    for (int pass = 0; pass < 2; ++pass)
    {
        double y = 0;
        if (ring)
        {
            for (size_t i = 0; i < x.size(); ++i)
            {
                y = (1 - a) * x[i] + a * y; // settle on the ring first
            }
        }
        for (float& s : x)
        {
            y = (1 - a) * s + a * y;
            s = static_cast<float>(y);
        }
    }
}

void HighPass(Mono& x, double cutoffHz)
{
    const double a = std::exp(-2 * M_PI * cutoffHz / kRate);
    double lp = 0;
    for (float& s : x)
    {
        lp = (1 - a) * s + a * lp;
        s = static_cast<float>(s - lp);
    }
}

// A small underwater room: a few feedback delays, mixed in softly.
void Room(Mono& x, double wet, bool ring = false)
{
    const int delays[] = {1327, 1871, 2393, 3119};
    const double feedback = 0.55;
    Mono sum(x.size(), 0.0f);
    const size_t n = x.size();
    for (int d : delays)
    {
        Mono line(n, 0.0f);
        for (int pass = 0; pass < (ring ? 3 : 1); ++pass)
        {
            for (size_t i = 0; i < n; ++i)
            {
                const size_t from = i >= static_cast<size_t>(d) ? i - d : (ring ? i + n - d : n);
                const float prev = from < n ? line[from] : 0.0f;
                line[i] = static_cast<float>(x[i] + feedback * prev);
            }
        }
        for (size_t i = 0; i < n; ++i)
        {
            const size_t from = i >= static_cast<size_t>(d) ? i - d : (ring ? i + n - d : n);
            sum[i] += from < n ? line[from] : 0.0f;
        }
    }
    LowPass(sum, 2500, ring);
    for (size_t i = 0; i < n; ++i)
    {
        x[i] = static_cast<float>(x[i] * (1 - wet * 0.3) + sum[i] * wet * 0.25);
    }
}

void FadeEdges(Mono& x, double inSeconds, double outSeconds)
{
    const size_t in = std::min(x.size(), static_cast<size_t>(inSeconds * kRate));
    const size_t out = std::min(x.size(), static_cast<size_t>(outSeconds * kRate));
    for (size_t i = 0; i < in; ++i)
    {
        x[i] *= static_cast<float>(i) / in;
    }
    for (size_t i = 0; i < out; ++i)
    {
        x[x.size() - 1 - i] *= static_cast<float>(i) / out;
    }
}

void Normalise(Mono& x, float peak)
{
    float m = 0;
    for (float s : x)
    {
        m = std::max(m, std::abs(s));
    }
    if (m > 0)
    {
        for (float& s : x)
        {
            s *= peak / m;
        }
    }
}

std::int16_t ToPcm(float s)
{
    return static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
}

void PutLe(Bytes& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
    {
        out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
    }
}

Bytes EncodeWav(const Mono& x)
{
    Bytes out;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(x.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    PutLe(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(out, 16, 4);
    PutLe(out, 1, 2); // PCM
    PutLe(out, 1, 2); // mono
    PutLe(out, kRate, 4);
    PutLe(out, kRate * 2, 4);
    PutLe(out, 2, 2);
    PutLe(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    PutLe(out, dataBytes, 4);
    for (float s : x)
    {
        PutLe(out, static_cast<std::uint16_t>(ToPcm(s)), 2);
    }
    return out;
}

void AppendPage(Bytes& out, const ogg_page& page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

Bytes EncodeOgg(const std::vector<const Mono*>& channels, float quality, int serial)
{
    Bytes out;
    vorbis_info info;
    vorbis_info_init(&info);
    const int nch = static_cast<int>(channels.size());
    if (vorbis_encode_init_vbr(&info, nch, kRate, quality) != 0)
    {
        vorbis_info_clear(&info);
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Saltmere Zadi");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
    {
        AppendPage(out, page);
    }
    const size_t frames = channels[0]->size();
    constexpr size_t kChunk = 4096;
    size_t pos = 0;
    bool done = false;
    while (!done)
    {
        const size_t count = std::min(kChunk, frames - pos);
        if (count == 0)
        {
            vorbis_analysis_wrote(&dsp, 0);
        }
        else
        {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (int c = 0; c < nch; ++c)
            {
                std::memcpy(buffer[c], channels[c]->data() + pos, count * sizeof(float));
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            pos += count;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0)
            {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                {
                    AppendPage(out, page);
                    if (ogg_page_eos(&page) != 0)
                    {
                        done = true;
                    }
                }
            }
        }
        if (count == 0)
        {
            done = true;
        }
    }
    while (ogg_stream_flush(&stream, &page) != 0)
    {
        AppendPage(out, page);
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

// Serial numbers are fixed per file so every run writes the same bytes.
void AddEffect(AssetStore& store, const std::string& name, Mono x, int serial)
{
    HighPass(x, 40);
    FadeEdges(x, 0.002, 0.03);
    Normalise(x, kEffectPeak);
    const std::string path = "sounds/" + name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".wav") == 0)
    {
        store.Add(path, EncodeWav(x));
    }
    else
    {
        store.Add(path, EncodeOgg({&x}, 0.4f, serial));
    }
}

Mono Click()
{
    Mono x = Silence(0.09);
    AddTone(x, 0, 1500, 0.6, {{1.0, 1.0, 0.012}, {1.7, 0.4, 0.008}}, 0.0008);
    AddTone(x, 0.004, 620, 0.5, {{1.0, 1.0, 0.02}}, 0.001);
    Noise(x, 0, 0.02, 0.15, 0.0005, 0.004, 11);
    LowPass(x, 5000);
    return x;
}

Mono JewelChime(int variant)
{
    Mono x = Silence(1.4);
    if (variant == 0)
    {
        Bell(x, 0.0, NoteHz(88), 0.8, 0.5);  // E6
        Bell(x, 0.05, NoteHz(95), 0.5, 0.45); // B6
    }
    else
    {
        Bell(x, 0.0, NoteHz(91), 0.8, 0.5);  // G6
        Bell(x, 0.06, NoteHz(98), 0.45, 0.45); // D7
    }
    LowPass(x, 6000);
    Room(x, 0.6);
    return x;
}

Mono CoinClink()
{
    Mono x = Silence(0.7);
    for (int hit = 0; hit < 2; ++hit)
    {
        const double t = hit * 0.07;
        AddTone(x, t, 2100, hit == 0 ? 0.8 : 0.5,
                {{1.0, 1.0, 0.12}, {1.48, 0.6, 0.08}, {2.03, 0.35, 0.05}}, 0.001);
    }
    LowPass(x, 5000);
    Room(x, 0.4);
    return x;
}

Mono Clunk()
{
    Mono x = Silence(0.5);
    Sweep(x, 0, 0.35, 160, 70, 0.9, 0.08);
    Noise(x, 0, 0.25, 0.5, 0.001, 0.04, 21);
    AddTone(x, 0.002, 310, 0.3, {{1.0, 1.0, 0.05}, {1.6, 0.5, 0.03}}, 0.001);
    LowPass(x, 900);
    Room(x, 0.3);
    return x;
}

Mono Sparkle()
{
    Mono x = Silence(1.6);
    const int notes[] = {84, 88, 91, 96, 100};
    for (int i = 0; i < 5; ++i)
    {
        Bell(x, i * 0.06, NoteHz(notes[i]), 0.5, 0.4);
    }
    Mono shimmer = Silence(1.6);
    Noise(shimmer, 0, 0.8, 0.15, 0.05, 0.2, 31);
    HighPass(shimmer, 3000);
    LowPass(shimmer, 7000);
    for (size_t i = 0; i < x.size(); ++i)
    {
        x[i] += shimmer[i];
    }
    LowPass(x, 7000);
    Room(x, 0.6);
    return x;
}

Mono Tick()
{
    Mono x = Silence(0.15);
    AddTone(x, 0, 1800, 0.7, {{1.0, 1.0, 0.012}}, 0.0005);
    AddTone(x, 0, 900, 0.5, {{1.0, 1.0, 0.02}}, 0.0005);
    LowPass(x, 5000);
    return x;
}

Mono Phrase(std::initializer_list<std::pair<double, int>> notes, double length, double decay,
            bool chordAtEnd, std::initializer_list<int> chord)
{
    Mono x = Silence(length);
    for (const auto& [t, note] : notes)
    {
        Pluck(x, t, NoteHz(note), 0.6);
        Bell(x, t, NoteHz(note + 12), 0.18, decay);
    }
    if (chordAtEnd)
    {
        const double t = notes.size() > 0 ? (notes.end() - 1)->first + 0.15 : 0;
        Pad(x, t, 0.6, chord, 0.08, false);
        for (int n : chord)
        {
            Bell(x, t, NoteHz(n + 12), 0.15, decay * 1.5);
        }
    }
    LowPass(x, 6000);
    Room(x, 0.6);
    return x;
}

Mono Boom()
{
    Mono x = Silence(1.8);
    Sweep(x, 0, 1.2, 90, 35, 1.0, 0.35);
    Mono rumble = Silence(1.8);
    Noise(rumble, 0, 1.6, 1.0, 0.005, 0.35, 41);
    LowPass(rumble, 350);
    LowPass(rumble, 350);
    for (size_t i = 0; i < x.size(); ++i)
    {
        x[i] += rumble[i] * 2.5f;
    }
    // Bubbles after the blast.
    Rng rng(42);
    for (int i = 0; i < 7; ++i)
    {
        const double t = 0.3 + i * 0.12 + rng.Range(0, 0.05);
        Sweep(x, t, 0.05, rng.Range(250, 400), rng.Range(700, 1000), 0.15, 0.03);
    }
    LowPass(x, 1500);
    Room(x, 0.4);
    return x;
}

Mono Bubbles()
{
    Mono x = Silence(1.2);
    Rng rng(51);
    double t = 0.02;
    for (int i = 0; i < 6; ++i)
    {
        const double f = rng.Range(350, 650);
        Sweep(x, t, 0.06, f, f * 2.2, 0.6 - i * 0.06, 0.03);
        t += rng.Range(0.08, 0.2);
    }
    LowPass(x, 3000);
    Room(x, 0.5);
    return x;
}

Mono VazeShimmer()
{
    Mono x = Silence(2.2);
    const int chord[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i)
    {
        Bell(x, i * 0.09, NoteHz(chord[i] + 12), 0.45, 0.9);
    }
    Pad(x, 0.2, 0.8, {60, 64, 67}, 0.07, false);
    Mono shimmer = Silence(2.2);
    Noise(shimmer, 0.1, 1.5, 0.12, 0.3, 0.4, 61);
    HighPass(shimmer, 3500);
    LowPass(shimmer, 7000);
    for (size_t i = 0; i < x.size(); ++i)
    {
        x[i] += shimmer[i];
    }
    Room(x, 0.7);
    return x;
}

Mono MenuPhrase()
{
    Mono x = Silence(6.0);
    Pad(x, 0.0, 3.0, {57, 64, 67, 72}, 0.05, false);
    const std::pair<double, int> notes[] = {{0.4, 81}, {0.9, 84}, {1.4, 88}, {2.2, 86}, {2.9, 84}, {3.6, 79}};
    for (const auto& [t, n] : notes)
    {
        Bell(x, t, NoteHz(n), 0.35, 0.7);
    }
    LowPass(x, 5000);
    Room(x, 0.8);
    FadeEdges(x, 0.05, 1.0);
    return x;
}

// Memory reader for vorbisfile.
struct OggMemory
{
    const Bytes* data;
    size_t pos;
};

size_t OggRead(void* ptr, size_t size, size_t count, void* source)
{
    auto* m = static_cast<OggMemory*>(source);
    const size_t want = size * count;
    const size_t n = std::min(want, m->data->size() - m->pos);
    std::memcpy(ptr, m->data->data() + m->pos, n);
    m->pos += n;
    return size == 0 ? 0 : n / size;
}

// Decodes the encoded loop and compares the step from its last sample back
// to its first with the ordinary steps between samples: a click at the loop
// point would be a step many times larger. Returns false with a message.
bool CheckLoopSeam(const Bytes& ogg, std::string& error)
{
    OggMemory memory{&ogg, 0};
    ov_callbacks callbacks{OggRead, nullptr, nullptr, nullptr};
    OggVorbis_File vf;
    if (ov_open_callbacks(&memory, &vf, nullptr, 0, callbacks) != 0)
    {
        error = "the stage music does not decode";
        return false;
    }
    const int channels = ov_info(&vf, -1)->channels;
    std::vector<float> first(static_cast<size_t>(channels), 0.0f);
    std::vector<float> last(static_cast<size_t>(channels), 0.0f);
    std::vector<float> prev(static_cast<size_t>(channels), 0.0f);
    double stepSum = 0;
    long frames = 0;
    int section = 0;
    for (;;)
    {
        float** pcm = nullptr;
        const long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n <= 0)
        {
            break;
        }
        for (long i = 0; i < n; ++i, ++frames)
        {
            for (int c = 0; c < channels; ++c)
            {
                const float v = pcm[c][i];
                if (frames == 0)
                {
                    first[static_cast<size_t>(c)] = v;
                }
                else
                {
                    stepSum += std::abs(v - prev[static_cast<size_t>(c)]);
                }
                prev[static_cast<size_t>(c)] = v;
                last[static_cast<size_t>(c)] = v;
            }
        }
    }
    ov_clear(&vf);
    const double meanStep = frames > 1 ? stepSum / (static_cast<double>(frames - 1) * channels) : 0;
    double seam = 0;
    for (int c = 0; c < channels; ++c)
    {
        seam = std::max(seam, static_cast<double>(std::abs(first[static_cast<size_t>(c)] -
                                                           last[static_cast<size_t>(c)])));
    }
    if (frames < 30L * kRate || seam > 4 * meanStep + 1e-3)
    {
        error = "the stage music does not loop cleanly (" + std::to_string(frames) + " frames, step " +
                std::to_string(seam) + " at the loop point)";
        return false;
    }
    return true;
}

// The stage music: eight bars of four seconds, a calm loop in A minor.
bool StageMusic(AssetStore& store, std::string& error)
{
    constexpr double kBar = 4.0;
    constexpr int kBars = 8;
    const size_t n = static_cast<size_t>(kBar * kBars * kRate);
    Mono pad(n, 0.0f);
    Mono bass(n, 0.0f);
    Mono arpL(n, 0.0f);
    Mono arpR(n, 0.0f);
    Mono bells(n, 0.0f);
    // Chords: Am9, Fmaj7, Cmaj7, G6, Am9, Fmaj7, Dm9, Esus4.
    const std::vector<std::vector<int>> chords = {
        {57, 60, 64, 67, 71}, {53, 57, 60, 64}, {48, 55, 59, 64}, {55, 59, 62, 64},
        {57, 60, 64, 67, 71}, {53, 57, 60, 64}, {50, 53, 57, 60, 64}, {52, 57, 59, 64}};
    const int roots[] = {45, 41, 48, 43, 45, 41, 38, 40};
    for (int bar = 0; bar < kBars; ++bar)
    {
        const double t0 = bar * kBar;
        const auto& c = chords[static_cast<size_t>(bar)];
        // Pad voices (the chord an octave up, softly).
        for (int note : c)
        {
            Pad(pad, t0, kBar, {note + 12}, 0.045, true);
        }
        // Bass on beats 1 and 3.
        AddTone(bass, t0, NoteHz(roots[bar]), 0.5, {{1.0, 1.0, 1.2}, {2.0, 0.2, 0.5}}, 0.03, true);
        AddTone(bass, t0 + 2.0, NoteHz(roots[bar] + (bar % 2 == 0 ? 7 : 12)), 0.35,
                {{1.0, 1.0, 0.9}, {2.0, 0.15, 0.4}}, 0.03, true);
        // Gentle arpeggio in eighths, alternating sides.
        const int pattern[] = {0, 2, 1, 3, 2, 4, 1, 3};
        for (int step = 0; step < 8; ++step)
        {
            const int note = c[static_cast<size_t>(pattern[step]) % c.size()] + 24;
            Mono& side = (step % 2 == 0) ? arpL : arpR;
            Pluck(side, t0 + step * 0.5, NoteHz(note), step == 0 ? 0.22 : 0.16, true);
        }
    }
    // A slow bell melody in the second half.
    const std::pair<double, int> melody[] = {{16.0, 81}, {17.5, 84}, {19.0, 83}, {20.0, 79},
                                             {22.0, 77}, {23.0, 76}, {24.0, 81}, {26.0, 79},
                                             {27.0, 77}, {28.0, 76}, {30.0, 74}, {31.0, 76}};
    for (const auto& [t, note] : melody)
    {
        Bell(bells, t, NoteHz(note), 0.22, 0.9, true);
    }
    LowPass(pad, 1800, true);
    LowPass(arpL, 3500, true);
    LowPass(arpR, 3500, true);
    Stereo mix{Mono(n, 0.0f), Mono(n, 0.0f)};
    for (size_t i = 0; i < n; ++i)
    {
        const float common = pad[i] + bass[i] + bells[i] * 0.9f;
        mix.left[i] = common + arpL[i] + arpR[i] * 0.45f + bells[i] * 0.1f;
        mix.right[i] = common + arpR[i] + arpL[i] * 0.45f;
    }
    Room(mix.left, 0.7, true);
    Room(mix.right, 0.7, true);
    float m = 0;
    for (size_t i = 0; i < n; ++i)
    {
        m = std::max({m, std::abs(mix.left[i]), std::abs(mix.right[i])});
    }
    for (size_t i = 0; i < n; ++i)
    {
        mix.left[i] *= kMusicPeak / m;
        mix.right[i] *= kMusicPeak / m;
    }
    Bytes ogg = EncodeOgg({&mix.left, &mix.right}, 0.3f, 0x5A0001);
    if (!CheckLoopSeam(ogg, error))
    {
        return false;
    }
    store.Add("sounds/back.ogg", std::move(ogg));
    return true;
}

} // namespace

bool GenerateSounds(AssetStore& store, std::string& error)
{
    int serial = 0x5A0100;
    AddEffect(store, "click1.wav", Click(), ++serial);
    AddEffect(store, "jewel1.wav", JewelChime(0), ++serial);
    AddEffect(store, "jewel2.ogg", JewelChime(1), ++serial);
    AddEffect(store, "zeve.ogg", CoinClink(), ++serial);
    AddEffect(store, "garbage.ogg", Clunk(), ++serial);
    AddEffect(store, "bonus.ogg", Sparkle(), ++serial);
    AddEffect(store, "clock_tick.ogg", Tick(), ++serial);
    AddEffect(store, "stage_start.ogg",
              Phrase({{0.0, 72}, {0.15, 76}, {0.3, 79}}, 1.8, 0.5, true, {72, 76, 79}), ++serial);
    AddEffect(store, "explosion.ogg", Boom(), ++serial);
    AddEffect(store, "goal.ogg", Phrase({{0.0, 79}, {0.14, 84}}, 1.3, 0.6, false, {}), ++serial);
    AddEffect(store, "stage_win.ogg",
              Phrase({{0.0, 72}, {0.12, 76}, {0.24, 79}, {0.36, 84}, {0.55, 88}}, 2.4, 0.6, true,
                     {72, 76, 79, 84}),
              ++serial);
    AddEffect(store, "stage_fail.ogg",
              Phrase({{0.0, 76}, {0.3, 74}, {0.6, 69}}, 2.0, 0.6, true, {57, 60, 64}), ++serial);
    AddEffect(store, "vaze.wav", VazeShimmer(), ++serial);
    AddEffect(store, "finish_game.ogg",
              Phrase({{0.0, 67}, {0.2, 72}, {0.4, 76}, {0.6, 79}, {1.0, 76}, {1.2, 79}, {1.5, 84},
                      {2.0, 88}},
                     4.5, 0.8, true, {60, 64, 67, 72}),
              ++serial);
    AddEffect(store, "bubble.ogg", Bubbles(), ++serial);
    {
        Mono menu = MenuPhrase();
        Normalise(menu, kMusicPeak);
        store.Add("sounds/menu.ogg", EncodeOgg({&menu}, 0.3f, 0x5A0002));
    }
    return StageMusic(store, error);
}

} // namespace AssetGen
