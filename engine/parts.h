// Every panel, control and timer of the window, once: its name in the window
// and its kind. The engine's Controls, design::Part with its names and rows,
// the window model and each front end's typed parts are all expanded from
// this one list, so a new part is one line here, its row in design/design.h
// and its test. The web browser is no part: it is never shown.
#pragma once

#include <cstdint>

namespace vorlen {

enum class PartKind : std::uint8_t { Panel, Label, Button, List, TextBox, Picture, Timer };

} // namespace vorlen

// X(name, kind) for each part, in the order of design::Part. The order is
// the order in which front ends apply what changed, so it stays put.
// A macro and not a table: each entry becomes a member name in several
// structs, which only the preprocessor can write.
#define VORLEN_PARTS(X)                                                                                      \
    X(Frame1, Panel)  /* question */                                                                         \
    X(Frame2, Panel)  /* settings */                                                                         \
    X(Frame3, Panel)  /* dedication, never shown */                                                          \
    X(Frame4, Panel)  /* score */                                                                            \
    X(Frame5, Panel)  /* wrong answer */                                                                     \
    X(Label1, Label)  /* first factor */                                                                     \
    X(Label2, Label)  /* the "x" sign */                                                                     \
    X(Label3, Label)  /* second factor */                                                                    \
    X(Label4, Label)  /* "Sorma Şekli :" */                                                                 \
    X(Label5, Label)  /* dedication */                                                                       \
    X(Label6, Label)  /* "Toplam soru sayısı : " */                                                        \
    X(Label7, Label)  /* "Doğru sayısı : " */                                                             \
    X(Label8, Label)  /* "Yanlış sayısı : " */                                                           \
    X(Label9, Label)  /* answers given */                                                                    \
    X(Label10, Label) /* right answers */                                                                    \
    X(Label11, Label) /* wrong answers */                                                                    \
    X(Label12, Label) /* "!!! YANLIŞ !!!" */                                                                \
    X(Label13, Label) /* the correct-answer line */                                                          \
    X(cev1, Button)   /* the four answers */                                                                 \
    X(cev2, Button)                                                                                          \
    X(cev3, Button)                                                                                          \
    X(cev4, Button)                                                                                          \
    X(command9, Button)         /* "Başla" / "Dur" */                                                       \
    X(chameleonButton1, Button) /* OK of the dedication panel */                                             \
    X(chameleonButton2, Button) /* OK of the wrong-answer panel */                                           \
    X(Combo1, List)             /* table */                                                                  \
    X(Combo2, List)             /* order */                                                                  \
    X(Text1, TextBox)           /* scratch cell for the answer captions */                                   \
    X(Image1, Picture)          /* dedication picture */                                                     \
    X(Timer1, Timer)            /* idle animation, 85 ms */                                                  \
    X(Timer2, Timer)            /* wrong-answer blink, 200 ms */                                             \
    X(Timer3, Timer)            /* visit counter, 2000 ms, once */
