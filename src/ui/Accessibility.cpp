#include "Accessibility.h"

#include "ui/explain/Form3.h"
#include "ui/main/Form1.h"
#include "ui/main/TargetFieldView.h"
#include "ui/result/Form2.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace ui {

namespace {

// The result window describes itself by the sentence it shows, read from its
// label whenever asked, so the two never differ.
class ResultWindowAccessible final : public QAccessibleWidget {
public:
    explicit ResultWindowAccessible(Form2* window) : QAccessibleWidget(window, QAccessible::Dialog) {}

    QString text(QAccessible::Text kind) const override
    {
        const QLabel* sentence = static_cast<const Form2*>(widget())->Label1;
        if (kind == QAccessible::Description && sentence != nullptr)
            return sentence->text();
        return QAccessibleWidget::text(kind);
    }
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
