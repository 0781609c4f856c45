#include "pages/calculator.h"

#include "core/number_format.h"
#include "core/text_conversion.h"

#include <string_view>

namespace kc::pages {

bool calcKeepsTypedCharacter(char32_t character) {
    if (character >= U'0' && character <= U'9')
        return true;
    constexpr std::u32string_view kKept = U"\b\r()*+-./^";
    return kKept.find(character) != std::u32string_view::npos;
}

std::string calcValueLine(Extended value) {
    return formatGeneral(value);
}

bool isCalcValueLine(std::string_view line) {
    return parseReal(line).has_value();
}

} // namespace kc::pages
