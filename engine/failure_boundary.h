// Where a failure that a routine passes on ends: a front end enters every
// press, timer tick and the load step through here, so that a failure is
// reported in one line and the window goes on. It decides nothing about the
// quiz and reports nowhere by itself.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace vorlen {

// Takes one line, such as "vorlen: Timer1: 16-bit overflow".
using FailureReport = std::function<void(const std::string&)>;

template <typename Routine>
void runReportingFailure(const FailureReport& report, std::string_view where, Routine&& routine) noexcept
{
    std::string line;
    try {
        std::forward<Routine>(routine)();
        return;
    } catch (const std::exception& failure) {
        line = "vorlen: " + std::string(where) + ": " + failure.what();
    } catch (...) {
        line = "vorlen: " + std::string(where) + ": unknown failure";
    }
    // Nothing may leave an event handler, not even a report that fails.
    try {
        report(line);
    } catch (...) { // NOLINT(bugprone-empty-catch): the report is lost, the window goes on
    }
}

} // namespace vorlen
