// Which answer button a child presses for a right or a wrong answer: read as
// a child reads the window, from the captions of the two factors and of the
// four buttons, for the tests of the model and of every front end.
#pragma once

#include "design/design.h"

#include <array>
#include <optional>
#include <string>

namespace vorlen::test {

// The answer button whose caption is (right) or is not (wrong) the product
// of the question on screen; none when no button is, or no question is
// shown. caption(part) is a part's caption as the test sees it.
template <typename Caption> std::optional<design::Part> answerButton(const Caption& caption, bool right)
{
    using design::Part;
    const std::string first = caption(Part::Label1);
    const std::string second = caption(Part::Label3);
    if (first.empty() || second.empty()) {
        return std::nullopt;
    }
    const std::string product = std::to_string(std::stoi(first) * std::stoi(second));
    for (const Part part : std::array{Part::cev1, Part::cev2, Part::cev3, Part::cev4}) {
        if ((caption(part) == product) == right) {
            return part;
        }
    }
    return std::nullopt;
}

} // namespace vorlen::test
