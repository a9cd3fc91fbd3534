// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include "app/Version.h"

#include <string_view>

namespace app {

namespace {

enum class Takes { Nothing, NextArgument, NextOrAttached };

struct ToolkitOption {
    std::string_view name;   // without dashes; the toolkit accepts one or two
    Takes value;
};

// The options the toolkit documents for its applications, its widgets and
// its X11 platform. A value goes in the next argument, or for three of them
// also after "=" ("-style=Fusion").
constexpr ToolkitOption ToolkitOptions[] = {
    {"platform", Takes::NextArgument},        {"platformpluginpath", Takes::NextArgument},
    {"platformtheme", Takes::NextArgument},   {"plugin", Takes::NextArgument},
    {"qwindowgeometry", Takes::NextArgument}, {"qwindowicon", Takes::NextArgument},
    {"qwindowtitle", Takes::NextArgument},    {"session", Takes::NextArgument},
    {"display", Takes::NextArgument},         {"geometry", Takes::NextArgument},
    {"title", Takes::NextArgument},           {"icon", Takes::NextArgument},
    {"name", Takes::NextArgument},            {"visual", Takes::NextArgument},
    {"style", Takes::NextOrAttached},         {"stylesheet", Takes::NextOrAttached},
    {"qmljsdebugger", Takes::NextOrAttached}, {"reverse", Takes::Nothing},
    {"widgetcount", Takes::Nothing},          {"testability", Takes::Nothing},
    {"nograb", Takes::Nothing},               {"dograb", Takes::Nothing},
    {"sync", Takes::Nothing},
};

const ToolkitOption* toolkitOption(std::string_view name)
{
    for (const ToolkitOption& option : ToolkitOptions) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

CommandLineReading refusal(std::string_view what, std::string_view argument)
{
    std::string line = "ringtafel: ";
    line.append(what).append(" \u201E").append(argument).append("\u201C (ringtafel --help zeigt die Optionen)");
    return {Request::Refuse, std::move(line)};
}

} // namespace

CommandLineReading readCommandLine(std::span<const char* const> arguments)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i] != nullptr ? arguments[i] : "";
        if (argument == "-h" || argument == "--help")
            return {Request::Help, {}};
        if (argument == "--version")
            return {Request::Version, {}};
        if (argument == "--") {   // the end of the options; the game takes no others
            if (i + 1 < arguments.size())
                return refusal("unerwartetes Argument", arguments[i + 1] != nullptr ? arguments[i + 1] : "");
            break;
        }
        if (argument.size() < 2 || argument.front() != '-')
            return refusal("unerwartetes Argument", argument);

        std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
        const std::size_t equals = name.find('=');
        const bool attached = equals != std::string_view::npos;
        if (attached)
            name = name.substr(0, equals);
        const ToolkitOption* option = toolkitOption(name);
        if (option == nullptr || (attached && option->value != Takes::NextOrAttached))
            return refusal("unbekannte Option", argument);
        if (option->value != Takes::Nothing && !attached) {
            if (i + 1 == arguments.size())
                return refusal("ein Wert fehlt nach der Option", argument);
            ++i;
        }
    }
    return {Request::Play, {}};
}

int exitCodeOf(Request request)
{
    return request == Request::Refuse ? 2 : 0;
}

std::string helpText()
{
    return "Aufruf: ringtafel [OPTION]...\n"
           "Ringtafel, ein Ziel- und Reaktionsspiel: Klicken Sie die Ringscheiben so nahe\n"
           "an ihrer Mitte an, wie Sie k\u00F6nnen. Ohne Optionen beginnt das Spiel.\n"
           "\n"
           "  -h, --help       diese Hilfe anzeigen und beenden\n"
           "      --version    die Version anzeigen und beenden\n"
           "\n"
           "Dazu versteht ringtafel die Optionen von Qt, zum Beispiel:\n"
           "  -platform NAME   die Fensterplattform (xcb, wayland, offscreen)\n"
           "  -display ANZEIGE der X-Server, zu dem die Fenster gehen\n"
           "\n"
           "Mehr in der Handbuchseite ringtafel(6).\n";
}

std::string versionText()
{
    std::string text = "ringtafel ";
    text.append(ProgramVersion).append("\n");
    return text;
}

std::optional<int> answerCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err)
{
    const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
    const CommandLineReading reading = readCommandLine(arguments.empty() ? arguments : arguments.subspan(1));
    std::string text;
    std::FILE* stream = out;
    switch (reading.request) {
    case Request::Play:
        return std::nullopt;
    case Request::Help:
        text = helpText();
        break;
    case Request::Version:
        text = versionText();
        break;
    case Request::Refuse:
        text = reading.complaint + "\n";
        stream = err;
        break;
    }
    // A full disk or a closed pipe must not pass for a shown answer.
    if (std::fputs(text.c_str(), stream) < 0 || std::fflush(stream) != 0) {
        std::fputs("ringtafel: Die Ausgabe lie\u00DF sich nicht schreiben.\n", err);
        return 1;
    }
    return exitCodeOf(reading.request);
}

} // namespace app
