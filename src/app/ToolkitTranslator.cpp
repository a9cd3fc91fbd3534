// SPDX-License-Identifier: MIT
#include "ToolkitTranslator.h"

#include <QLibraryInfo>

#include <cstring>

namespace app {

namespace {

// Every installed translator is asked at once which way the language is
// written; the locale knows, without the catalogue.
bool asksForWritingDirection(const char* context, const char* sourceText)
{
    return context != nullptr && sourceText != nullptr && std::strcmp(context, "QGuiApplication") == 0
           && std::strcmp(sourceText, "QT_LAYOUT_DIRECTION") == 0;
}

} // namespace

ToolkitTranslator::ToolkitTranslator(const QLocale& locale, QObject* parent) : QTranslator(parent), locale_(locale) {}

ToolkitTranslator::~ToolkitTranslator() = default;

QString ToolkitTranslator::translate(const char* context, const char* sourceText, const char* disambiguation,
                                     int n) const
{
    if (asksForWritingDirection(context, sourceText))
        return locale_.textDirection() == Qt::RightToLeft ? QStringLiteral("RTL") : QStringLiteral("LTR");
    return catalogue().translate(context, sourceText, disambiguation, n);
}

const QTranslator& ToolkitTranslator::catalogue() const
{
    // The toolkit may ask from any thread.
    std::call_once(reading_, [this] {
        auto catalogue = std::make_unique<QTranslator>();
        if (!catalogue->load(locale_, QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            catalogue = std::make_unique<QTranslator>();   // none installed: the toolkit's English
        catalogue_ = std::move(catalogue);
        read_ = true;
    });
    return *catalogue_;
}

} // namespace app
