// A label that takes the size of its caption on one line whenever the caption
// changes, keeping its right edge (right-aligned), its centre (centred) or its
// left edge in place. The dedication label keeps its size and shows the
// carriage returns of its caption as line breaks. text() is always the
// caption exactly as written. It knows nothing of the quiz.
#pragma once

#include "present/drawing.h"
#include "window/caption_images.h"

#include <QLabel>

#include <string>

namespace vorlen {

class QuizLabel : public QLabel {
    Q_OBJECT

public:
    // A label anchored to its Box keeps its size and shows every line.
    QuizLabel(Qt::Alignment alignment, present::Anchor anchor, QWidget* parent = nullptr);

    // Places the label as drawn; every later fit keeps this box's right edge,
    // centre or left edge, so repeated fits never drift.
    void setDesignGeometry(const QRect& box);

    [[nodiscard]] const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

    // Size of a caption on one line in this label's font.
    [[nodiscard]] QSize captionSize(const QString& text) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fitToCaption();

    [[nodiscard]] bool fitsCaption() const { return anchor_ != present::Anchor::Box; }

    std::string caption_;
    present::Anchor anchor_;
    QRect design_;
    CaptionLayouts captions_;
};

} // namespace vorlen
