// SPDX-License-Identifier: MIT
#pragma once

#include "ProgramFixture.h"

#include <QObject>

#include <memory>

namespace testing_support {

// A Qt Test case whose every test function starts with a freshly started
// program and ends by tearing it down.
class ProgramTestCase : public QObject {
    Q_OBJECT
protected slots:
    void init() { fixture = std::make_unique<ProgramFixture>(); }
    void cleanup() { fixture.reset(); }

protected:
    std::unique_ptr<ProgramFixture> fixture;
};

} // namespace testing_support
