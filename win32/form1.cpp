#include "win32/form1.h"

#include "engine/counter_request.h"
#include "engine/failure_boundary.h"
#include "engine/texts.h"
#include "win32/accessibility.h"
#include "win32/adapters.h"
#include "win32/counter_transport.h"
#include "win32/dpi.h"
#include "win32/quiz_button.h"
#include "win32/quiz_label.h"
#include "win32/quiz_line.h"
#include "win32/quiz_list.h"
#include "win32/quiz_panel.h"
#include "win32/quiz_picture.h"
#include "win32/unicode.h"

#ifdef VORLEN_HAVE_RESOURCES
#include "resource_ids.h"
#endif

#include <algorithm>
#include <array>
#include <chrono>
#include <exception>
#include <oleacc.h>
#include <stdexcept>

namespace vorlen::win32 {

namespace {

// Fixed single border with a minimise box: the child cannot resize it.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD windowExStyle = 0;

HICON programIcon()
{
#ifdef VORLEN_HAVE_RESOURCES
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VORLEN));
#else
    return nullptr;
#endif
}

HBITMAP dedicationPicture()
{
#ifdef VORLEN_HAVE_RESOURCES
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_DEDICATION),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
#else
    return nullptr;
#endif
}

bool sameFont(const design::Font& a, const design::Font& b)
{
    return a.family == b.family && a.points == b.points && a.bold == b.bold;
}

template <typename Object>
Object* find(const std::vector<std::pair<std::string_view, std::unique_ptr<Object>>>& objects,
             std::string_view name)
{
    const auto found = std::find_if(objects.begin(), objects.end(),
                                    [name](const auto& entry) { return entry.first == name; });
    return found != objects.end() ? found->second.get() : nullptr;
}

// The button and every window it lies in are visible and enabled.
bool canTakeFocus(HWND control)
{
    for (HWND each = control; each != nullptr; each = GetAncestor(each, GA_PARENT)) {
        const auto style = GetWindowLongPtrW(each, GWL_STYLE);
        if ((style & WS_VISIBLE) == 0 || (style & WS_DISABLED) != 0) {
            return false;
        }
        if ((style & WS_CHILD) == 0) {
            break;
        }
    }
    return true;
}

} // namespace

struct Form1::Adapters {
    Adapters(const Form1& form, HWND window)
        : timer1(window, 1, static_cast<UINT>(design::timers[0].intervalMs)),
          timer2(window, 2, static_cast<UINT>(design::timers[1].intervalMs)),
          timer3(window, 3, static_cast<UINT>(design::timers[2].intervalMs)), frame1(form.control("Frame1")),
          frame2(form.control("Frame2")), frame3(form.control("Frame3")), frame4(form.control("Frame4")),
          frame5(form.control("Frame5")), combo1(form.control("Combo1")), combo2(form.control("Combo2")),
          text1(form.control("Text1")), cev1(form.control("cev1")), cev2(form.control("cev2")),
          cev3(form.control("cev3")), cev4(form.control("cev4")), command9(form.control("command9")),
          chameleonButton1(form.control("chameleonButton1")),
          chameleonButton2(form.control("chameleonButton2"))
    {
        static constexpr std::array<std::string_view, 13> names{
            "Label1", "Label2", "Label3",  "Label4",  "Label5",  "Label6",  "Label7",
            "Label8", "Label9", "Label10", "Label11", "Label12", "Label13",
        };
        for (std::size_t i = 0; i < names.size(); ++i) {
            QuizLabel* label = form.label(names[i]);
            if (label == nullptr) {
                throw std::logic_error("the design has no " + std::string(names[i]));
            }
            labels[i] = std::make_unique<LabelAdapter>(*label);
        }
    }

    Controls controls(WebBrowser& browser)
    {
        return Controls{
            .Label1 = *labels[0],
            .Label2 = *labels[1],
            .Label3 = *labels[2],
            .Label4 = *labels[3],
            .Label5 = *labels[4],
            .Label6 = *labels[5],
            .Label7 = *labels[6],
            .Label8 = *labels[7],
            .Label9 = *labels[8],
            .Label10 = *labels[9],
            .Label11 = *labels[10],
            .Label12 = *labels[11],
            .Label13 = *labels[12],
            .Frame1 = frame1,
            .Frame2 = frame2,
            .Frame3 = frame3,
            .Frame4 = frame4,
            .Frame5 = frame5,
            .Combo1 = combo1,
            .Combo2 = combo2,
            .Text1 = text1,
            .cev1 = cev1,
            .cev2 = cev2,
            .cev3 = cev3,
            .cev4 = cev4,
            .command9 = command9,
            .chameleonButton1 = chameleonButton1,
            .chameleonButton2 = chameleonButton2,
            .Timer1 = timer1,
            .Timer2 = timer2,
            .Timer3 = timer3,
            .WebBrowser1 = browser,
        };
    }

    TimerAdapter timer1, timer2, timer3;
    std::array<std::unique_ptr<LabelAdapter>, 13> labels;
    PanelAdapter frame1, frame2, frame3, frame4, frame5;
    ListAdapter combo1, combo2;
    TextBoxAdapter text1;
    ButtonAdapter cev1, cev2, cev3, cev4, command9, chameleonButton1, chameleonButton2;
};

Form1::Form1() : Form1(Options{})
{
}

Form1::Form1(Options options) : options_(std::move(options))
{
    const wchar_t* name = WindowClass<Form1>::registered(
        L"VorlenForm1", reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)), 0, programIcon());
    const std::wstring caption = widen(design::windowCaption());
    CreateWindowExW(windowExStyle, name, caption.c_str(), windowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                    nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) {
        throw std::runtime_error("the window could not be created");
    }
    dpi_ = dpiOf(window_);
    buildPanels();
    buildControls();
    buildLines();
    buildEngine();
    buildAccessibility();
    layout(dpi_);
}

Form1::~Form1()
{
    if (window_ != nullptr) {
        // No tick may reach an engine that is gone.
        for (UINT_PTR id = 1; id <= 3; ++id) {
            KillTimer(window_, id);
        }
        DestroyWindow(window_);
    }
    for (auto& [font, handle] : fonts_) {
        DeleteObject(handle);
    }
}

void Form1::reportToDebuggerAndConsole(const std::string& line)
{
    // Whatever the bytes, never refuse the report: invalid UTF-8 shows as U+FFFD.
    const std::string text = line + "\n";
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    OutputDebugStringW(wide.c_str());
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    DWORD mode = 0;
    if (GetConsoleMode(error, &mode) != FALSE) {
        WriteConsoleW(error, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

void Form1::buildPanels()
{
    // In creation order, each above the one before: the wrong-answer and
    // dedication panels come last and lie above the other three.
    for (const design::Panel& row : design::panels) {
        auto panel = std::make_unique<QuizPanel>(window_, row.id);
        SetWindowPos(panel->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        byName_.emplace_back(row.name, panel->hwnd());
        panels_.emplace_back(row.name, std::move(panel));
    }
}

void Form1::buildControls()
{
    for (const design::Control& row : design::controls) {
        HWND parent = control(row.panel);
        const std::wstring caption = widen(row.caption);
        HWND made = nullptr;
        switch (row.kind) {
        case design::Kind::Label: {
            auto label =
                std::make_unique<QuizLabel>(parent, row.id, caption, row.fore, row.align, row.sizing);
            made = label->hwnd();
            labels_.emplace_back(row.name, std::move(label));
            break;
        }
        case design::Kind::Button: {
            auto button = std::make_unique<QuizButton>(parent, row.id, caption, row.fore, row.foreHover);
            made = button->hwnd();
            buttons_.emplace_back(row.name, std::move(button));
            break;
        }
        case design::Kind::List: {
            auto list = std::make_unique<QuizList>(parent, row.id, row.entries, row.fore,
                                                   row.back.value_or(colour::white));
            made = list->hwnd();
            lists_.emplace_back(row.name, std::move(list));
            break;
        }
        case design::Kind::TextBox:
            // A scratch cell, never seen and never focused: no WS_TABSTOP.
            made = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", caption.c_str(), WS_CHILD | ES_AUTOHSCROLL, 0,
                                   0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                   GetModuleHandleW(nullptr), nullptr);
            text1_ = made;
            break;
        case design::Kind::Picture:
            picture_ = std::make_unique<QuizPicture>(parent, row.id, dedicationPicture());
            made = picture_->hwnd();
            break;
        }
        if (made == nullptr) {
            throw std::runtime_error("could not create " + std::string(row.name));
        }
        ShowWindow(made, row.visible ? SW_SHOWNA : SW_HIDE);
        EnableWindow(made, row.enabled ? TRUE : FALSE);
        byName_.emplace_back(row.name, made);
    }
}

void Form1::buildLines()
{
    for (const design::Line& row : design::lines) {
        auto line = std::make_unique<QuizLine>(control(row.panel), row.id, row.colour);
        byName_.emplace_back(row.name, line->hwnd());
        lines_.emplace_back(row.name, std::move(line));
    }
}

void Form1::buildEngine()
{
    if (options_.browser != nullptr) {
        browser_ = std::move(options_.browser);
    } else {
        // WinINet follows the system's proxy settings, so no proxy variables.
        browser_ =
            std::make_unique<CounterRequest>(std::make_unique<WinInetTransport>([] {}), ProxyVariables{},
                                             std::chrono::milliseconds(options_.counterTimeoutMs));
    }
    adapters_ = std::make_unique<Adapters>(*this, window_);
    engine_ = std::make_unique<QuizEngine>(
        adapters_->controls(*browser_), RandomSource(options_.clock, options_.seed), options_.counterAddress);
    // All three run from creation on.
    adapters_->timer1.setEnabled(true);
    adapters_->timer2.setEnabled(true);
    adapters_->timer3.setEnabled(true);
}

HFONT Form1::fontFor(const design::Font& font)
{
    for (const auto& [known, handle] : fonts_) {
        if (sameFont(known, font)) {
            return handle;
        }
    }
    HFONT made = createFont(font, dpi_);
    fonts_.emplace_back(font, made);
    return made;
}

void Form1::layout(int dpi)
{
    dpi_ = dpi;
    const auto oldFonts = std::move(fonts_);
    fonts_.clear();

    const int width = design::pixels(design::clientWidth, dpi);
    const int height = design::pixels(design::clientHeight, dpi);
    RECT outer = outerRect(width, height, windowStyle, windowExStyle, dpi);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Whatever the frame measures, the client area gets the drawn size.
    RECT client{};
    GetClientRect(window_, &client);
    if (client.right != width || client.bottom != height) {
        SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                     outer.bottom - outer.top + height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    for (const design::Panel& row : design::panels) {
        const RECT box = pixelBox(row.place, dpi);
        SetWindowPos(control(row.name), nullptr, box.left, box.top, box.right - box.left,
                     box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (const design::Control& row : design::controls) {
        const RECT box = pixelBox(row.place, dpi);
        HWND made = control(row.name);
        HFONT font = fontFor(row.font);
        switch (row.kind) {
        case design::Kind::Label:
            SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            label(row.name)->setDesignBox(box);
            break;
        case design::Kind::List: {
            HDC dc = GetDC(made);
            HGDIOBJ old = SelectObject(dc, font);
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            SelectObject(dc, old);
            ReleaseDC(made, dc);
            list(row.name)->place(box, font, metrics.tmHeight + scaled(4, dpi));
            break;
        }
        case design::Kind::Button:
        case design::Kind::TextBox:
        case design::Kind::Picture:
            SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            SetWindowPos(made, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
    }
    for (const design::Line& row : design::lines) {
        find(lines_, row.name)
            ->place(POINT{design::pixels(row.x1, dpi), design::pixels(row.y1, dpi)},
                    POINT{design::pixels(row.x2, dpi), design::pixels(row.y2, dpi)},
                    scaled(row.widthPx, dpi));
    }
    for (const auto& [font, handle] : oldFonts) {
        DeleteObject(handle);
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form1::buildAccessibility()
{
    accessibility_ = std::make_unique<Accessibility>();
    accessibility_->add(window_, ROLE_SYSTEM_CLIENT, L"Vorlen");
    for (const design::Panel& row : design::panels) {
        accessibility_->add(control(row.name),
                            row.name == "Frame5" ? ROLE_SYSTEM_ALERT : ROLE_SYSTEM_GROUPING, L"");
    }
    for (const design::Control& row : design::controls) {
        long role = ROLE_SYSTEM_STATICTEXT;
        switch (row.kind) {
        case design::Kind::Label:
            break;
        case design::Kind::Button:
            role = ROLE_SYSTEM_PUSHBUTTON;
            break;
        case design::Kind::List:
            role = ROLE_SYSTEM_COMBOBOX;
            break;
        case design::Kind::TextBox:
            continue; // never seen, never focused
        case design::Kind::Picture:
            role = ROLE_SYSTEM_GRAPHIC;
            break;
        }
        accessibility_->add(control(row.name), role,
                            widen(row.accessibleName.empty() ? row.caption : row.accessibleName),
                            widen(row.description));
    }
    describeForScreenReaders();
}

// The question in words, each answer, each count with its caption. While
// idle the sample questions keep fixed names, so nothing is announced eleven
// times a second; when the wrong-answer panel opens, it carries the correct
// answer.
void Form1::describeForScreenReaders()
{
    Accessibility& names = *accessibility_;
    auto name = [&](std::string_view control, const std::wstring& spoken, bool announce) {
        names.setName(this->control(control), spoken, announce);
    };
    auto textOf = [&](std::string_view control) { return windowText(this->control(control)); };

    const std::wstring startStop = textOf("command9");
    name("command9", startStop, true);
    name("Label4", textOf("Label4"), false);
    name("Label2", L"çarpı", false);

    const bool running = startStop == widen(text::stop);
    const std::array<std::string_view, 4> answers{"cev1", "cev2", "cev3", "cev4"};
    if (running) {
        const std::wstring first = textOf("Label1");
        const std::wstring second = textOf("Label3");
        name("Frame1", first + L" çarpı " + second, true);
        name("Label1", first, false);
        name("Label3", second, false);
        for (std::string_view answer : answers) {
            name(answer, textOf(answer), true);
        }
    } else {
        // Fixed names while the samples run: a changing name is announced.
        name("Frame1", L"Örnek sorular", false);
        name("Label1", L"örnek", false);
        name("Label3", L"örnek", false);
        for (std::size_t i = 0; i < answers.size(); ++i) {
            name(answers[i], L"Cevap " + std::to_wstring(i + 1), false);
        }
    }

    // Each count is heard once, with its caption, through its value.
    const std::array<std::pair<std::string_view, std::string_view>, 3> counts{
        {{"Label6", "Label9"}, {"Label7", "Label10"}, {"Label8", "Label11"}}};
    for (const auto& [caption, value] : counts) {
        const std::wstring spoken = textOf(caption) + textOf(value);
        name(caption, spoken, false);
        name(value, spoken, true);
    }
    std::wstring dedication = textOf("Label5");
    std::replace(dedication.begin(), dedication.end(), L'\r', L' ');
    name("Label5", dedication, false);
    name("Label12", textOf("Label12"), false);
    name("Label13", textOf("Label13"), false);
    name("chameleonButton1", textOf("chameleonButton1"), false);
    name("chameleonButton2", textOf("chameleonButton2"), false);

    const bool open = (GetWindowLongPtrW(control("Frame5"), GWL_STYLE) & WS_VISIBLE) != 0;
    if (open) {
        const std::wstring correct = widen(text::correctAnswerPrefix) + widen(engine_->state().correctanswer);
        names.setDescription(control("chameleonButton2"), correct);
        name("Frame5", textOf("Label12") + L" " + correct, false);
    } else {
        name("Frame5", textOf("Label12"), false);
    }
}

HWND Form1::control(std::string_view name) const
{
    const auto found = std::find_if(byName_.begin(), byName_.end(),
                                    [name](const auto& entry) { return entry.first == name; });
    return found != byName_.end() ? found->second : nullptr;
}

QuizLabel* Form1::label(std::string_view name) const
{
    return find(labels_, name);
}

QuizButton* Form1::button(std::string_view name) const
{
    return find(buttons_, name);
}

QuizList* Form1::list(std::string_view name) const
{
    return find(lists_, name);
}

const QuizLine* Form1::line(std::string_view name) const
{
    return find(lines_, name);
}

const TimerAdapter& Form1::timer(int number) const
{
    switch (number) {
    case 1:
        return adapters_->timer1;
    case 2:
        return adapters_->timer2;
    default:
        return adapters_->timer3;
    }
}

QuizList* Form1::listById(int id) const
{
    for (const auto& [name, list] : lists_) {
        if (GetDlgCtrlID(list->hwnd()) == id) {
            return list.get();
        }
    }
    return nullptr;
}

template <typename Routine> void Form1::guarded(const char* where, Routine&& routine)
{
    runReportingFailure(options_.reportFailure, where, std::forward<Routine>(routine));
}

void Form1::show(int how)
{
    ShowWindow(window_, how);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    const HWND focus = GetFocus();
    if (focus == nullptr || focus == window_ || IsChild(window_, focus) == FALSE) {
        SetFocus(focusToRestore_ != nullptr ? focusToRestore_ : control("command9"));
    }
}

void Form1::moveFocus(bool forward)
{
    const auto& order = design::focusOrder;
    const HWND focus = GetFocus();
    std::size_t at = order.size();
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (control(order[i]) == focus) {
            at = i;
        }
    }
    for (std::size_t step = 1; step <= order.size(); ++step) {
        std::size_t next = 0;
        if (at == order.size()) {
            next = forward ? step - 1 : order.size() - step;
        } else {
            next = forward ? (at + step) % order.size() : (at + order.size() - step) % order.size();
        }
        HWND candidate = control(order[next]);
        if (candidate != nullptr && canTakeFocus(candidate)) {
            SetFocus(candidate);
            return;
        }
    }
}

bool Form1::preTranslate(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) {
        return false;
    }
    if (message.hwnd != window_ && IsChild(window_, message.hwnd) == FALSE) {
        return false;
    }
    moveFocus((GetKeyState(VK_SHIFT) & 0x8000) == 0);
    return true;
}

void Form1::press(int id)
{
    using Handler = void (QuizEngine::*)();
    struct Route {
        std::string_view name;
        Handler handler;
    };
    static constexpr std::array<Route, 7> routes{{
        {"command9", &QuizEngine::pressCommand9},
        {"cev1", &QuizEngine::pressCev1},
        {"cev2", &QuizEngine::pressCev2},
        {"cev3", &QuizEngine::pressCev3},
        {"cev4", &QuizEngine::pressCev4},
        {"chameleonButton1", &QuizEngine::pressChameleonButton1},
        {"chameleonButton2", &QuizEngine::pressChameleonButton2},
    }};
    for (const Route& route : routes) {
        HWND button = control(route.name);
        if (GetDlgCtrlID(button) != id) {
            continue;
        }
        if (route.name.starts_with("cev")) {
            lastAnswer_ = button;
        }
        const std::string where(route.name);
        guarded(where.c_str(), [&] { (engine_.get()->*route.handler)(); });
        afterPress();
        return;
    }
}

// When the wrong-answer panel opens, the focus moves to its OK button (a
// screen reader then reads the correct answer); when it closes, back to the
// answer that opened it, where the child left off.
void Form1::afterPress()
{
    describeForScreenReaders();
    const bool open = (GetWindowLongPtrW(control("Frame5"), GWL_STYLE) & WS_VISIBLE) != 0;
    if (open != wrongPanelOpen_) {
        // The locked panels' buttons drop their hover look.
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    if (open && !wrongPanelOpen_) {
        SetFocus(control("chameleonButton2"));
        Accessibility::alert(control("Frame5"));
    } else if (!open && wrongPanelOpen_) {
        if (lastAnswer_ != nullptr && canTakeFocus(lastAnswer_)) {
            SetFocus(lastAnswer_);
        }
    }
    wrongPanelOpen_ = open;
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam != FALSE && !loaded_) {
            loaded_ = true;
            guarded("load", [&] { engine_->load(); });
            describeForScreenReaders();
            focusToRestore_ = control("command9");
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window_, focus) != FALSE) {
                focusToRestore_ = focus;
            }
        } else if (focusToRestore_ != nullptr && IsWindow(focusToRestore_) != FALSE) {
            SetFocus(focusToRestore_);
        }
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
            press(LOWORD(wParam));
        }
        return 0;
    case WM_TIMER:
        switch (wParam) {
        case 1:
            guarded("Timer1", [&] { engine_->tickTimer1(); });
            return 0;
        case 2:
            guarded("Timer2", [&] { engine_->tickTimer2(); });
            return 0;
        case 3:
            guarded("Timer3", [&] { engine_->tickTimer3(); });
            return 0;
        default:
            break;
        }
        break;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_COMBOBOX) {
            item->itemHeight = static_cast<UINT>(scaled(20, dpi_)); // until layout() measures the font
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (QuizList* list = listById(static_cast<int>(item->CtlID)); list != nullptr) {
            list->draw(*item);
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLORLISTBOX:
        for (const auto& [name, list] : lists_) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof(info);
            const auto target = reinterpret_cast<HWND>(lParam);
            if (target == list->hwnd() ||
                (GetComboBoxInfo(list->hwnd(), &info) != FALSE && info.hwndList == target)) {
                return reinterpret_cast<LRESULT>(list->listColours(reinterpret_cast<HDC>(wParam)));
            }
        }
        break;
    case WM_DPICHANGED: {
        layout(HIWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_GETMINMAXINFO: {
        // The window keeps its drawn size at every dpi, even on a screen
        // smaller than it, rather than cutting off the score panel.
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        const RECT outer =
            outerRect(design::pixels(design::clientWidth, dpi_), design::pixels(design::clientHeight, dpi_),
                      windowStyle, windowExStyle, dpi_);
        limits->ptMaxTrackSize.x = std::max(limits->ptMaxTrackSize.x, outer.right - outer.left + 16);
        limits->ptMaxTrackSize.y = std::max(limits->ptMaxTrackSize.y, outer.bottom - outer.top + 16);
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        for (UINT_PTR id = 1; id <= 3; ++id) {
            KillTimer(window_, id);
        }
        if (options_.quitOnClose) {
            PostQuitMessage(0);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace vorlen::win32
