// What the window model's tests share: a form on a fixed clock and seed,
// whose failures are recorded.
#pragma once

#include "present/form.h"
#include "tests/support/answer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace vorlen::present::test {

using P = Part;

constexpr std::uint16_t bits(std::initializer_list<Property> properties)
{
    std::uint16_t mask = 0;
    for (Property property : properties) {
        mask |= static_cast<std::uint16_t>(property);
    }
    return mask;
}

class FormTest : public testing::Test {
protected:
    FormTest()
        : form({.counterAddress = "http://sayac.example/sayac/qelnor.php",
                .clock = [] { return 45296.25F; },
                .seed = 42,
                .reportFailure = [this](const std::string& line) { failures.push_back(line); }})
    {
    }

    // The answer button showing the answer to the question on screen, or not.
    P answer(bool right)
    {
        return vorlen::test::answerButton([this](P part) { return at(part).caption; }, right)
            .value_or(P::Label1);
    }

    const PartState& at(P part) const { return form.model()[part]; }

    std::vector<std::string> failures;
    Form form;
};

} // namespace vorlen::present::test
