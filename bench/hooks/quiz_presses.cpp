#include "bench/hooks/quiz_presses.h"

#include "window/form1.h"
#include "window/quiz_button.h"

namespace vorlen::bench {

NextPress quizPresses(Form1& window)
{
    return [&window]() -> Press {
        auto* start = window.findChild<QuizButton*>(QStringLiteral("command9"));
        if (start != nullptr && start->text() != QStringLiteral("Dur")) {
            return {start, QStringLiteral("command9")};
        }
        const QString right = QString::fromStdString(window.engine().state().correctanswer);
        for (const char* name : {"cev1", "cev2", "cev3", "cev4"}) {
            auto* answer = window.findChild<QuizButton*>(QLatin1String(name));
            if (answer != nullptr && answer->isEnabled() && answer->text() == right) {
                return {answer, QLatin1String(name)};
            }
        }
        return {nullptr, QString()};
    };
}

} // namespace vorlen::bench
