#include "present/window_model.h"

#include <stdexcept>
#include <utility>

namespace vorlen::present {

namespace {

PartState designState(Part part)
{
    const design::PartRow& row = design::row(part);
    PartState state;
    switch (row.kind) {
    case design::Kind::Panel:
        state.visible = false; // start-up shows three of the five
        break;
    case design::Kind::Timer:
        state.running = true; // all three tick from creation on
        break;
    case design::Kind::Label:
    case design::Kind::Button:
    case design::Kind::List:
    case design::Kind::TextBox:
    case design::Kind::Picture:
        state.caption = std::string(row.control->caption);
        state.colour = {row.control->fore};
        state.visible = row.control->visible;
        state.enabled = row.control->enabled;
        break;
    }
    return state;
}

std::uint16_t differences(const PartState& now, const PartState& shown)
{
    std::uint16_t what = 0;
    const auto mark = [&what](bool differs, Property property) {
        if (differs) {
            what |= static_cast<std::uint16_t>(property);
        }
    };
    mark(now.caption != shown.caption, Property::Caption);
    mark(now.colour != shown.colour, Property::Colour);
    mark(now.visible != shown.visible, Property::Visible);
    mark(now.enabled != shown.enabled, Property::Enabled);
    mark(now.choice != shown.choice, Property::Choice);
    mark(now.running != shown.running, Property::Running);
    mark(now.name != shown.name, Property::Name);
    mark(now.description != shown.description, Property::Description);
    mark(now.inTree != shown.inTree, Property::Tree);
    return what;
}

// A view as the engine holds a part of this kind: as its operations, or as
// nothing for a picture.
template <PartKind K, typename View> typename ControlOf<K>::Type held(View& view)
{
    if constexpr (K == PartKind::Picture) {
        return {};
    } else {
        return view;
    }
}

} // namespace

// One part as the engine sees it. Each part is only one kind of control, and
// the engine's Controls hands it out only as that kind; one class serves
// them all because every operation is a plain write or read of its state.
class WindowModel::View final : public Label,
                                public Button,
                                public vorlen::Panel,
                                public DropDownList,
                                public TextBox,
                                public Timer {
public:
    View(WindowModel& model, Part part) : model_(model), part_(part) {}

    void setCaption(const std::string& text) override
    {
        write([&](PartState& state) { state.caption = text; });
    }
    void setForeColor(Colour colour) override
    {
        write([&](PartState& state) { state.colour = {colour}; });
    }
    void setVisible(bool visible) override
    {
        write([&](PartState& state) { state.visible = visible; });
    }
    void setEnabled(bool enabled) override
    {
        if (design::kind(part_) == design::Kind::Timer) {
            if (enabled) {
                model_.ticked_[design::index(part_)] = false; // started: a tick is to come
            }
            write([&](PartState& state) { state.running = enabled; });
        } else {
            write([&](PartState& state) { state.enabled = enabled; });
        }
    }
    [[nodiscard]] std::string caption() const override { return engineState().caption; }
    [[nodiscard]] bool isVisible() const override { return engineState().visible; }
    void setListIndex(int index) override
    {
        const auto entries = static_cast<int>(design::row(part_).control->entries.size());
        if (index < -1 || index >= entries) {
            throw std::out_of_range("no such list entry");
        }
        write([&](PartState& state) { state.choice = index; });
    }
    [[nodiscard]] std::string text() const override
    {
        return design::kind(part_) == design::Kind::List ? model_.choiceText(part_) : engineState().caption;
    }
    void setText(const std::string& text) override
    {
        write([&](PartState& state) { state.caption = text; });
    }

private:
    template <typename Writing> void write(Writing&& writing)
    {
        std::forward<Writing>(writing)(model_.at(part_));
        model_.refresh(part_);
    }
    [[nodiscard]] const PartState& engineState() const { return model_.now_[design::index(part_)]; }

    WindowModel& model_;
    Part part_;
};

WindowModel::WindowModel()
{
    for (std::size_t i = 0; i < design::partCount; ++i) {
        const auto part = static_cast<Part>(i);
        now_[i] = designState(part);
        views_[i] = std::make_unique<View>(*this, part);
    }
    presented_ = now_;
    shown_ = now_;
}

WindowModel::~WindowModel() = default;

Controls WindowModel::controls(WebBrowser& browser)
{
#define VORLEN_VIEW(name, kind) .name = held<PartKind::kind>(*views_[design::index(Part::name)]),
    return Controls{VORLEN_PARTS(VORLEN_VIEW).WebBrowser1 = browser};
#undef VORLEN_VIEW
}

void WindowModel::choose(Part list, int entry)
{
    views_[design::index(list)]->setListIndex(entry);
    // The list already shows the choice: nothing to apply.
    shown_[design::index(list)].choice = entry;
}

std::string WindowModel::choiceText(Part list) const
{
    const int choice = now_[design::index(list)].choice;
    const auto entries = design::row(list).control->entries;
    return choice >= 0 && static_cast<std::size_t>(choice) < entries.size()
               ? std::string(entries[static_cast<std::size_t>(choice)])
               : std::string();
}

bool WindowModel::canTakeFocus(Part part) const
{
    const PartState& panel = (*this)[design::row(part).panel];
    const PartState& self = (*this)[part];
    return self.visible && self.enabled && panel.visible && panel.enabled;
}

void WindowModel::setName(Part part, std::string name)
{
    at(part).name = std::move(name);
    refresh(part);
}

void WindowModel::setDescription(Part part, std::string description)
{
    at(part).description = std::move(description);
    refresh(part);
}

void WindowModel::setInTree(Part part, bool inTree)
{
    at(part).inTree = inTree;
    refresh(part);
}

void WindowModel::setCircumstances(const Circumstances& circumstances)
{
    circumstances_ = circumstances;
    for (std::size_t i = 0; i < design::partCount; ++i) {
        refresh(static_cast<Part>(i));
    }
}

void WindowModel::ticking(Part timer)
{
    ticked_[design::index(timer)] = true;
    refresh(timer);
}

void WindowModel::refresh(Part part)
{
    const std::size_t i = design::index(part);
    presented_[i] = presented(part, now_[i], circumstances_, ticked_[i]);
}

void WindowModel::takeChanges(std::vector<Change>& into)
{
    for (std::size_t i = 0; i < design::partCount; ++i) {
        const std::uint16_t what = differences(presented_[i], shown_[i]);
        if (what != 0) {
            into.push_back({static_cast<Part>(i), what});
            shown_[i] = presented_[i];
        }
    }
}

} // namespace vorlen::present
