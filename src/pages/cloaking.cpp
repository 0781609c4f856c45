#include "pages/cloaking.h"

#include "core/text_conversion.h"
#include "pages/calculation_failure.h"

namespace kc::pages {

CloakingOutcome computeCloaking(const storage::CloakDesigns& designs) {
    CloakingOutcome outcome;
    outcome.failure = captureFailure([&] {
        const std::optional<std::int64_t> percent = storage::CloakPercent(designs);
        outcome.text = percent ? "The Fleet is " + intToStr(*percent) + " % cloaked"
                               : std::string("Enter a freight weight of 0 or more");
    });
    return outcome;
}

} // namespace kc::pages
