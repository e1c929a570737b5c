#include "Values.h"

#include "core/CarSetup.h"
#include "core/SetupFields.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace vosk::cli {
namespace {

float FloatOf(std::uint32_t word) {
    float value = 0;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

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

// The words the window writes as zero at every "ok", whatever they held.
bool AlwaysZero(std::size_t k) {
    const Field *field = FieldOfWord(k);
    return field && (std::strcmp(field->name, "reserved0") == 0 ||
                     std::strcmp(field->name, "reservedTail") == 0);
}

// The fields whose left and right sliders the window's "symmetric" boxes
// keep together, both ticked whenever a window opens.
bool Linked(const Field &field) {
    for (const char *name : {"brakePad", "brakeDisc", "spring", "dampComp", "dampReb"}) {
        if (std::strcmp(field.name, name) == 0) {
            return true;
        }
    }
    return false;
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
    return value + " lies between two steps of the slider";
}

} // namespace

const Slider *SliderOfWord(std::size_t k) {
    // Looked up for every word of every file a check reads.
    static const auto kByWord = [] {
        std::array<const Slider *, CarSetup::kWords> byWord{};
        for (const Slider &slider : kSliders) {
            byWord[slider.word] = &slider;
        }
        return byWord;
    }();
    return k < kByWord.size() ? kByWord[k] : nullptr;
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

std::string ValueText(std::size_t k, std::uint32_t word) {
    const Slider *slider = SliderOfWord(k);
    if (!slider) {
        return StoredText(k, word);
    }
    const WindowView view = ViewOf(*slider, word);
    const std::string shown = ShownText(slider->rule, view.position);
    if (view.stored == word) {
        return shown;
    }
    return shown + " (stored " + StoredText(k, word) + ")";
}

void ForEachProblem(const std::uint32_t (&words)[49],
                    const std::function<void(const std::string &)> &report) {
    // Most files have no problem at all, so texts are made only for a report.
    for (std::size_t k = 0; k < CarSetup::kWords; ++k) {
        const std::uint32_t word = words[k];
        if (const Slider *slider = SliderOfWord(k)) {
            const WindowView view = ViewOf(*slider, word);
            if (view.stored != word) {
                report(KeyOfWord(k) + ": " + Departure(*slider, word) + "; the window shows " +
                       ShownText(slider->rule, view.position) + " and stores " +
                       StoredText(k, view.stored) + " at the next ok");
            }
            // A pair of linked sliders is set left before right, so both end
            // at the right-hand wheel's position.
            const Field &field = *FieldOfWord(k);
            const std::size_t wheel = k - field.firstWord;
            if ((wheel == 0 || wheel == 2) && Linked(field)) {
                const WindowView right = ViewOf(*SliderOfWord(k + 1), words[k + 1]);
                if (right.position != view.position) {
                    const std::string shown = ShownText(slider->rule, right.position);
                    report(KeyOfWord(k) + ": " + ShownText(slider->rule, view.position) +
                           " differs from " + KeyOfWord(k + 1) + " (" + shown +
                           "); the window opens with \"symmetric\" ticked, shows " + shown +
                           " for both and stores " + StoredText(k, right.stored) +
                           " at the next ok");
                }
            }
        } else if (AlwaysZero(k) && word != 0) {
            report(KeyOfWord(k) + ": " + StoredText(k, word) +
                   " is not zero; the window stores 0 at the next ok");
        } else if (IsFloat(k) && !std::isfinite(FloatOf(word))) {
            report(KeyOfWord(k) + ": " + StoredText(k, word) +
                   " is not a finite number; the window keeps it as it is");
        }
    }
}

} // namespace vosk::cli
