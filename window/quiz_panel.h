// A plain container with no border of its own that clips its children. It
// knows nothing of the quiz.
#pragma once

#include <QFrame>

namespace vorlen {

class QuizPanel : public QFrame {
    Q_OBJECT

public:
    explicit QuizPanel(QWidget* parent = nullptr) : QFrame(parent) { setFrameShape(QFrame::NoFrame); }
};

} // namespace vorlen
