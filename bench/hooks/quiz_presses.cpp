#include "bench/hooks/quiz_presses.h"

#include "engine/texts.h"
#include "window/form1.h"
#include "window/quiz_button.h"

namespace vorlen::bench {

NextPress quizPresses(Form1& window)
{
    return [&window]() -> Press {
        QuizButton* start = window.parts().command9;
        if (start->text() !=
            QString::fromUtf8(text::stop.data(), static_cast<qsizetype>(text::stop.size()))) {
            return {start, QStringLiteral("command9")};
        }
        const QString right = QString::fromStdString(window.quizState().correctanswer);
        for (QuizButton* answer : window.parts().answers()) {
            if (answer->isEnabled() && answer->text() == right) {
                return {answer, answer->objectName()};
            }
        }
        return {nullptr, QString()};
    };
}

} // namespace vorlen::bench
