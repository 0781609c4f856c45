#include "pages/scanning.h"

#include "core/checked_math.h"
#include "core/text_conversion.h"
#include "pages/calculation_failure.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kc::pages {

namespace {

// The game keeps both sums in single precision, so every addition is rounded to single.
class FourthPowerSum {
public:
    // Adds the fourth power of `range` `count` times; a count of 0 or less adds nothing.
    void add(Extended range, std::int64_t count) { sum_ = addRepeatedly(sum_, powerInt(range, 4), count); }

    std::int64_t fourthRoot() const { return roundToInt(squareRoot(squareRoot(sum_))); }

private:
    Single sum_ = 0;
};

} // namespace

// A count typed in the millions must not freeze the page, yet every addition still has to round as the game
// rounds. Within one binade of the sum [2^(e-1), 2^e), while sum + term stays below 2^e, the extended sum is
// sum + (term on the extended grid) because the sum is a multiple of the single spacing u, and rounding that
// to single adds a multiple of u that depends on the sum only through its parity in a tie; after one such
// step the sum is even in u and every further step adds the same amount. So once two steps in a row are of
// this kind, the second one's increment repeats up to just below the binade's top, and those steps are
// taken at once. Near the top, and whenever the term is large against the sum, steps are taken one by one.
Single addRepeatedly(Single sum, Extended term, std::int64_t count) {
    bool lastStepRegular = false;
    int lastBinade = 0;
    while (count > 0) {
        const Single next = toSingle(add(sum, term));
        --count;
        if (next == sum) // an addition that changes nothing changes nothing ever after
            return sum;
        int binade = 0;
        std::frexp(sum, &binade);
        const Extended top = std::ldexp(1.0L, binade);
        const bool regular = sum >= std::numeric_limits<Single>::min() && add(sum, term) < top && next < top;
        if (regular && lastStepRegular && binade == lastBinade) {
            const Extended increment = static_cast<Extended>(next) - sum;
            const Extended spacing = std::ldexp(1.0L, binade - std::numeric_limits<Single>::digits);
            // One step less than the room allows keeps every skipped step clear of the top by a spacing.
            const Extended room = (top - spacing - term - next) / increment - 1;
            const std::int64_t skipped = room > 0 ? std::min(count, static_cast<std::int64_t>(room)) : 0;
            sum = static_cast<Single>(next + static_cast<Extended>(skipped) * increment);
            count -= skipped;
            lastStepRegular = false;
            continue;
        }
        sum = next;
        lastStepRegular = regular;
        lastBinade = binade;
    }
    return sum;
}

ScanningOutcome computeScanning(const rules::ScannerRangeTable& table, const ScanningInputs& in) {
    ScanningOutcome out;
    out.failure = captureFailure([&] {
        // No advanced scanners doubles standard ranges only.
        const std::int32_t factor = in.noAdvancedScanners ? 2 : 1;
        FourthPowerSum standard;
        FourthPowerSum penetrating;

        if (in.builtInScanner) {
            // 20 ly standard and 10 ly penetrating per electronics tech level.
            const std::int64_t level = in.electronicsTech;
            standard.add(static_cast<Extended>(20 * level * factor), 1);
            penetrating.add(divide(static_cast<Extended>(20 * level), 2), 1);
        }
        for (const CatalogueScannerRow& row : in.catalogueRows) {
            const std::optional<rules::ScannerRange> ranges = rules::scannerRange(table, row.scanner);
            if (!ranges)
                continue;
            standard.add(static_cast<Extended>(wideProduct(ranges->standard, factor)), row.count);
            penetrating.add(ranges->penetrating, row.count);
        }
        for (const TypedScannerRow& row : in.typedRows) {
            standard.add(static_cast<Extended>(wideProduct(row.standard, factor)), row.count);
            penetrating.add(row.penetrating, row.count);
        }

        out.ranges =
            ScanningRanges{.standard = standard.fourthRoot(), .penetrating = penetrating.fourthRoot()};
    });
    return out;
}

std::string scannerRangeSentence(const ScanningRanges& ranges) {
    return "This Ship/Fleet has a total scanner range of : " + intToStr(ranges.standard) + " / " +
           intToStr(ranges.penetrating) + " ly";
}

std::optional<std::string> scanningResultText(const ScanningOutcome& outcome) {
    if (!outcome.ranges)
        return std::nullopt;
    return scannerRangeSentence(*outcome.ranges);
}

} // namespace kc::pages
