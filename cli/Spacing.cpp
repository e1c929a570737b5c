// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "Spacing.h"

#include "core/NumberText.h"

#include <cmath>
#include <cstdio>

namespace vosk::cli {

void AddSpeedRows(const Gearbox &box, Rows &rows) {
    const std::string rpm = DecimalText(static_cast<double>(box.rpm));
    for (std::size_t g = 0; g < 6; ++g) {
        const std::string gear = "gear." + std::to_string(g + 1);
        const std::string kmh = IntegerText(box.speeds[g]);
        std::string line = gear + ' ' + kmh + " km/h at " + rpm + " rpm (ratio " + box.texts[g] +
                           ", final " + box.finalText + ")";
        std::vector<Cell> cells = {{gear},
                                   NumberCell(kmh),
                                   NumberCell(rpm),
                                   NumberCell(box.texts[g]),
                                   NumberCell(box.finalText)};
        if (g + 1 < 6) {
            // The road speed holds across the shift, so the engine turns
            // slower by the ratio of the two gears. The step is how much
            // shorter this gear is than the next, as gear tables quote it.
            const double thisRatio = box.ratios[g], nextRatio = box.ratios[g + 1];
            const long long after = std::llround(box.rpm * nextRatio / thisRatio);
            const long long drop = std::llround(box.rpm) - after;
            char step[32];
            std::snprintf(step, sizeof step, "%.1f", (thisRatio / nextRatio - 1.0) * 100.0);
            line += ", shifts into gear." + std::to_string(g + 2) + " at " + IntegerText(after) +
                    " rpm (drop " + IntegerText(drop) + " rpm, step " + step + "%)";
            cells.insert(cells.end(), {NumberCell(IntegerText(after)),
                                       NumberCell(IntegerText(drop)), NumberCell(step)});
        }
        rows.Add(line + '\n', std::move(cells));
    }
}

} // namespace vosk::cli
