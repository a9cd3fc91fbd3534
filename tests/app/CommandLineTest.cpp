// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Case {
    std::vector<const char*> arguments;   // after the program name
    app::Request request;
    const char* complaint;                // the line when refused, else ""
};

const Case Cases[] = {
    {{}, app::Request::Play, ""},
    {{"--help"}, app::Request::Help, ""},
    {{"-h"}, app::Request::Help, ""},
    {{"--version"}, app::Request::Version, ""},
    {{"-platform", "offscreen", "--version"}, app::Request::Version, ""},
    {{"-platform", "xcb", "-style", "Fusion", "-reverse", "-qwindowgeometry", "640x480+0+0"}, app::Request::Play, ""},
    {{"--platform", "xcb", "-style=Fusion", "--stylesheet=a.qss", "-display", ":1", "-geometry", "+0+0"},
     app::Request::Play, ""},
    {{"-platform", "--help"}, app::Request::Play, ""},   // a value, as the toolkit takes it
    {{"--"}, app::Request::Play, ""},
    {{"--foo"}, app::Request::Refuse, "ringtafel: unbekannte Option \u201E--foo\u201C (ringtafel --help zeigt die Optionen)"},
    {{"--foo", "--help"}, app::Request::Refuse, "ringtafel: unbekannte Option \u201E--foo\u201C (ringtafel --help zeigt die Optionen)"},
    {{"-platform=xcb"}, app::Request::Refuse,
     "ringtafel: unbekannte Option \u201E-platform=xcb\u201C (ringtafel --help zeigt die Optionen)"},
    {{"-reverse=1"}, app::Request::Refuse,
     "ringtafel: unbekannte Option \u201E-reverse=1\u201C (ringtafel --help zeigt die Optionen)"},
    {{"-plat"}, app::Request::Refuse, "ringtafel: unbekannte Option \u201E-plat\u201C (ringtafel --help zeigt die Optionen)"},
    {{"---platform", "xcb"}, app::Request::Refuse,
     "ringtafel: unbekannte Option \u201E---platform\u201C (ringtafel --help zeigt die Optionen)"},
    {{"-v"}, app::Request::Refuse, "ringtafel: unbekannte Option \u201E-v\u201C (ringtafel --help zeigt die Optionen)"},
    {{"-reverse", "-style"}, app::Request::Refuse,
     "ringtafel: ein Wert fehlt nach der Option \u201E-style\u201C (ringtafel --help zeigt die Optionen)"},
    {{"spiel.txt"}, app::Request::Refuse,
     "ringtafel: unerwartetes Argument \u201Espiel.txt\u201C (ringtafel --help zeigt die Optionen)"},
    {{"-"}, app::Request::Refuse, "ringtafel: unerwartetes Argument \u201E-\u201C (ringtafel --help zeigt die Optionen)"},
    {{"--", "--help"}, app::Request::Refuse,
     "ringtafel: unerwartetes Argument \u201E--help\u201C (ringtafel --help zeigt die Optionen)"},
};

TEST(CommandLine, EachArgumentListGetsItsRequestAndComplaint)
{
    for (const Case& c : Cases) {
        const app::CommandLineReading reading = app::readCommandLine(c.arguments);
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments.front());
        EXPECT_EQ(reading.request, c.request);
        EXPECT_EQ(reading.complaint, c.complaint);
    }
}

TEST(CommandLine, OnlyARefusalEndsWithAnErrorCode)
{
    EXPECT_EQ(app::exitCodeOf(app::Request::Play), 0);
    EXPECT_EQ(app::exitCodeOf(app::Request::Help), 0);
    EXPECT_EQ(app::exitCodeOf(app::Request::Version), 0);
    EXPECT_EQ(app::exitCodeOf(app::Request::Refuse), 2);
}

// The answer goes to the right stream, and one that cannot be written is an error.
TEST(CommandLine, AnswersOnItsStreamsAndReportsAFailedWrite)
{
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_NE(out, nullptr);
    ASSERT_NE(err, nullptr);
    const char* play[] = {"ringtafel", "-reverse"};
    const char* refused[] = {"ringtafel", "--foo"};
    EXPECT_EQ(app::answerCommandLine(2, play, out, err), std::nullopt);
    EXPECT_EQ(app::answerCommandLine(2, refused, out, err), 2);
    EXPECT_EQ(std::ftell(out), 0);
    EXPECT_GT(std::ftell(err), 0);

    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    const char* help[] = {"ringtafel", "--help"};
    EXPECT_EQ(app::answerCommandLine(2, help, full, err), 1);
    std::fclose(full);
    std::fclose(out);
    std::fclose(err);
}

} // namespace
