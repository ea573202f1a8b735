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
    const auto line = [where](std::string_view what) {
        return "vorlen: " + std::string(where) + ": " + std::string(what);
    };
    try {
        std::forward<Routine>(routine)();
    } catch (const std::exception& failure) {
        report(line(failure.what()));
    } catch (...) {
        report(line("unknown failure"));
    }
}

} // namespace vorlen
