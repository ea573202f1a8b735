// What the window model's tests share: a form on a fixed clock and seed,
// whose counter requests and failures are recorded.
#pragma once

#include "present/form.h"

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

struct Browser final : WebBrowser {
    void navigate(const std::string& address) override { visited.push_back(address); }
    std::vector<std::string> visited;
};

class FormTest : public testing::Test {
protected:
    FormTest()
        : form({.counterAddress = "http://sayac.example/sayac/qelnor.php",
                .clock = [] { return 45296.25F; },
                .seed = 42,
                .reportFailure = [this](const std::string& line) { failures.push_back(line); }},
               browser)
    {
    }

    // The answer button showing the answer to the question on screen, or not.
    P answer(bool right)
    {
        for (P part : {P::cev1, P::cev2, P::cev3, P::cev4}) {
            if ((form.model()[part].caption == form.quizState().correctanswer) == right) {
                return part;
            }
        }
        return P::Label1;
    }

    const PartState& at(P part) const { return form.model()[part]; }

    Browser browser;
    std::vector<std::string> failures;
    Form form;
};

} // namespace vorlen::present::test
