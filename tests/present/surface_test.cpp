// The one routine that applies an update, over a surface that records every
// call: what each front end is told, in which order, and what a part out of
// the accessibility tree is never told.
#include "present/surface.h"
#include "tests/present/form_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlen::present {
namespace {

using P = Part;
using test::FormTest;

class Recording : public Surface {
public:
    std::vector<std::string> calls;
    std::string refusing; // a part whose captions throw

    void caption(Part part, const std::string& caption) override
    {
        if (design::name(part) == refusing) {
            throw std::runtime_error("no caption here");
        }
        record("caption", part, caption);
    }
    void look(const Look& /*look*/) override { calls.push_back("look"); }
    void colour(Part part, const Ink& colour) override
    {
        record("colour", part, std::to_string(colour.colour));
    }
    void visible(Part part, bool visible, bool inTree) override
    {
        record("visible", part, std::string(visible ? "1" : "0") + (inTree ? "" : " quietly"));
    }
    void enabled(Part part, bool enabled) override { record("enabled", part, enabled ? "1" : "0"); }
    void choice(Part list, int entry) override { record("choice", list, std::to_string(entry)); }
    void running(Part timer, bool running) override { record("running", timer, running ? "1" : "0"); }
    void inTree(Part part, bool inTree) override { record("tree", part, inTree ? "1" : "0"); }
    void name(Part part, const std::string& name) override { record("name", part, name); }
    void description(Part part, const std::string& description) override
    {
        record("description", part, description);
    }
    void focus(Part part) override { record("focus", part, ""); }
    void announce(const Announcement& announcement) override
    {
        calls.push_back("announce " + announcement.text);
    }
    void requestCounter(const CounterPlan& plan) override
    {
        calls.push_back("request " + plan.page.absolute());
    }
    void settled() override { calls.push_back("settled"); }

    [[nodiscard]] bool has(const std::string& call) const
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    [[nodiscard]] std::ptrdiff_t at(const std::string& call) const
    {
        return std::find(calls.begin(), calls.end(), call) - calls.begin();
    }

private:
    void record(const char* what, Part part, const std::string& value)
    {
        calls.push_back(std::string(what) + " " + std::string(design::name(part)) + " " + value);
    }
};

class SurfaceTest : public FormTest {
protected:
    void play(const Update& update) { apply(update, form.model(), surface, report); }

    Recording surface;
    FailureReport report = [this](const std::string& line) { failures.push_back(line); };
};

TEST_F(SurfaceTest, PartsThenFocusThenTheAnnouncementAndNoNameOutOfTheTree)
{
    play(form.load());
    EXPECT_EQ(surface.calls.back(), "settled");
    EXPECT_LT(surface.at("enabled Combo1 1"), surface.at("focus command9 "));
    surface.calls.clear();
    play(form.tick(P::Timer1));
    for (const std::string& call : surface.calls) { // a sample: captions, out of the tree
        EXPECT_TRUE(call.starts_with("caption ") || call == "settled") << call;
    }

    surface.calls.clear();
    play(form.press(P::command9));
    const P right = answer(true);
    const std::string joining(design::name(right));
    // An answer that joins the tree is named before it is there to be found.
    EXPECT_LT(surface.at("name " + joining + " 1"), surface.at("tree " + joining + " 1"));
    EXPECT_LT(surface.at("caption command9 Dur"), surface.at("name command9 Dur"));
    EXPECT_FALSE(std::any_of(surface.calls.begin(), surface.calls.end(),
                             [](const std::string& call) { return call.starts_with("name Label1 "); }));
    EXPECT_LT(surface.at("tree cev4 1"), surface.at("announce 1 çarpı 1"));

    surface.calls.clear();
    play(form.press(answer(false)));
    EXPECT_TRUE(surface.has("visible Frame5 1"));
    EXPECT_LT(surface.at("focus chameleonButton2 "), surface.at("announce !!! YANLIŞ !!! DOĞRU CEVAP : 2"));
    surface.calls.clear();
    play(form.tick(P::Timer2));
    EXPECT_TRUE(surface.has("visible Label13 0 quietly")) << "a blinking line out of the tree";

    play(form.press(P::chameleonButton2));
    surface.calls.clear();
    play(form.press(P::command9));
    EXPECT_TRUE(surface.has("tree cev1 0"));
    EXPECT_FALSE(surface.has("name cev1 ")) << "a part leaving the tree is not renamed";

    surface.calls.clear();
    play(form.prefer({.moreContrast = true}));
    EXPECT_EQ(surface.calls.front(), "look") << "the whole look before the parts";
    EXPECT_TRUE(surface.has("colour Label1 " + std::to_string(0x6C6C6C))) << "the idle grey, darker";

    surface.calls.clear();
    play(form.tick(P::Timer3));
    EXPECT_EQ(surface.calls.back(), "settled");
    EXPECT_EQ(surface.calls[surface.calls.size() - 2], "request http://sayac.example/sayac/qelnor.php");
}

TEST_F(SurfaceTest, APartThatRefusesItsChangeIsReportedAndTheOthersAreApplied)
{
    play(form.load());
    surface.refusing = "cev1";
    surface.calls.clear();
    play(form.tick(P::Timer1));
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_EQ(failures[0], "vorlen: cev1: no caption here");
    EXPECT_TRUE(surface.has("caption cev2 " + at(P::cev2).caption));
    EXPECT_TRUE(surface.has("caption Text1 " + at(P::Text1).caption));
}

} // namespace
} // namespace vorlen::present
