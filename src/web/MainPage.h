// SPDX-License-Identifier: MIT
#pragma once

#include "Controls.h"
#include "DisplayBoxes.h"
#include "Dom.h"
#include "FieldCanvas.h"
#include "PageClock.h"
#include "PageTimer.h"
#include "PaceSlider.h"
#include "PageWindow.h"

#include "runtime/Random.h"
#include "runtime/RuntimeError.h"
#include "game/main/HandlerFrame.h"
#include "game/main/MainWindowBehaviour.h"

#include <memory>

namespace web {

// The main window as the page: the target field, the commands, the score
// box and the pace slider, with the result and explanation windows inside
// the page. Its controls' events run the main window's behaviour, which owns
// the game and its state for the life of the page.
class MainPage final : private game::RuntimeErrorReport {
public:
    MainPage();
    ~MainPage();
    MainPage(const MainPage&) = delete;
    MainPage& operator=(const MainPage&) = delete;

    // The behaviour and the field, for the benchmark's variant of the page.
    game::MainWindowBehaviour& behaviour() { return *behaviour_; }
    FieldCanvas& field() { return *Picture1; }

private:
    class Ports;

    void createControls();
    void connectHandlers();
    void pressed(const Press& press);
    // The design layout where the view holds the design window, else the
    // narrow one; keeps the field's corner on a screen pixel's corner.
    void layOut();
    void placeAsDesigned();
    void watchPixelRatio();
    // Runs a handler unless the page has ended; a run-time error it raises is
    // reported, and what it drew reaches the screen.
    void handle(Callback<void()> handler);
    void reportRuntimeError(const rt::RuntimeError& error) override;
    void loadForm2();
    void end();

    val body_;
    val desk_;
    val client_;
    double pageScale_ = 1.0;
    // The controls but the field and the slider, by their names.
    ControlSet controls_;
    std::unique_ptr<DisplayBoxes> displays_;   // Text1 to Text6 of controls_
    bool timeScoring_ = false;                 // Option4 selected
    std::unique_ptr<FieldCanvas> Picture1;
    std::unique_ptr<PaceSlider> HScroll1;
    PageTimer Timer1;
    PageWindow Form2;
    PageWindow Form3;
    bool form2Loaded_ = false;
    bool ended_ = false;

    PageClock clock_;
    rt::RandomGenerator random_;
    std::unique_ptr<Ports> ports_;
    std::unique_ptr<game::MainWindowBehaviour> behaviour_;
};

} // namespace web
