// A label that takes the size of its caption on one line whenever the caption
// changes, keeping its right edge (right-aligned), its centre (centred) or its
// left edge in place. The dedication label keeps its size and shows the line
// breaks of its caption. It knows nothing of the quiz.
#pragma once

#include <QLabel>

#include <string>

namespace vorlen {

class QuizLabel : public QLabel {
    Q_OBJECT

public:
    enum class Sizing { ToCaption, Fixed };

    QuizLabel(Qt::Alignment alignment, Sizing sizing, QWidget* parent = nullptr);

    // The caption exactly as last written, before any line-break mapping.
    [[nodiscard]] const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

    // Size of a caption on one line in this label's font.
    [[nodiscard]] QSize captionSize(const QString& text) const;

private:
    void fitToCaption();

    std::string caption_;
    Sizing sizing_;
};

} // namespace vorlen
