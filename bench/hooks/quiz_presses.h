// What the press benchmark presses in the program: the start button while no
// quiz runs, then always the answer button that is right, so that every press
// brings the next question. Only the program's benchmark build has it.
#pragma once

#include "bench/hooks/bench_probes.h"

class Form1;

namespace vorlen::bench {

[[nodiscard]] NextPress quizPresses(Form1& window);

} // namespace vorlen::bench
