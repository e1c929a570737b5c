// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Every slider that carries a setup value: which record word it edits, how
// its position turns into that word and into the text of its value box, its
// range, and where a person finds it. The window and the command line both
// read setups through this table, so they cannot disagree on a value.
namespace vosk {

// How a slider position p stands in its record word and in its value box.
enum class Rule {
    Plain,  // int word p; box p
    Bias,   // int word 100 - p; box 100 - p (the slider has 0 at its top)
    Pad,    // float word p x 0.01 x 0.5; box the same as a decimal
    Whole,  // float word p; box p
    Camber, // float word p x 0.1; box the same as a decimal
    Ratio,  // float word (4500 - p) x 0.001; box the same as a decimal
    Steer,  // int word p; box p followed by ":1"
};

// The "symmetric" box that keeps the left and right wheel of an axle
// together: the brakes' box joins pads and discs, the springs' box springs
// and dampers.
enum class Link { None, Brakes, Springs };

struct Slider {
    std::size_t word; // in the setup record, 0 to 48
    Rule rule;
    int min, max; // the slider's range
    // What a person reads: the tab, the group box and the label beside the
    // slider (empty where the group holds only this slider).
    const char *page, *group, *label;
    // The box that links this slider to the other wheel of its axle, and
    // the word of that wheel's slider; Link::None for the unlinked ones.
    Link link = Link::None;
    std::size_t partnerWord = 0;
};

// In the order in which a record is transferred onto the sliders: each
// left-hand wheel before its right-hand partner.
extern const std::array<Slider, 37> kSliders;

// The row of kSliders whose slider edits word, or -1 for a word no slider
// shows.
int SliderRowOfWord(std::size_t word);

// The bits a slider at position p stores in its word.
std::uint32_t StoredWord(Rule rule, int p);
// The position a stored word asks its slider for, before the slider clamps
// it into its range. Defined for every bit pattern: NaN gives 0, values
// beyond any position give the int range's ends.
int PositionOf(Rule rule, std::uint32_t word);
// p moved into the slider's range, as the slider does when it is set.
int Clamped(const Slider &slider, int p);
// The text the value box shows for position p, with "." as the decimal point.
std::string ShownText(Rule rule, int p);

} // namespace vosk
