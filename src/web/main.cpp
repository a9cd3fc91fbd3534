// SPDX-License-Identifier: MIT
#include "MainPage.h"

#include <emscripten/bind.h>

#include <memory>

namespace {

std::unique_ptr<web::MainPage> page;

double benchTick(int n) { return page ? page->medianTickMilliseconds(n) : 0.0; }

} // namespace

EMSCRIPTEN_BINDINGS(ringtafel_bench)
{
    emscripten::function("ringtafelBenchTick", &benchTick);
}

int main()
{
    page = std::make_unique<web::MainPage>();
    // With "bench" in the query the page lets a benchmark run ticks.
    const emscripten::val query =
        emscripten::val::global("URLSearchParams").new_(emscripten::val::global("location")["search"]);
    if (query.call<bool>("has", std::string("bench"))) {
        emscripten::val bench = emscripten::val::object();
        bench.set("tick", emscripten::val::module_property("ringtafelBenchTick"));
        emscripten::val::global("window").set("ringtafelBench", bench);
    }
    return 0;
}
