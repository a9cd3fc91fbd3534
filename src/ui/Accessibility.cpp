// SPDX-License-Identifier: MIT
#include "Accessibility.h"

#include "ui/explain/Form3.h"
#include "ui/main/Form1.h"
#include "ui/main/TargetFieldView.h"
#include "ui/result/Form2.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

namespace ui {

namespace {

// The result window describes itself by the sentence it shows, read from its
// label whenever asked, so the two never differ.
class ResultWindowAccessible final : public QAccessibleWidget {
public:
    explicit ResultWindowAccessible(Form2* window) : QAccessibleWidget(window, QAccessible::Dialog) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description && sentence() != nullptr)
            return sentence()->text();
        return QAccessibleWidget::text(kind);
    }

private:
    // The interface may be created while the window is still being built,
    // before its label exists; once found, the label is followed by a guarded
    // pointer, which the window's teardown clears.
    const QLabel* sentence() const
    {
        if (!labelFound_) {
            sentence_ = static_cast<const Form2*>(widget())->Label1;
            labelFound_ = sentence_ != nullptr;
        }
        return sentence_.data();
    }

    mutable QPointer<const QLabel> sentence_;
    mutable bool labelFound_ = false;
};

QAccessibleInterface* interfaceFor(const QString& /*className*/, QObject* object)
{
    if (auto* window = qobject_cast<Form1*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* window = qobject_cast<Form2*>(object))
        return new ResultWindowAccessible(window);
    if (auto* window = qobject_cast<Form3*>(object))
        return new QAccessibleWidget(window, QAccessible::Dialog);
    if (auto* field = qobject_cast<TargetFieldView*>(object))
        return new QAccessibleWidget(field, QAccessible::Canvas);
    return nullptr;
}

} // namespace

void installAccessibility() { QAccessible::installFactory(interfaceFor); }

void resultSentenceChanged(Form2& window)
{
    QAccessibleEvent event(&window, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace ui
