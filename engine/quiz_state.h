// The quiz state the window holds while it is open: the mode, the chosen
// table, where the sequential orders stand, the question on screen, the three
// counters and the blink phase. Zero and empty at creation; never saved.
#pragma once

#include <cstdint>
#include <string>

namespace vorlen {

// Which question method asks the next question.
enum class QuizMode : std::uint8_t {
    None = 0,             // no quiz started yet
    SingleMixed = 1,      // tekkarisik
    SingleSequential = 2, // teksirali
    AllMixed = 3,         // ciftkarisik
    AllSequential = 4,    // ciftsirali
};

struct QuizState {
    std::int16_t seqfirst = 0;  // all tables in order: first factor of the next question
    std::int16_t seqsecond = 0; // second factor: last asked (one table) / next (all tables)
    std::int16_t tableno = 0;   // the chosen table of the single-table modes
    QuizMode quizmode = QuizMode::None;
    std::string correctanswer; // product of the question on screen, as text
    std::int16_t factora = 0;  // first factor on screen
    std::int16_t factorb = 0;  // second factor on screen
    std::int16_t totalcount = 0;
    std::int16_t rightcount = 0;
    std::int16_t wrongcount = 0;
    std::uint8_t blinkphase = 0; // 0 or 1
};

} // namespace vorlen
