// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "WindowView.h"

#include "core/CarSetup.h"
#include "core/SetupFields.h"
#include "core/Words.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace vosk::cli {
namespace {

std::string Hex(std::uint32_t word) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08x", word);
    return text;
}

WordType TypeOf(std::size_t k) {
    const Field *field = FieldOfWord(k);
    return field ? field->type : WordType::Bits;
}

bool IsFloat(std::size_t k) {
    return TypeOf(k) == WordType::Float;
}

// What the check needs to know of each word, worked out once: checking a
// folder of many setups asks it for every word of every file.
struct WordFacts {
    const Slider *slider = nullptr;
    bool isFloat = false;
    // Written as zero at every "ok", whatever it held.
    bool alwaysZero = false;
    // The left-hand wheel of a pair that the window's "symmetric" boxes,
    // ticked whenever a window opens, keep together with its partner word.
    bool linkedLeft = false;
};

const std::array<WordFacts, CarSetup::kWords> &Facts() {
    static const auto kFacts = [] {
        std::array<WordFacts, CarSetup::kWords> facts{};
        for (const Slider &slider : kSliders) {
            facts[slider.word].slider = &slider;
            // The window sets each left-hand wheel before its partner.
            facts[slider.word].linkedLeft =
                slider.link != Link::None && slider.partnerWord > slider.word;
        }
        for (const Field &field : kFields) {
            for (std::size_t i = 0; i < field.count; ++i) {
                WordFacts &f = facts[field.firstWord + i];
                f.isFloat = field.type == WordType::Float;
                f.alwaysZero = field.atOk == AtOk::Zero;
            }
        }
        return facts;
    }();
    return kFacts;
}

// The slider's range as stored numbers, low to high.
std::string RangeText(const Slider &s) {
    std::string low = StoredText(s.word, StoredWord(s.rule, s.min));
    std::string high = StoredText(s.word, StoredWord(s.rule, s.max));
    if (s.rule == Rule::Bias || s.rule == Rule::Ratio) {
        low.swap(high); // these sliders count downwards
    }
    return low + ".." + high;
}

// Why the window would not store word back as it is.
std::string Departure(const Slider &s, std::uint32_t word) {
    const std::string value = StoredText(s.word, word);
    if (IsFloat(s.word) && !std::isfinite(FloatOf(word))) {
        return value + " is not a finite number";
    }
    if (PositionOf(s.rule, word) != Clamped(s, PositionOf(s.rule, word))) {
        return value + " is outside " + RangeText(s);
    }
    // Zero with its sign bit set: no slider step, yet on one.
    if (IsFloat(s.word) && word == 0x80000000u) {
        return value + " is zero with a minus sign, which the slider stores as 0";
    }
    return value + " lies between two steps of the slider";
}

} // namespace

const Slider *SliderOfWord(std::size_t k) {
    return k < CarSetup::kWords ? Facts()[k].slider : nullptr;
}

WindowView ViewOf(const Slider &slider, std::uint32_t word) {
    const int position = Clamped(slider, PositionOf(slider.rule, word));
    return {position, StoredWord(slider.rule, position)};
}

std::string StoredText(std::size_t k, std::uint32_t word) {
    switch (TypeOf(k)) {
    case WordType::Int:
        return std::to_string(static_cast<std::int32_t>(word));
    case WordType::Bits:
        return Hex(word);
    case WordType::Float:
        break;
    }
    const float value = FloatOf(word);
    if (std::isnan(value)) {
        return "nan(" + Hex(word) + ")";
    }
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

const Slider *PartnerOf(std::size_t k) {
    const Slider *slider = SliderOfWord(k);
    return slider && slider->link != Link::None ? SliderOfWord(slider->partnerWord) : nullptr;
}

WindowView ViewInWindow(const std::uint32_t (&words)[49], std::size_t k) {
    const WordFacts &f = Facts()[k];
    const WindowView own = ViewOf(*f.slider, words[k]);
    if (!f.linkedLeft) {
        return own;
    }
    const std::size_t partner = f.slider->partnerWord;
    const int position = ViewOf(*Facts()[partner].slider, words[partner]).position;
    return {position, StoredWord(f.slider->rule, position)};
}

std::string ValueText(const std::uint32_t (&words)[49], std::size_t k) {
    const Slider *slider = SliderOfWord(k);
    if (!slider) {
        return StoredText(k, words[k]);
    }
    const WindowView view = ViewInWindow(words, k);
    const std::string shown = ShownText(slider->rule, view.position);
    if (view.stored == words[k]) {
        return shown;
    }
    return shown + " (stored " + StoredText(k, words[k]) + ")";
}

void ForEachProblem(const std::uint32_t (&words)[49],
                    const std::function<void(const std::string &)> &report) {
    // Most files have no problem at all, so texts are made only for a report.
    const auto &facts = Facts();
    for (std::size_t k = 0; k < CarSetup::kWords; ++k) {
        const std::uint32_t word = words[k];
        const WordFacts &f = facts[k];
        if (const Slider *slider = f.slider) {
            const WindowView own = ViewOf(*slider, word);
            const WindowView view = ViewInWindow(words, k);
            if (view.stored == word) {
                continue;
            }
            // One sentence per word, giving every reason the window has to
            // change it: its own value, and a linked partner that differs.
            std::string why = own.stored != word ? Departure(*slider, word) : StoredText(k, word);
            if (view.position != own.position) {
                why += std::string(own.stored != word ? " and" : "") + " differs from " +
                       KeyOfWord(slider->partnerWord) + " (" +
                       ShownText(slider->rule, view.position) +
                       "), which \"symmetric\" carries across when the window opens";
            }
            report(KeyOfWord(k) + ": " + why + "; the window shows " +
                   ShownText(slider->rule, view.position) + " and stores " +
                   StoredText(k, view.stored) + " at the next ok");
        } else if (f.alwaysZero && word != 0) {
            report(KeyOfWord(k) + ": " + StoredText(k, word) +
                   " is not zero; the window stores 0 at the next ok");
        } else if (f.isFloat && !std::isfinite(FloatOf(word))) {
            report(KeyOfWord(k) + ": " + StoredText(k, word) +
                   " is not a finite number; the window keeps it as it is");
        }
    }
}

} // namespace vosk::cli
