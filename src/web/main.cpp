// SPDX-License-Identifier: MIT
#include "MainPage.h"

#include <memory>

namespace {

std::unique_ptr<web::MainPage> page;   // lives as long as the page is open

} // namespace

int main()
{
    page = std::make_unique<web::MainPage>();
    return 0;
}
