// A drop-down list from which the child only chooses, never types. Its
// palette holds the design's colours in every colour group; while it is
// locked it paints its text greyed, so a child sees it cannot be used.
#pragma once

#include <QComboBox>

namespace vorlen {

class QuizList : public QComboBox {
    Q_OBJECT

public:
    QuizList(QColor text, QColor background, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void makeLockedPalette();

    // Made once, not per paint: the style caches what it draws under the
    // palette's identity, and a fresh palette each time would fill its cache.
    QPalette locked_;
};

} // namespace vorlen
