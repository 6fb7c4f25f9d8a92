#include "platform/metafile/text.h"

#include "platform/codepage.h"
#include "platform/metafile.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QStringDecoder>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <map>
#include <mutex>
#include <string_view>
#include <utility>

namespace lumora::wmf {

namespace {

// A layout: the Unicode of each byte from 0x20; 0 where the font has nothing
// that Unicode holds (its own pieces of braces, logos), drawn as the stand-in.
using Layout = std::array<char32_t, 224>;

constexpr Layout sparse(std::initializer_list<std::pair<int, char32_t>> entries) {
    Layout layout{};
    layout[0] = U' ';
    for (const auto& [byte, code] : entries)
        layout[byte - 0x20] = code;
    return layout;
}

// The Symbol font's layout, which its look-alikes and the equation editors'
// symbol fonts share.
// clang-format off
constexpr Layout symbolLayout = {
    /* 20 */ 0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B,
    /* 28 */ 0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    /* 30 */ 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    /* 38 */ 0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    /* 40 */ 0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
    /* 48 */ 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    /* 50 */ 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
    /* 58 */ 0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    /* 60 */ 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    /* 68 */ 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    /* 70 */ 0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,
    /* 78 */ 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C,      0,
    /* 80 */      0,      0,      0,      0,      0,      0,      0,      0,
    /* 88 */      0,      0,      0,      0,      0,      0,      0,      0,
    /* 90 */      0,      0,      0,      0,      0,      0,      0,      0,
    /* 98 */      0,      0,      0,      0,      0,      0,      0,      0,
    /* A0 */ 0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,
    /* A8 */ 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    /* B0 */ 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    /* B8 */ 0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
    /* C0 */ 0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,
    /* C8 */ 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    /* D0 */ 0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
    /* D8 */ 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    /* E0 */ 0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    /* E8 */ 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    /* F0 */      0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
    /* F8 */ 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD,      0,
};

// The equation editors' extra font: accents (as their spacing forms, since they
// are drawn on their own), relations, ellipses, arrows, double-struck letters.
// The pieces of long braces and brackets have no Unicode of their own, but their
// straight extenders do.
constexpr Layout mtExtraLayout = sparse({
    {0x23, 0x02CB}, {0x24, 0x02C6}, {0x25, 0x02DC}, {0x26, 0x02D9}, {0x28, 0x2323},
    {0x29, 0x2322}, {0x34, 0x23AF}, {0x35, 0x23AF}, {0x3A, 0x223C}, {0x3B, 0x2243},
    {0x3C, 0x22B2}, {0x3D, 0x226A}, {0x3E, 0x22B3}, {0x3F, 0x226B}, {0x40, 0x225C},
    {0x41, 0x2259}, {0x42, 0x2250}, {0x43, 0x2210}, {0x44, 0x019B}, {0x49, 0x2229},
    {0x4A, 0x2127}, {0x4B, 0x2026}, {0x4C, 0x22EF}, {0x4D, 0x22EE}, {0x4E, 0x22F0},
    {0x4F, 0x22F1}, {0x50, 0x2225}, {0x51, 0x2235}, {0x52, 0x2221}, {0x53, 0x2222},
    {0x55, 0x222A}, {0x56, 0x25B3}, {0x57, 0x25A1}, {0x58, 0x25AD}, {0x59, 0x25B1},
    {0x5A, 0x2197}, {0x5B, 0x2199}, {0x5D, 0x2198}, {0x5E, 0x2196}, {0x60, 0x2035},
    {0x61, 0x21A6}, {0x62, 0x2195}, {0x63, 0x21D5}, {0x64, 0x25CB}, {0x65, 0x2299},
    {0x66, 0x227B}, {0x67, 0x2219}, {0x68, 0x210F}, {0x6C, 0x2113}, {0x6D, 0x2213},
    {0x6F, 0x2218}, {0x70, 0x227A}, {0x72, 0x2192}, {0x73, 0x2190}, {0x74, 0x2194},
    {0x75, 0x23AF}, {0x76, 0x21C0}, {0x77, 0x21BC}, {0x7B, 0x23DF}, {0x7D, 0x23DE},
    {0x80, 0x21C4}, {0x83, 0x21CC}, {0x86, 0x21C0}, {0x87, 0x21BD}, {0x88, 0x23AF},
    {0xA1, 0x211D}, {0xA2, 0x2124}, {0xA3, 0x2102}, {0xA4, 0x211A}, {0xA5, 0x2115},
    {0xA7, 0x301A}, {0xA8, 0x301B}, {0xE8, 0x0160}, {0xE9, 0x00DD}, {0xEA, 0x00DE},
    {0xEB, 0x00D0}, {0xEC, 0x0161}, {0xED, 0x00FD}, {0xEE, 0x00FE}, {0xEF, 0x00F0},
    {0xF0, 0xFB01}, {0xF1, 0xFB02}, {0xF2, 0x0131}, {0xF3, 0x00B9}, {0xF4, 0x00B2},
    {0xF5, 0x00B3}, {0xF6, 0x00BD}, {0xF7, 0x00BC}, {0xF8, 0x00BE}, {0xF9, 0x2044},
    {0xFA, 0x00A6}, {0xFB, 0x02DD}, {0xFC, 0x02D8}, {0xFD, 0x02C7}, {0xFE, 0x02DA},
    {0xFF, 0x02DB},
});

constexpr Layout wingdingsLayout = {
    /* 20 */ 0x0020, 0x270F, 0x2702, 0x2701, 0x1F453, 0x1F514, 0x1F4D6, 0x1F56F,
    /* 28 */ 0x260E, 0x2706, 0x2709, 0x1F583, 0x1F4EA, 0x1F4EB, 0x1F4EC, 0x1F4ED,
    /* 30 */ 0x1F4C1, 0x1F4C2, 0x1F4C4, 0x1F5CF, 0x1F5D0, 0x1F5C4, 0x231B, 0x2328,
    /* 38 */ 0x1F5B0, 0x1F5B2, 0x1F4BB, 0x1F5B4, 0x1F4BE, 0x1F5AB, 0x2707, 0x270D,
    /* 40 */ 0x1F58E, 0x270C, 0x1F44C, 0x1F44D, 0x1F44E, 0x261C, 0x261E, 0x261D,
    /* 48 */ 0x261F, 0x270B, 0x263A, 0x1F610, 0x2639, 0x1F4A3, 0x2620, 0x2690,
    /* 50 */ 0x1F6A9, 0x2708, 0x263C, 0x1F4A7, 0x2744, 0x1F546, 0x271E, 0x1F548,
    /* 58 */ 0x2720, 0x2721, 0x262A, 0x262F, 0x0950, 0x2638, 0x2648, 0x2649,
    /* 60 */ 0x264A, 0x264B, 0x264C, 0x264D, 0x264E, 0x264F, 0x2650, 0x2651,
    /* 68 */ 0x2652, 0x2653, 0x1F670, 0x1F675, 0x25CF, 0x274D, 0x25A0, 0x25A1,
    /* 70 */ 0x1F790, 0x2751, 0x2752, 0x2B27, 0x29EB, 0x25C6, 0x2756, 0x2B25,
    /* 78 */ 0x2327, 0x2353, 0x2318, 0x2740, 0x273F, 0x275D, 0x275E, 0x25AF,
    /* 80 */ 0x24EA, 0x2460, 0x2461, 0x2462, 0x2463, 0x2464, 0x2465, 0x2466,
    /* 88 */ 0x2467, 0x2468, 0x2469, 0x24FF, 0x2776, 0x2777, 0x2778, 0x2779,
    /* 90 */ 0x277A, 0x277B, 0x277C, 0x277D, 0x277E, 0x277F, 0x1F662, 0x1F660,
    /* 98 */ 0x1F661, 0x1F663, 0x1F65E, 0x1F65C, 0x1F65D, 0x1F65F, 0x00B7, 0x2022,
    /* A0 */ 0x25AA, 0x25CB, 0x2B55, 0x1F785, 0x25C9, 0x25CE, 0x1F53F, 0x25AA,
    /* A8 */ 0x25FB, 0x1F7C2, 0x2726, 0x2605, 0x2736, 0x2734, 0x2739, 0x2735,
    /* B0 */ 0x2BD0, 0x2316, 0x27E1, 0x2311, 0x2BD1, 0x272A, 0x2730, 0x1F550,
    /* B8 */ 0x1F551, 0x1F552, 0x1F553, 0x1F554, 0x1F555, 0x1F556, 0x1F557, 0x1F558,
    /* C0 */ 0x1F559, 0x1F55A, 0x1F55B, 0x2BB0, 0x2BB1, 0x2BB2, 0x2BB3, 0x2BB4,
    /* C8 */ 0x2BB5, 0x2BB6, 0x2BB7, 0x1F66A, 0x1F66B, 0x1F655, 0x1F654, 0x1F657,
    /* D0 */ 0x1F656, 0x1F650, 0x1F651, 0x1F652, 0x1F653, 0x232B, 0x2326, 0x2B98,
    /* D8 */ 0x27A2, 0x2B99, 0x2B9B, 0x2B88, 0x27B2, 0x2B89, 0x2B8B, 0x1F868,
    /* E0 */ 0x1F86A, 0x1F869, 0x1F86B, 0x1F86C, 0x1F86D, 0x1F86F, 0x1F86E, 0x1F878,
    /* E8 */ 0x2794, 0x1F879, 0x1F87B, 0x1F87C, 0x1F87D, 0x1F87F, 0x1F87E, 0x21E6,
    /* F0 */ 0x21E8, 0x21E7, 0x21E9, 0x2B04, 0x21F3, 0x2B01, 0x2B00, 0x2B03,
    /* F8 */ 0x2B02, 0x25AD, 0x25AB, 0x2717, 0x2713, 0x2612, 0x2611, 0x229E,
};
// clang-format on

// The second and third dingbat fonts, by the correspondence that brought their
// repertoire into Unicode: pens, notes, hands, ballot marks, circled numbers,
// bullets, geometric shapes and stars; and arrows of every kind. Past 0xF9 and
// 0xF0 they have nothing.
// clang-format off
constexpr Layout wingdings2Layout = {
    /* 20 */ 0x0020, 0x1F58A, 0x1F58B, 0x1F58C, 0x1F58D, 0x2704, 0x2700, 0x1F57E,
    /* 28 */ 0x1F57D, 0x1F5C5, 0x1F5C6, 0x1F5C7, 0x1F5C8, 0x1F5C9, 0x1F5CA, 0x1F5CB,
    /* 30 */ 0x1F5CC, 0x1F5CD, 0x1F4CB, 0x1F5D1, 0x1F5D4, 0x1F5B5, 0x1F5B6, 0x1F5B7,
    /* 38 */ 0x1F5B8, 0x1F5AD, 0x1F5AF, 0x1F5B1, 0x1F592, 0x1F593, 0x1F598, 0x1F599,
    /* 40 */ 0x1F59A, 0x1F59B, 0x1F448, 0x1F449, 0x1F59C, 0x1F59D, 0x1F59E, 0x1F59F,
    /* 48 */ 0x1F5A0, 0x1F5A1, 0x1F446, 0x1F447, 0x1F5A2, 0x1F5A3, 0x1F591, 0x1F5F4,
    /* 50 */ 0x1F5F8, 0x1F5F5, 0x2611, 0x2BBD, 0x2612, 0x2BBE, 0x2BBF, 0x1F6C7,
    /* 58 */ 0x29B8, 0x1F671, 0x1F674, 0x1F672, 0x1F673, 0x203D, 0x1F679, 0x1F67A,
    /* 60 */ 0x1F67B, 0x1F666, 0x1F664, 0x1F665, 0x1F667, 0x1F65A, 0x1F658, 0x1F659,
    /* 68 */ 0x1F65B, 0x24EA, 0x2460, 0x2461, 0x2462, 0x2463, 0x2464, 0x2465,
    /* 70 */ 0x2466, 0x2467, 0x2468, 0x2469, 0x24FF, 0x2776, 0x2777, 0x2778,
    /* 78 */ 0x2779, 0x277A, 0x277B, 0x277C, 0x277D, 0x277E, 0x277F,      0,
    /* 80 */ 0x2609, 0x1F315, 0x263D, 0x263E, 0x2E3F, 0x271D, 0x1F547, 0x1F55C,
    /* 88 */ 0x1F55D, 0x1F55E, 0x1F55F, 0x1F560, 0x1F561, 0x1F562, 0x1F563, 0x1F564,
    /* 90 */ 0x1F565, 0x1F566, 0x1F567, 0x1F668, 0x1F669, 0x22C5, 0x1F784, 0x2981,
    /* 98 */ 0x25CF, 0x25CB, 0x1F785, 0x1F787, 0x1F789, 0x2299, 0x29BF, 0x1F78C,
    /* A0 */ 0x1F78D, 0x25FE, 0x25A0, 0x25A1, 0x1F791, 0x1F792, 0x1F793, 0x1F794,
    /* A8 */ 0x25A3, 0x1F795, 0x1F796, 0x1F797, 0x1F798, 0x2B29, 0x2B25, 0x25C7,
    /* B0 */ 0x1F79A, 0x25C8, 0x1F79B, 0x1F79C, 0x1F79D, 0x1F79E, 0x2B2A, 0x2B27,
    /* B8 */ 0x25CA, 0x1F7A0, 0x25D6, 0x25D7, 0x2BCA, 0x2BCB, 0x2BC0, 0x2BC1,
    /* C0 */ 0x2B1F, 0x2BC2, 0x2B23, 0x2B22, 0x2BC3, 0x2BC4, 0x1F7A1, 0x1F7A2,
    /* C8 */ 0x1F7A3, 0x1F7A4, 0x1F7A5, 0x1F7A6, 0x1F7A7, 0x1F7A8, 0x1F7A9, 0x1F7AA,
    /* D0 */ 0x1F7AB, 0x1F7AC, 0x1F7AD, 0x1F7AE, 0x1F7AF, 0x1F7B0, 0x1F7B1, 0x1F7B2,
    /* D8 */ 0x1F7B3, 0x1F7B4, 0x1F7B5, 0x1F7B6, 0x1F7B7, 0x1F7B8, 0x1F7B9, 0x1F7BA,
    /* E0 */ 0x1F7BB, 0x1F7BC, 0x1F7BD, 0x1F7BE, 0x1F7BF, 0x1F7C0, 0x1F7C2, 0x1F7C4,
    /* E8 */ 0x1F7C6, 0x1F7C9, 0x1F7CA, 0x2736, 0x1F7CC, 0x1F7CE, 0x1F7D0, 0x1F7D2,
    /* F0 */ 0x2739, 0x1F7C3, 0x1F7C7, 0x272F, 0x1F7CD, 0x1F7D4, 0x2BCC, 0x2BCD,
    /* F8 */ 0x203B, 0x2042,      0,      0,      0,      0,      0,      0,
};
constexpr Layout wingdings3Layout = {
    /* 20 */ 0x0020, 0x2B60, 0x2B62, 0x2B61, 0x2B63, 0x2B66, 0x2B67, 0x2B69,
    /* 28 */ 0x2B68, 0x2B70, 0x2B72, 0x2B71, 0x2B73, 0x2B76, 0x2B78, 0x2B7B,
    /* 30 */ 0x2B7D, 0x2B64, 0x2B65, 0x2B6A, 0x2B6C, 0x2B6B, 0x2B6D, 0x2B4D,
    /* 38 */ 0x2BA0, 0x2BA1, 0x2BA2, 0x2BA3, 0x2BA4, 0x2BA5, 0x2BA6, 0x2BA7,
    /* 40 */ 0x2B90, 0x2B91, 0x2B92, 0x2B93, 0x2B80, 0x2B83, 0x2B7E, 0x2B7F,
    /* 48 */ 0x2B84, 0x2B86, 0x2B85, 0x2B87, 0x2B8F, 0x2B8D, 0x2B8E, 0x2B8C,
    /* 50 */ 0x2B6E, 0x2B6F, 0x238B, 0x2324, 0x2303, 0x2325, 0x2423, 0x237D,
    /* 58 */ 0x21EA, 0x2BB8, 0x1F8A0, 0x1F8A1, 0x1F8A2, 0x1F8A3, 0x1F8A4, 0x1F8A5,
    /* 60 */ 0x1F8A6, 0x1F8A7, 0x1F8A8, 0x1F8A9, 0x1F8AA, 0x1F8AB, 0x1F850, 0x1F852,
    /* 68 */ 0x1F851, 0x1F853, 0x1F854, 0x1F855, 0x1F857, 0x1F856, 0x1F858, 0x1F859,
    /* 70 */ 0x25B2, 0x25BC, 0x25B3, 0x25BD, 0x25C0, 0x25B6, 0x25C1, 0x25B7,
    /* 78 */ 0x25E3, 0x25E2, 0x25E4, 0x25E5, 0x1F780, 0x1F782, 0x1F781,      0,
    /* 80 */ 0x1F783, 0x2BC5, 0x2BC6, 0x2BC7, 0x2BC8, 0x2B9C, 0x2B9E, 0x2B9D,
    /* 88 */ 0x2B9F, 0x1F810, 0x1F812, 0x1F811, 0x1F813, 0x1F814, 0x1F816, 0x1F815,
    /* 90 */ 0x1F817, 0x1F818, 0x1F81A, 0x1F819, 0x1F81B, 0x1F81C, 0x1F81E, 0x1F81D,
    /* 98 */ 0x1F81F, 0x1F800, 0x1F802, 0x1F801, 0x1F803, 0x1F804, 0x1F806, 0x1F805,
    /* A0 */ 0x1F807, 0x1F808, 0x1F80A, 0x1F809, 0x1F80B, 0x1F820, 0x1F822, 0x1F824,
    /* A8 */ 0x1F826, 0x1F828, 0x1F82A, 0x1F82C, 0x1F89C, 0x1F89D, 0x1F89E, 0x1F89F,
    /* B0 */ 0x1F82E, 0x1F830, 0x1F832, 0x1F834, 0x1F836, 0x1F838, 0x1F83A, 0x1F839,
    /* B8 */ 0x1F83B, 0x1F898, 0x1F89A, 0x1F899, 0x1F89B, 0x1F83C, 0x1F83E, 0x1F83D,
    /* C0 */ 0x1F83F, 0x1F840, 0x1F842, 0x1F841, 0x1F843, 0x1F844, 0x1F846, 0x1F845,
    /* C8 */ 0x1F847, 0x2BA8, 0x2BA9, 0x2BAA, 0x2BAB, 0x2BAC, 0x2BAD, 0x2BAE,
    /* D0 */ 0x2BAF, 0x1F860, 0x1F862, 0x1F861, 0x1F863, 0x1F864, 0x1F865, 0x1F867,
    /* D8 */ 0x1F866, 0x1F870, 0x1F872, 0x1F871, 0x1F873, 0x1F874, 0x1F875, 0x1F877,
    /* E0 */ 0x1F876, 0x1F880, 0x1F882, 0x1F881, 0x1F883, 0x1F884, 0x1F885, 0x1F887,
    /* E8 */ 0x1F886, 0x1F890, 0x1F892, 0x1F891, 0x1F893, 0x1F894, 0x1F896, 0x1F895,
    /* F0 */ 0x1F897,      0,      0,      0,      0,      0,      0,      0,
    /* F8 */      0,      0,      0,      0,      0,      0,      0,      0,
};
// clang-format on

// The web and interface dingbat fonts share their window controls and arrows from
// 0x30; each has its own marks besides.
constexpr Layout controlsLayout(std::initializer_list<std::pair<int, char32_t>> own) {
    Layout layout = sparse(own);
    constexpr char32_t shared[] = {0x1F5D5, 0x1F5D6, 0x1F5D7, 0x25C0, 0x25B6, 0x25B2, 0x25BC};
    for (size_t i = 0; i < std::size(shared); ++i)
        layout[0x30 - 0x20 + i] = shared[i];
    return layout;
}
constexpr Layout webdingsLayout = controlsLayout({{0x37, 0x23EA},
                                                  {0x38, 0x23E9},
                                                  {0x39, 0x23EE},
                                                  {0x3A, 0x23ED},
                                                  {0x3B, 0x23F8},
                                                  {0x3C, 0x23F9},
                                                  {0x3D, 0x23FA},
                                                  {0x61, 0x2714},
                                                  {0x72, 0x2715}});
constexpr Layout marlettLayout = controlsLayout({{0x61, 0x2713},
                                                 {0x68, 0x2713},
                                                 {0x6E, 0x25CF},
                                                 {0x72, 0x2715},
                                                 {0x74, 0x25B4},
                                                 {0x75, 0x25BE}});

// Capitals in the equation editors' letter fonts: script, and double-struck.
constexpr Layout lettersLayout(char32_t first,
                               std::initializer_list<std::pair<int, char32_t>> own) {
    Layout layout = sparse(own);
    for (int c = 'A'; c <= 'Z'; ++c)
        if (layout[c - 0x20] == 0)
            layout[c - 0x20] = first + static_cast<char32_t>(c - 'A');
    return layout;
}
constexpr Layout scriptLayout = lettersLayout(0x1D49C, {{'B', 0x212C},
                                                        {'E', 0x2130},
                                                        {'F', 0x2131},
                                                        {'H', 0x210B},
                                                        {'I', 0x2110},
                                                        {'L', 0x2112},
                                                        {'M', 0x2133},
                                                        {'R', 0x211B}});
constexpr Layout doubleStruckLayout = lettersLayout(0x1D538, {{'C', 0x2102},
                                                              {'H', 0x210D},
                                                              {'N', 0x2115},
                                                              {'P', 0x2119},
                                                              {'Q', 0x211A},
                                                              {'R', 0x211D},
                                                              {'Z', 0x2124}});

// Characters that the installed fonts may lack, each with one that they have and
// that looks like it: the pieces of long arrows and braces, and the dingbats. A run
// gives the look-alikes of the characters from `first` on.
struct LookAlikes {
    char32_t first;
    std::u32string_view like;
};
// clang-format off
constexpr LookAlikes lookAlikes[] = {
    {0x950, U"\u2128"}, {0x2316, U"\u2295"}, {0x231B, U"\u29D3"}, {0x2334, U"\u23B5"},
    {0x23AF, U"\u2500"}, {0x24EA, U"\u25CE"}, {0x24FF, U"\u25C9"}, {0x2700, U"\u2702"},
    {0x270B, U"\u270C"}, {0x2981, U"\u26AB"}, {0x29B8, U"\u2349"}, {0x29BF, U"\u25C9"},
    {0x2B25, U"\u25C6"}, {0x2B27, U"\u29EB"}, {0x2B29, U"\u2666\u29EB"}, {0x2B4D, U"\u21AF"},
    {0x2B55, U"\u25EF"},
    {0x2B60, U"\u2190\u2191\u2192\u2193\u2194\u2195\u2196\u2197\u2198\u2199\u21E0\u21E1"
             U"\u21E2\u21E3\u21BB\u21BA\u21E4\u2912\u21E5\u2913"},
    {0x2B76, U"\u21F1"}, {0x2B78, U"\u21F2"}, {0x2B7B, U"\u21DE"},
    {0x2B7D, U"\u21DF\u21B9\u21A8\u21C6"},
    {0x2B83, U"\u21F5\u21C7\u21C8\u21C9\u21CA\u2B05\u2B06"},
    {0x2B8B, U"\u2B07\u2938\u293B\u2939\u21B6\u21B2\u21B3\u21B5\u21B3"},
    {0x2B98, U"\u25C0\u25B2"},
    {0x2B9B, U"\u25BC\u25C0\u25B2\u25B6\u25BC\u21B2\u21B3\u21B0\u21B1\u2B11\u2B0F\u2B10"
             U"\u2B0E\u2936\u2937\u21B0\u21B1\u2B11\u2934\u2B10\u2935\u21B2\u21B3\u21B0"
             U"\u21B1\u2B11\u2B0F\u2B10\u2B0E\u21EF"},
    {0x2BBD, U"\u2612\u2297\u2297\u25A0\u25C6\u2B1F\u2B23\u2B22\u25B4\u25BE\u25C2\u25B8"},
    {0x2BCA, U"\u25D3\u25D2\u2726\u2726"}, {0x2BD0, U"\u2311\u2370"}, {0x2E3F, U"\u00B6"},
    {0x1F446, U"\u261D\u261F\u261C\u261E"}, {0x1F44C, U"\u270C\u261D\u261F"},
    {0x1F453, U"\u26AF"}, {0x1F4A3, U"\u26AB"}, {0x1F4A7, U"\u2666"}, {0x1F4BB, U"\u2395"},
    {0x1F4BE, U"\u25A3"}, {0x1F4C1, U"\u274F\u2750"}, {0x1F4C4, U"\u25AF"},
    {0x1F4CB, U"\u25A4"}, {0x1F4D6, U"\u25EB"}, {0x1F4EA, U"\u2709\u2709\u2709\u2709"},
    {0x1F514, U"\u260A"}, {0x1F53F, U"\u274D"}, {0x1F546, U"\u271D\u271D\u2629"},
    {0x1F550, U"\u25F7\u25F7\u25F7\u25F6\u25F6\u25F6\u25F5\u25F5\u25F5\u25F4\u25F4\u25F4"
             U"\u25F7\u25F7\u25F7\u25F6\u25F6\u25F6\u25F5\u25F5\u25F5\u25F4\u25F4\u25F4"},
    {0x1F56F, U"\u25AE"}, {0x1F57D, U"\u260E\u260F"}, {0x1F583, U"\u2709"},
    {0x1F58A, U"\u270E\u2712\u270F\u270F\u270D"}, {0x1F591, U"\u270C\u261D\u261F"},
    {0x1F598, U"\u261C\u261E\u261A\u261B\u261A\u261B\u261D\u261F\u261D\u261F\u261D\u261F"},
    {0x1F5AB, U"\u25A3"}, {0x1F5AD, U"\u25AD"}, {0x1F5AF, U"\u233D\u233D\u233D\u25C9"},
    {0x1F5B4, U"\u26C1\u2395\u25A5\u213B\u25CE"},
    {0x1F5C4, U"\u2338\u25AF\u25AF\u25AF\u25AF\u25AF\u25AF\u25AF\u25AF\u25AF"},
    {0x1F5CF, U"\u25AF\u2750\u2294"}, {0x1F5D4, U"\u229F"}, {0x1F5F4, U"\u2717\u2612"},
    {0x1F5F8, U"\u2713"},
    {0x1F650, U"\u2619\u2619\u2767\u2766\u2619\u2619\u2767\u2766\u2619\u2619\u2767\u2767"
             U"\u2619\u2619\u2767\u2766\u2619\u2619\u2767\u2766\u2619\u2619\u2767\u2767"
             U"\u25A6\u25A9\u25A9\u25A3"},
    {0x1F670, U"\u0026\u0026\u0026\u0026\u0026\u0026"}, {0x1F679, U"\u203D\u203D\u203D"},
    {0x1F6A9, U"\u2691"}, {0x1F6C7, U"\u2298"},
    {0x1F780, U"\u25C0\u25B2\u25B6\u25BC\u25CF\u25CB"}, {0x1F787, U"\u26AA"},
    {0x1F789, U"\u25EF"}, {0x1F78C, U"\u25AA\u25FE"},
    {0x1F790, U"\u2610\u25A2\u25FB\u25FB\u22A1\u25A3\u25A3\u2666\u2666"},
    {0x1F79A, U"\u25C8\u25C8\u25C8\u29EB\u29EB"},
    {0x1F7A0, U"\u25CA\u002B\u002B\u271A\u271A\u271A\u271A\u271A\u00D7\u00D7\u2715\u2716"
             U"\u2716\u2716\u2716\u002A\u002A\u2731\u2731\u2731\u2731\u273B\u273B\u273D"
             U"\u273D\u273D\u273D\u2733\u2733\u274B\u274B\u274B\u25B4"},
    {0x1F7C2, U"\u25B4\u25B4\u2726"}, {0x1F7C6, U"\u2726\u2726"}, {0x1F7C9, U"\u2605\u2605"},
    {0x1F7CC, U"\u2736\u2736\u2734"}, {0x1F7D0, U"\u2737"}, {0x1F7D2, U"\u2739"},
    {0x1F7D4, U"\u2739"},
    {0x1F800, U"\u2190\u2191\u2192\u2193\u2190\u2191\u2192\u2193\u2B05\u2B06\u27A1\u2B07"},
    {0x1F810, U"\u2190\u2191\u2192\u2193\u2190\u2191\u2192\u2193\u2B05\u2B06\u27A1\u2B07"
             U"\u2B05\u2B06\u27A1\u2B07\u2190\u2191\u2192\u2193\u2190\u2191\u2192\u2193"
             U"\u2B05\u2B06\u27A1\u2B07\u2B05\u2B06\u27A1\u2B07\u2B05\u2B06\u27A1\u2B07"
             U"\u2B05\u2B06\u27A1\u2B07\u2B05\u2B06\u27A1\u2B07\u2B05\u2B06\u27A1\u2B07"
             U"\u2B05\u2B06\u27A1\u2B07\u2B05\u2B06\u27A1\u2B07"},
    {0x1F850, U"\u2190\u2191\u2192\u2193\u2196\u2197\u2198\u2199\u2194\u2195"},
    {0x1F860, U"\u2190\u2191\u2192\u2193\u2196\u2197\u2198\u2199\u2190\u2191\u2192\u2193"
             U"\u2196\u2197\u2198\u2199\u2190\u2191\u2192\u2193\u2196\u2197\u2198\u2199"
             U"\u2B05\u2B06"},
    {0x1F87B, U"\u2B07\u2B09\u2B08\u2B0A\u2B0B\u2B05\u2B06\u27A1\u2B07\u2B09\u2B08\u2B0A"
             U"\u2B0B"},
    {0x1F890, U"\u25C0\u25B2\u25B6\u25BC\u25C1\u25B3\u25B7\u25BD\u2B05\u2B06\u27A1\u2B07"
             U"\u25AC\u25AC\u2501\u2500\u21E6\u21E8\u21E6\u21E8\u21E6\u21E8\u21E6\u21E8"
             U"\u21E6\u21E8\u21E6\u21E8"},
};
// clang-format on

// Where the symbol fonts' own design puts the ink of a glyph whose stand-in sits
// elsewhere in its em, in ems from the pen on the baseline (y up): the straight
// pieces of long arrows, as the Symbol font's published metrics give them, and the
// arrows of vectors, which sit low in their em, since the equation editors put
// their baseline just over the letters that they stand on.
struct InkBox {
    const Layout* layout;
    unsigned char byte;
    float left, bottom, right, top;
};
constexpr InkBox inkBoxes[] = {
    {&symbolLayout, 0xBD, 0.28f, -0.12f, 0.336f, 1.01f},
    {&symbolLayout, 0xBE, -0.06f, 0.22f, 1.05f, 0.276f},
    {&mtExtraLayout, 0x76, 0.05f, 0.03f, 0.55f, 0.19f},
    {&mtExtraLayout, 0x77, 0.05f, 0.03f, 0.55f, 0.19f},
};

QRectF inkBox(const Layout* layout, unsigned char byte) {
    for (const InkBox& box : inkBoxes)
        if (box.layout == layout && box.byte == byte)
            return QRectF(QPointF(box.left, -box.top), QPointF(box.right, -box.bottom));
    return {};
}

struct SymbolFont {
    const char* face;
    const Layout* layout;
    const char* drawnIn; // a Unicode face for the mapped text
};

// Every font drawn through a layout of its own, whatever character set the file
// gives it.
constexpr SymbolFont symbolFonts[] = {
    {"Symbol", &symbolLayout, "Times New Roman"},
    {"Symbol MT", &symbolLayout, "Times New Roman"},
    {"Euclid Symbol", &symbolLayout, "Times New Roman"},
    {"Standard Symbols L", &symbolLayout, "Times New Roman"},
    {"Standard Symbols PS", &symbolLayout, "Times New Roman"},
    {"MT Extra", &mtExtraLayout, "Times New Roman"},
    {"Euclid Extra", &mtExtraLayout, "Times New Roman"},
    {"Euclid Math One", &scriptLayout, "Times New Roman"},
    {"Euclid Math Two", &doubleStruckLayout, "Times New Roman"},
    {"Wingdings", &wingdingsLayout, "Arial"},
    {"Wingdings 2", &wingdings2Layout, "Arial"},
    {"Wingdings 3", &wingdings3Layout, "Arial"},
    {"Webdings", &webdingsLayout, "Arial"},
    {"Marlett", &marlettLayout, "Arial"},
};

const SymbolFont* symbolFont(const QString& face) {
    for (const SymbolFont& f : symbolFonts)
        if (face.compare(QLatin1String(f.face), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

constexpr int SymbolCharset = 2;

// The code page of a font's character set, for the few files written in another
// one; nullptr means Windows-1252.
const char* charsetCodec(int charset) {
    switch (charset) {
    case 128:
        return "Shift_JIS";
    case 129:
        return "EUC-KR";
    case 134:
        return "GBK";
    case 136:
        return "Big5";
    case 161:
        return "windows-1253";
    case 162:
        return "windows-1254";
    case 163:
        return "windows-1258";
    case 177:
        return "windows-1255";
    case 178:
        return "windows-1256";
    case 186:
        return "windows-1257";
    case 204:
        return "windows-1251";
    case 222:
        return "windows-874";
    case 238:
        return "windows-1250";
    default:
        return nullptr;
    }
}

// Whether a byte starts a two-byte character in a double-byte code page.
bool isLeadByte(int charset, uchar b) {
    if (charset == 128)
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return b >= 0x81 && b <= 0xFE;
}

} // namespace

QString DecodedText::text() const {
    QString out;
    for (const DrawnChar& c : chars)
        out += c.text;
    return out;
}

std::optional<char32_t> symbolLayoutCharacter(const QString& face, unsigned char byte) {
    const SymbolFont* font = symbolFont(face);
    if (!font)
        return std::nullopt;
    return byte < 0x20 ? char32_t(0) : (*font->layout)[byte - 0x20];
}

bool isMultiByte(int charset) {
    return charset == 128 || charset == 129 || charset == 134 || charset == 136;
}

DecodedText decodeText(const QByteArray& bytes, int charset, const QString& face) {
    DecodedText out;
    out.chars.reserve(static_cast<size_t>(bytes.size()));
    const int n = static_cast<int>(bytes.size());
    if (const SymbolFont* font = symbolFont(face)) {
        out.face = QString::fromLatin1(font->drawnIn);
        for (int i = 0; i < n; ++i) {
            const auto b = static_cast<uchar>(bytes[i]);
            const char32_t code = b < 0x20 ? char32_t(0) : (*font->layout)[b - 0x20];
            out.chars.push_back({code ? QString::fromUcs4(&code, 1) : QString(QChar(StandIn)), i, 1,
                                 inkBox(font->layout, b)});
        }
        return out;
    }
    if (charset == SymbolCharset) {
        // A symbol font that no table here knows: its bytes are its own glyphs.
        out.faceOwnLayout = true;
        for (int i = 0; i < n; ++i)
            out.chars.push_back({QString(QChar(static_cast<uchar>(bytes[i]))), i, 1});
        return out;
    }
    const char* codec = charsetCodec(charset);
    if (codec && isMultiByte(charset)) {
        // Each character on its own, so that it keeps the spacing of its bytes.
        for (int i = 0; i < n;) {
            const int size = i + 1 < n && isLeadByte(charset, static_cast<uchar>(bytes[i])) ? 2 : 1;
            QStringDecoder decoder(codec);
            QString text = decoder.isValid() ? decoder.decode(bytes.mid(i, size))
                                             : cp1252::decode(bytes.mid(i, size));
            if (text.isEmpty()) // a lead byte that the string cuts off
                text = QChar(QChar::ReplacementCharacter);
            out.chars.push_back({text, i, size});
            i += size;
        }
        return out;
    }
    QString text;
    if (codec) {
        QStringDecoder decoder(codec);
        if (decoder.isValid())
            text = decoder.decode(bytes);
    }
    if (text.size() != bytes.size())
        text = cp1252::decode(bytes);
    for (int i = 0; i < n; ++i)
        out.chars.push_back({QString(text[i]), i, 1});
    return out;
}

double averageCharWidth(const QFontMetricsF& metrics) {
    // Per thousand letters of English text, the blank included.
    static constexpr std::pair<char, int> weights[] = {
        {'a', 64}, {'b', 14}, {'c', 27}, {'d', 35}, {'e', 100}, {'f', 20}, {'g', 14},
        {'h', 42}, {'i', 63}, {'j', 3},  {'k', 6},  {'l', 35},  {'m', 20}, {'n', 56},
        {'o', 56}, {'p', 17}, {'q', 4},  {'r', 49}, {'s', 56},  {'t', 71}, {'u', 31},
        {'v', 10}, {'w', 18}, {'x', 3},  {'y', 18}, {'z', 2},   {' ', 166}};
    double sum = 0;
    for (const auto& [c, weight] : weights)
        sum += metrics.horizontalAdvance(QLatin1Char(c)) * weight;
    return sum / 1000;
}

namespace {

// Answers worked out once and kept while the program runs (fonts are found once), for
// every play, on any thread.
template <typename T> class Remembered {
public:
    template <typename Work> T get(const QString& key, Work work) {
        {
            const std::lock_guard lock(m_mutex);
            if (const auto found = m_known.find(key); found != m_known.end())
                return found->second;
        }
        const T answer = work();
        const std::lock_guard lock(m_mutex);
        m_known.emplace(key, answer);
        return answer;
    }

private:
    std::mutex m_mutex;
    std::map<QString, T> m_known;
};

// Whether installed fonts draw `text` in `font`, its fallbacks included: a glyph of
// index 0 is the empty box of a font that lacks the character, and where no font has
// a script at all the text is laid out in boxes by a stand-in that claims every
// character, even one no font has (the last private-use code).
bool fontsDraw(const QFont& font, const QString& text) {
    static Remembered<bool> known;
    return known.get(font.family() + QLatin1Char('\n') + text, [&] {
        QTextLayout layout(text, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        bool ok = true;
        for (const QGlyphRun& run : layout.glyphRuns()) {
            ok = ok && !run.rawFont().supportsCharacter(char32_t(0x10FFFD));
            for (quint32 glyph : run.glyphIndexes())
                ok = ok && glyph != 0;
        }
        return ok;
    });
}

} // namespace

QString drawableGlyph(const QFont& font, const QString& text) {
    if (text.trimmed().isEmpty() || fontsDraw(font, text))
        return text;
    if (text.size() <= 2) {
        const char32_t code = text.toUcs4().value(0);
        for (const auto& [first, like] : lookAlikes)
            if (code >= first && code - first < like.size()) {
                const QString alike = QString::fromUcs4(&like[code - first], 1);
                if (fontsDraw(font, alike))
                    return alike;
            }
    }
    return QString(QChar(StandIn));
}

double symbolAverageWidth(const QString& face, const QFont& drawn) {
    const SymbolFont* symbol = symbolFont(face);
    if (!symbol)
        return 0;
    static Remembered<double> known;
    return known.get(QString::fromLatin1(symbol->face) + QLatin1Char('\n') + drawn.family(), [&] {
        // A font in a layout of its own gives the plain mean of its glyphs' widths as
        // its average, not a mean weighted by letters, which it has none of.
        QFont font = drawn;
        font.setPixelSize(1000);
        const QFontMetricsF metrics(font);
        double sum = 0;
        int count = 0;
        for (const char32_t code : *symbol->layout) {
            const QString glyph =
                code ? drawableGlyph(font, QString::fromUcs4(&code, 1)) : QString();
            if (!glyph.isEmpty() && glyph != QString(QChar(StandIn))) {
                sum += metrics.horizontalAdvance(glyph);
                ++count;
            }
        }
        return count > 0 ? sum / count / 1000 : 0.0;
    });
}

} // namespace lumora::wmf
