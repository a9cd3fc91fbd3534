# SPDX-License-Identifier: MIT
# The toolkit-free suites and their sources, a file for each class they
# cover, relative to tests/: built natively (tests/CMakeLists.txt) and for
# node (tests/wasm).
set(RINGTAFEL_RULE_SUITES runtime_operations_test ring_painter_test game_rules_test main_window_behaviour_test
    command_line_test)
set(RINGTAFEL_SUITE_runtime_operations_test runtime/ClockTest.cpp runtime/ColorsTest.cpp runtime/NumbersTest.cpp
    runtime/PixelCanvasTest.cpp runtime/RandomTest.cpp runtime/RuntimeErrorTest.cpp runtime/VariantTest.cpp)
set(RINGTAFEL_SUITE_ring_painter_test game/RingPainterTest.cpp)
set(RINGTAFEL_SUITE_game_rules_test game/GameRulesTest.cpp)
set(RINGTAFEL_SUITE_main_window_behaviour_test game/FieldGeometryTest.cpp game/HandlerFrameTest.cpp
    game/IntervalTimerTest.cpp game/MainWindowBehaviourTest.cpp game/TickTimelineTest.cpp)
set(RINGTAFEL_SUITE_command_line_test app/CommandLineTest.cpp)
