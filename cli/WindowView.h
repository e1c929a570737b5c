// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/SliderTable.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// The texts the command line prints for the words of a setup record. Every
// value a slider carries is taken from the slider table and the window's
// number texts, so the command line shows what the window shows.
namespace vosk::cli {

// The slider that edits word k, or nullptr for the words the window does
// not show.
const Slider *SliderOfWord(std::size_t k);

// What the window makes of a stored word: the position its slider takes and
// the word "ok" stores back from there. The value box shows
// ShownText(slider.rule, position).
struct WindowView {
    int position;
    std::uint32_t stored;
};
WindowView ViewOf(const Slider &slider, std::uint32_t word);

// Word k as the number it holds: int words in decimal, float words as the
// shortest decimal that reads back to the same float ("0.3", "-0", "inf",
// "nan(0x7fc00000)" with the NaN's bits), reserved bit words as "0x" and
// eight hex digits.
std::string StoredText(std::size_t k, std::uint32_t word);

// The slider that the window's "symmetric" boxes keep together with the one
// of word k, or nullptr when word k has no linked partner.
const Slider *PartnerOf(std::size_t k);

// What a freshly opened window makes of word k of a whole record. It opens
// with both "symmetric" boxes ticked and sets each left-hand wheel before its
// right-hand partner, so a linked pair ends at the right-hand wheel's
// position.
WindowView ViewInWindow(const std::uint32_t (&words)[49], std::size_t k);

// Word k of a record as `show` prints it: the value box's text for a shown
// word, followed by " (stored X)" when the word is not what "ok" would store
// for it; the stored number for the others.
std::string ValueText(const std::uint32_t (&words)[49], std::size_t k);

// Calls report with one sentence per thing the window would change, or that
// is damaged, in the 49 words: "spring.LF: 200 is outside 60..160; the
// window shows 160 and stores 160 at the next ok".
void ForEachProblem(const std::uint32_t (&words)[49],
                    const std::function<void(const std::string &)> &report);

} // namespace vosk::cli
