// A drop-down list from which the child only chooses, never types. Its
// palette holds the window look's colours in every colour group; while it is
// locked it paints its text greyed, so a child sees it cannot be used.
#pragma once

#include "present/look.h"

#include <QComboBox>

namespace vorlen {

class QuizList : public QComboBox {
    Q_OBJECT

public:
    explicit QuizList(QWidget* parent = nullptr);

    void setInks(const present::ListInks& inks);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Made once, not per paint: the style caches what it draws under the
    // palette's identity, and a fresh palette each time would fill its cache.
    QPalette locked_;
};

} // namespace vorlen
