#pragma once

#include <cstdint>
#include <string_view>

namespace galewarden::detail {

// A character and its GB18030 code, both ways.
struct GbOverride {
    std::uint32_t codePoint;
    std::string_view bytes;
};

// The GB18030-2022 mapping of the codes that older editions gave to private-use points. System
// converters differ here (glibc 2.36 gives the private-use points no code, eighteen four-byte
// codes no character, and six two-byte codes characters that have four-byte codes already), so
// these entries replace whatever the system's converter gave.
inline constexpr GbOverride kGb18030Overrides[] = {
    // Two-byte codes that now name the characters Unicode encoded since...
    {0xFE10, "\xA6\xD9"},
    {0xFE12, "\xA6\xDA"},
    {0xFE11, "\xA6\xDB"},
    {0xFE13, "\xA6\xDC"},
    {0xFE14, "\xA6\xDD"},
    {0xFE15, "\xA6\xDE"},
    {0xFE16, "\xA6\xDF"},
    {0xFE17, "\xA6\xEC"},
    {0xFE18, "\xA6\xED"},
    {0xFE19, "\xA6\xF3"},
    {0x9FB4, "\xFE\x59"},
    {0x9FB5, "\xFE\x61"},
    {0x9FB6, "\xFE\x66"},
    {0x9FB7, "\xFE\x67"},
    {0x9FB8, "\xFE\x6D"},
    {0x9FB9, "\xFE\x7E"},
    {0x9FBA, "\xFE\x90"},
    {0x9FBB, "\xFE\xA0"},
    // ...and the private-use points they named, with the four-byte codes of those characters.
    {0xE78D, "\x84\x31\x82\x36"},
    {0xE78E, "\x84\x31\x82\x38"},
    {0xE78F, "\x84\x31\x82\x37"},
    {0xE790, "\x84\x31\x82\x39"},
    {0xE791, "\x84\x31\x83\x30"},
    {0xE792, "\x84\x31\x83\x31"},
    {0xE793, "\x84\x31\x83\x32"},
    {0xE794, "\x84\x31\x83\x33"},
    {0xE795, "\x84\x31\x83\x34"},
    {0xE796, "\x84\x31\x83\x35"},
    {0xE81E, "\x82\x35\x90\x37"},
    {0xE826, "\x82\x35\x90\x38"},
    {0xE82B, "\x82\x35\x90\x39"},
    {0xE82C, "\x82\x35\x91\x30"},
    {0xE832, "\x82\x35\x91\x31"},
    {0xE843, "\x82\x35\x91\x32"},
    {0xE854, "\x82\x35\x91\x33"},
    {0xE864, "\x82\x35\x91\x34"},
    // These keep their private-use points: their characters (U+20087 and the like) have
    // four-byte codes of their own, which the converter computes.
    {0xE816, "\xFE\x51"},
    {0xE817, "\xFE\x52"},
    {0xE818, "\xFE\x53"},
    {0xE831, "\xFE\x6C"},
    {0xE83B, "\xFE\x76"},
    {0xE855, "\xFE\x91"},
};

}  // namespace galewarden::detail
