// Inner loops over one row of pixels: SSE2 everywhere, AVX2 where the processor has it.
// SPDX-License-Identifier: MIT
#include "framework/graphics/internal/span_kernels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ZADI_HAVE_AVX2_KERNELS 1
#endif

namespace Lumo::BlendDetail
{

namespace
{

// The normal rule over an opaque destination, four pixels at a time.
void BlendSpanOverOpaqueSse2(std::uint32_t* dest, const std::uint32_t* source, int count)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaqueAlpha = _mm_set1_epi32(255);
    const __m128i alphaByte = _mm_set1_epi32(static_cast<int>(kAlphaMask));
    for (; i + 4 <= count; i += 4)
    {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        const __m128i alpha = _mm_srli_epi32(s, 24);
        const __m128i isOpaque = _mm_cmpeq_epi32(alpha, opaqueAlpha);
        const int opaqueBits = _mm_movemask_ps(_mm_castsi128_ps(isOpaque));
        if (opaqueBits == 0xF)
        {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + i), s);
            continue;
        }
        if (_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(alpha, zero))) == 0xF)
        {
            continue;
        }
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + i));
        // S * a + D * (256 - a) = D * 256 + (S - D) * a. The sum lies in
        // 0..65280, so 16-bit lanes that wrap on the way still end exact.
        const __m128i sourceLow = _mm_unpacklo_epi8(s, zero);
        const __m128i sourceHigh = _mm_unpackhi_epi8(s, zero);
        const __m128i destLow = _mm_unpacklo_epi8(d, zero);
        const __m128i destHigh = _mm_unpackhi_epi8(d, zero);
        // Each pixel's alpha in all four of its 16-bit lanes.
        const __m128i alphaLow = _mm_shufflehi_epi16(_mm_shufflelo_epi16(sourceLow, 0xFF), 0xFF);
        const __m128i alphaHigh =
            _mm_shufflehi_epi16(_mm_shufflelo_epi16(sourceHigh, 0xFF), 0xFF);
        const __m128i low = _mm_srli_epi16(
            _mm_add_epi16(_mm_slli_epi16(destLow, 8),
                          _mm_mullo_epi16(_mm_sub_epi16(sourceLow, destLow), alphaLow)),
            8);
        const __m128i high = _mm_srli_epi16(
            _mm_add_epi16(_mm_slli_epi16(destHigh, 8),
                          _mm_mullo_epi16(_mm_sub_epi16(sourceHigh, destHigh), alphaHigh)),
            8);
        __m128i blended = _mm_packus_epi16(low, high);
        // Opaque pixels are copied, not blended; the destination stays opaque.
        blended = _mm_or_si128(_mm_and_si128(isOpaque, s), _mm_andnot_si128(isOpaque, blended));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + i), _mm_or_si128(blended, alphaByte));
    }
#endif
    for (; i < count; ++i)
    {
        const std::uint32_t alpha = source[i] >> 24;
        if (alpha == 255)
        {
            dest[i] = source[i];
        }
        else if (alpha != 0)
        {
            dest[i] = BlendOverOpaque(dest[i], source[i], alpha);
        }
    }
}

#if defined(ZADI_HAVE_AVX2_KERNELS)

bool HasAvx2()
{
    static const bool hasAvx2 = []
    {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return hasAvx2;
}

// BlendSpanOverOpaqueSse2 eight pixels at a time. Unpacking works within each
// 128-bit half, and packing puts every pixel back where it came from.
__attribute__((target("avx2"))) void BlendSpanOverOpaqueAvx2(std::uint32_t* dest,
                                                              const std::uint32_t* source,
                                                              int count)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i opaqueAlpha = _mm256_set1_epi32(255);
    const __m256i alphaByte = _mm256_set1_epi32(static_cast<int>(kAlphaMask));
    int i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
        const __m256i alpha = _mm256_srli_epi32(s, 24);
        const __m256i isOpaque = _mm256_cmpeq_epi32(alpha, opaqueAlpha);
        if (_mm256_movemask_ps(_mm256_castsi256_ps(isOpaque)) == 0xFF)
        {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + i), s);
            continue;
        }
        if (_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(alpha, zero))) == 0xFF)
        {
            continue;
        }
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dest + i));
        const __m256i sourceLow = _mm256_unpacklo_epi8(s, zero);
        const __m256i sourceHigh = _mm256_unpackhi_epi8(s, zero);
        const __m256i destLow = _mm256_unpacklo_epi8(d, zero);
        const __m256i destHigh = _mm256_unpackhi_epi8(d, zero);
        const __m256i alphaLow =
            _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(sourceLow, 0xFF), 0xFF);
        const __m256i alphaHigh =
            _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(sourceHigh, 0xFF), 0xFF);
        const __m256i low = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_slli_epi16(destLow, 8),
                             _mm256_mullo_epi16(_mm256_sub_epi16(sourceLow, destLow), alphaLow)),
            8);
        const __m256i high = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_slli_epi16(destHigh, 8),
                             _mm256_mullo_epi16(_mm256_sub_epi16(sourceHigh, destHigh), alphaHigh)),
            8);
        __m256i blended = _mm256_packus_epi16(low, high);
        blended = _mm256_blendv_epi8(blended, s, isOpaque);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + i), _mm256_or_si256(blended, alphaByte));
    }
    // Clean upper halves before any SSE code runs again, ours or a library's:
    // dirty ones slow every later SSE instruction down.
    _mm256_zeroupper();
    BlendSpanOverOpaqueSse2(dest + i, source + i, count - i);
}

// (from * 256 + (to - from) * weight + 128) / 256 in 16-bit lanes.
__attribute__((target("avx2"))) inline __m256i MixLanesAvx2(__m256i from, __m256i to,
                                                             __m256i weight, __m256i half)
{
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(_mm256_slli_epi16(from, 8), half),
                                              _mm256_mullo_epi16(_mm256_sub_epi16(to, from), weight)),
                             8);
}

// MixRows sixteen bytes of two rows at a time in each half; returns how many
// pixels it did (a multiple of eight).
__attribute__((target("avx2"))) int MixRowsAvx2(std::uint32_t* out, const std::uint32_t* first,
                                                const std::uint32_t* second,
                                                std::uint32_t fraction, int count)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i weight = _mm256_set1_epi16(static_cast<short>(fraction));
    const __m256i half = _mm256_set1_epi16(128);
    int i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(first + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(second + i));
        const __m256i low =
            MixLanesAvx2(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero), weight, half);
        const __m256i high =
            MixLanesAvx2(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero), weight, half);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_packus_epi16(low, high));
    }
    _mm256_zeroupper();
    return i;
}

#endif

} // namespace

void BlendSpanOverOpaque(std::uint32_t* dest, const std::uint32_t* source, int count)
{
#if defined(ZADI_HAVE_AVX2_KERNELS)
    if (HasAvx2())
    {
        BlendSpanOverOpaqueAvx2(dest, source, count);
        return;
    }
#endif
    BlendSpanOverOpaqueSse2(dest, source, count);
}

namespace
{

#if defined(__SSE2__)
// AddSpan four pixels at a time; returns how many pixels it did.
template <bool kTinted, bool kScaleByAlpha>
int AddSpanSse2(std::uint32_t* dest, const std::uint32_t* source, int count,
                const int (&multipliers)[3])
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i colourMask = _mm_set1_epi32(0x00FFFFFF);
    // Lanes in memory order: blue, green, red, alpha (0: the alpha byte adds nothing).
    const __m128i tint = _mm_set_epi16(
        0, static_cast<short>(multipliers[0]), static_cast<short>(multipliers[1]),
        static_cast<short>(multipliers[2]), 0, static_cast<short>(multipliers[0]),
        static_cast<short>(multipliers[1]), static_cast<short>(multipliers[2]));
    int i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + i));
        __m128i amount = s;
        if constexpr (kTinted || kScaleByAlpha)
        {
            const __m128i sourceLow = _mm_unpacklo_epi8(s, zero);
            const __m128i sourceHigh = _mm_unpackhi_epi8(s, zero);
            __m128i low = sourceLow;
            __m128i high = sourceHigh;
            if constexpr (kTinted)
            {
                low = _mm_srli_epi16(_mm_mullo_epi16(low, tint), 8);
                high = _mm_srli_epi16(_mm_mullo_epi16(high, tint), 8);
            }
            if constexpr (kScaleByAlpha)
            {
                const __m128i alphaLow =
                    _mm_shufflehi_epi16(_mm_shufflelo_epi16(sourceLow, 0xFF), 0xFF);
                const __m128i alphaHigh =
                    _mm_shufflehi_epi16(_mm_shufflelo_epi16(sourceHigh, 0xFF), 0xFF);
                low = _mm_srli_epi16(_mm_mullo_epi16(low, alphaLow), 8);
                high = _mm_srli_epi16(_mm_mullo_epi16(high, alphaHigh), 8);
            }
            amount = _mm_packus_epi16(low, high);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + i),
                         _mm_adds_epu8(d, _mm_and_si128(amount, colourMask)));
    }
    return i;
}
#endif

#if defined(ZADI_HAVE_AVX2_KERNELS)
// AddSpan eight pixels at a time; returns how many pixels it did.
template <bool kTinted, bool kScaleByAlpha>
__attribute__((target("avx2"))) int AddSpanAvx2(std::uint32_t* dest, const std::uint32_t* source,
                                                int count, const int (&multipliers)[3])
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i colourMask = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i tint = _mm256_set_epi16(
        0, static_cast<short>(multipliers[0]), static_cast<short>(multipliers[1]),
        static_cast<short>(multipliers[2]), 0, static_cast<short>(multipliers[0]),
        static_cast<short>(multipliers[1]), static_cast<short>(multipliers[2]), 0,
        static_cast<short>(multipliers[0]), static_cast<short>(multipliers[1]),
        static_cast<short>(multipliers[2]), 0, static_cast<short>(multipliers[0]),
        static_cast<short>(multipliers[1]), static_cast<short>(multipliers[2]));
    int i = 0;
    for (; i + 8 <= count; i += 8)
    {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dest + i));
        __m256i amount = s;
        if constexpr (kTinted || kScaleByAlpha)
        {
            const __m256i sourceLow = _mm256_unpacklo_epi8(s, zero);
            const __m256i sourceHigh = _mm256_unpackhi_epi8(s, zero);
            __m256i low = sourceLow;
            __m256i high = sourceHigh;
            if constexpr (kTinted)
            {
                low = _mm256_srli_epi16(_mm256_mullo_epi16(low, tint), 8);
                high = _mm256_srli_epi16(_mm256_mullo_epi16(high, tint), 8);
            }
            if constexpr (kScaleByAlpha)
            {
                const __m256i alphaLow =
                    _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(sourceLow, 0xFF), 0xFF);
                const __m256i alphaHigh =
                    _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(sourceHigh, 0xFF), 0xFF);
                low = _mm256_srli_epi16(_mm256_mullo_epi16(low, alphaLow), 8);
                high = _mm256_srli_epi16(_mm256_mullo_epi16(high, alphaHigh), 8);
            }
            amount = _mm256_packus_epi16(low, high);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dest + i),
                            _mm256_adds_epu8(d, _mm256_and_si256(amount, colourMask)));
    }
    _mm256_zeroupper();
    return i;
}
#endif

template <bool kTinted, bool kScaleByAlpha>
int AddSpanVector(std::uint32_t* dest, const std::uint32_t* source, int count,
                  const int (&multipliers)[3])
{
#if defined(ZADI_HAVE_AVX2_KERNELS)
    if (HasAvx2())
    {
        return AddSpanAvx2<kTinted, kScaleByAlpha>(dest, source, count, multipliers);
    }
#endif
#if defined(__SSE2__)
    return AddSpanSse2<kTinted, kScaleByAlpha>(dest, source, count, multipliers);
#else
    (void)dest, (void)source, (void)count, (void)multipliers;
    return 0;
#endif
}

} // namespace

void AddSpan(std::uint32_t* dest, const std::uint32_t* source, int count, bool tinted,
             const int (&multipliers)[3], bool scaleByAlpha)
{
    int i;
    if (tinted)
    {
        i = scaleByAlpha ? AddSpanVector<true, true>(dest, source, count, multipliers)
                         : AddSpanVector<true, false>(dest, source, count, multipliers);
    }
    else
    {
        i = scaleByAlpha ? AddSpanVector<false, true>(dest, source, count, multipliers)
                         : AddSpanVector<false, false>(dest, source, count, multipliers);
    }
    for (; i < count; ++i)
    {
        std::uint32_t red = (source[i] >> 16) & 0xFF;
        std::uint32_t green = (source[i] >> 8) & 0xFF;
        std::uint32_t blue = source[i] & 0xFF;
        if (tinted)
        {
            red = red * static_cast<std::uint32_t>(multipliers[0]) >> 8;
            green = green * static_cast<std::uint32_t>(multipliers[1]) >> 8;
            blue = blue * static_cast<std::uint32_t>(multipliers[2]) >> 8;
        }
        if (scaleByAlpha)
        {
            const std::uint32_t alpha = source[i] >> 24;
            red = red * alpha >> 8;
            green = green * alpha >> 8;
            blue = blue * alpha >> 8;
        }
        dest[i] = AddSaturated(dest[i], (red << 16) | (green << 8) | blue);
    }
}

void MixRows(std::uint32_t* out, const std::uint32_t* first, const std::uint32_t* second,
             std::uint32_t fraction, int count)
{
    int i = 0;
#if defined(ZADI_HAVE_AVX2_KERNELS)
    if (HasAvx2())
    {
        i = MixRowsAvx2(out, first, second, fraction, count);
    }
#endif
#if defined(__SSE2__)
    // p0 * 256 + (p1 - p0) * f + 128 lies in 0..65408: exact in wrapping 16-bit lanes.
    const __m128i zero = _mm_setzero_si128();
    const __m128i weight = _mm_set1_epi16(static_cast<short>(fraction));
    const __m128i half = _mm_set1_epi16(128);
    for (; i + 4 <= count; i += 4)
    {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second + i));
        const auto mix = [&](__m128i from, __m128i to)
        {
            return _mm_srli_epi16(
                _mm_add_epi16(_mm_add_epi16(_mm_slli_epi16(from, 8), half),
                              _mm_mullo_epi16(_mm_sub_epi16(to, from), weight)),
                8);
        };
        const __m128i low = mix(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero));
        const __m128i high = mix(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
#endif
    for (; i < count; ++i)
    {
        out[i] = MixPixels(first[i], second[i], fraction);
    }
}

void MixColumns(std::uint32_t* out, const std::uint32_t* in, const int* firstIndex,
                const int* secondIndex, const std::uint16_t* fractionLanes, int count)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(128);
    const auto pair = [in](int left, int right)
    {
        return _mm_unpacklo_epi8(
            _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(in[left])),
                               _mm_cvtsi32_si128(static_cast<int>(in[right]))),
            _mm_setzero_si128());
    };
    for (; i + 4 <= count; i += 4)
    {
        const __m128i firstLow = pair(firstIndex[i], firstIndex[i + 1]);
        const __m128i secondLow = pair(secondIndex[i], secondIndex[i + 1]);
        const __m128i firstHigh = pair(firstIndex[i + 2], firstIndex[i + 3]);
        const __m128i secondHigh = pair(secondIndex[i + 2], secondIndex[i + 3]);
        const __m128i weightLow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fractionLanes + 4 * i));
        const __m128i weightHigh =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(fractionLanes + 4 * i + 8));
        const __m128i low = _mm_srli_epi16(
            _mm_add_epi16(_mm_add_epi16(_mm_slli_epi16(firstLow, 8), half),
                          _mm_mullo_epi16(_mm_sub_epi16(secondLow, firstLow), weightLow)),
            8);
        const __m128i high = _mm_srli_epi16(
            _mm_add_epi16(_mm_add_epi16(_mm_slli_epi16(firstHigh, 8), half),
                          _mm_mullo_epi16(_mm_sub_epi16(secondHigh, firstHigh), weightHigh)),
            8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
    (void)zero;
#endif
    for (; i < count; ++i)
    {
        out[i] = MixPixels(in[firstIndex[i]], in[secondIndex[i]], fractionLanes[4 * i]);
    }
}

} // namespace Lumo::BlendDetail
