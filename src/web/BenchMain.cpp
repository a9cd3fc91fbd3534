// SPDX-License-Identifier: MIT
// The page with the benchmark's hook (make bench builds it beside the
// player's page): with "bench" in the query, window.ringtafelBench.tick(n)
// runs n whole ticks of a game and gives the median time of one in
// milliseconds.
#include "MainPage.h"

#include <emscripten/em_macros.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<web::MainPage> page;

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE double ringtafel_bench_tick(int n)
{
    if (!page)
        return 0.0;
    n = std::clamp(n, 1, 100000);
    game::Game& game = page->behaviour().game();
    std::vector<double> times;
    times.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        game.start();   // each timed tick places and paints the first target of a game; none ends it
        const double before = emscripten_get_now();
        game.tick();
        page->field().present();
        times.push_back(emscripten_get_now() - before);
    }
    std::sort(times.begin(), times.end());
    return times[std::size_t(n / 2)];
}

int main()
{
    page = std::make_unique<web::MainPage>();
    using web::val;
    const val query = val::global("URLSearchParams").new_(val::global("location")["search"]);
    if (query.call<bool>("has", "bench")) {
        const val bench = val::object();
        bench.set("tick", val::global("Module")["_ringtafel_bench_tick"]);
        val::global("window").set("ringtafelBench", bench);
    }
    return 0;
}
