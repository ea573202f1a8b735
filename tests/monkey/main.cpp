// The monkey test's entry: one headless application and the stream of random
// events on the real window. VORLEN_MONKEY_SEED and VORLEN_MONKEY_EVENTS
// choose the stream; a failure prints both values that replay it.
#include "monkey.h"
#include "window/fonts.h"

#include <QApplication>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>

namespace {

constexpr std::uint64_t defaultSeed = 20240601;
constexpr long defaultEvents = 200000;

// The offscreen platform says on every opened list that it cannot raise a
// window or grab the keyboard; a screen would not need either. Everything
// else Qt says is passed on.
QtMessageHandler passOn = nullptr;

void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("This plugin does not support raise()") ||
        message == QLatin1String("This plugin does not support grabbing the keyboard")) {
        return;
    }
    passOn(type, context, message);
}

std::optional<std::uint64_t> fromEnvironment(const char* name, std::uint64_t fallback)
{
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || *text == '-') {
        std::fprintf(stderr, "monkey: %s must be a whole number, not \"%s\"\n", name, text);
        return std::nullopt;
    }
    return value;
}

} // namespace

int main(int argc, char* argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    const auto seed = fromEnvironment("VORLEN_MONKEY_SEED", defaultSeed);
    const auto events = fromEnvironment("VORLEN_MONKEY_EVENTS", defaultEvents);
    if (!seed || !events || *events > 100000000) {
        return 2;
    }
    passOn = qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    vorlen::installFontSubstitutes();
    try {
        const bool held = vorlen::monkey::run({*seed, static_cast<long>(*events)});
        return held ? EXIT_SUCCESS : EXIT_FAILURE;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "monkey: FAILED: %s\n", failure.what());
        return EXIT_FAILURE;
    }
}
