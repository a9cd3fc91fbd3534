// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QTranslator>

#include <atomic>
#include <memory>
#include <mutex>

namespace app {

// The toolkit's own texts (its dialogs' buttons, the context menus of text
// boxes and sliders) in one language. The catalogue is read when the first
// such text is asked for, not at start-up: most runs show none, and reading
// it costs a start-up more than all of the main window's controls.
// Installed like any translator; the toolkit asks it for every text.
class ToolkitTranslator final : public QTranslator {
    Q_OBJECT
public:
    explicit ToolkitTranslator(const QLocale& locale, QObject* parent = nullptr);
    ~ToolkitTranslator() override;

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    // Unknown until the catalogue is read; not empty, so that installing it
    // tells the windows of a new language as an installed catalogue does.
    bool isEmpty() const override { return false; }
    bool catalogueRead() const { return read_; }

private:
    const QTranslator& catalogue() const;

    const QLocale locale_;
    mutable std::once_flag reading_;
    mutable std::unique_ptr<QTranslator> catalogue_;
    mutable std::atomic<bool> read_ = false;
};

} // namespace app
