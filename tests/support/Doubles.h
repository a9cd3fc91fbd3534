// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Clock.h"
#include "runtime/PixelCanvas.h"
#include "runtime/Random.h"
#include "game/Ports.h"
#include "game/TraceLines.h"
#include "game/main/IntervalTimer.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

// A clock that reads what the test set.
class FakeClock final : public rt::Clock {
public:
    float now = 1000.0f;
    float secondsSinceMidnight() override { return now; }
};

// A generator that hands out the numbers the test queued, then `fallback`.
class ScriptedRandom final : public rt::RandomSource {
public:
    std::deque<float> queued;
    float fallback = 0.5f;
    std::vector<float> seeds;

    void reseed(float seed) override { seeds.push_back(seed); }
    float next() override;
};

// True when every pixel of the canvas is white.
bool allWhite(const rt::PixelCanvas& canvas);

class RecordingTimer final : public game::GameTimer {
public:
    bool enabled = false;
    int changes = 0;
    void setEnabled(bool on) override
    {
        enabled = on;
        ++changes;
    }
};

class RecordingDisplays final : public game::Displays {
public:
    std::map<game::Display, std::string> texts;
    bool timeScoring = false;

    void setText(game::Display box, const std::string& text) override { texts[box] = text; }
    std::string scoreText() const override;
    bool timeScoringSelected() const override { return timeScoring; }
};

class RecordingResult final : public game::ResultWindow {
public:
    std::string sentence;
    int redraws = 0;
    bool shown = false;
    std::vector<std::string> calls;

    void setSentence(const std::string& s) override
    {
        sentence = s;
        calls.push_back("sentence");
    }
    void redrawNow() override
    {
        ++redraws;
        calls.push_back("redraw");
    }
    void show() override
    {
        shown = true;
        calls.push_back("show");
    }
};

// Trace lines, into a log shared with other doubles.
class RecordingTrace final : public game::trace::Sink {
public:
    RecordingTrace(std::vector<std::string>& log, bool on)
        : game::trace::Sink(on, [&log](const std::string& line) { log.push_back(line); })
    {
    }
};

// Timer1's rules over a toolkit timer that only logs what it is told:
// "start 410", "stop".
class RecordingIntervalTimer final : public game::IntervalTimer {
public:
    RecordingIntervalTimer(int intervalMs, const game::trace::Sink& trace, std::vector<std::string>& log)
        : game::IntervalTimer(intervalMs, trace), log_(log)
    {
    }
    bool running = false;

private:
    void startTicks(int milliseconds) override
    {
        running = true;
        log_.push_back("start " + std::to_string(milliseconds));
    }
    void stopTicks() override
    {
        running = false;
        log_.push_back("stop");
    }
    bool ticking() const override { return running; }

    std::vector<std::string>& log_;
};

} // namespace testing_support
