// A plain container with no border of its own that clips its children. It
// knows nothing of the quiz.
#pragma once

#include <QWidget>

namespace vorlen {

class QuizPanel : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
};

} // namespace vorlen
