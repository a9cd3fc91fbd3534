// SPDX-License-Identifier: MIT
#include "Accessibility.h"

#include "ui/explain/Form3.h"
#include "ui/main/Form1.h"
#include "ui/main/TargetFieldView.h"
#include "ui/result/Form2.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>

namespace ui {

namespace {

// A notification that exists for assistive technology only: no widget, so
// nothing on the screen. Showing it has a screen reader speak its text
// whatever has the focus. A screen reader drops change events (name, description) of
// any object but the focused one, and with this toolkit version such events
// carry no text anyway; a notification being shown it always speaks.
class Notice final : public QObject {
    Q_OBJECT
public:
    explicit Notice(QWidget& owner) : QObject(&owner) { setObjectName(QStringLiteral("announcement")); }

    QString text;
};

class NoticeAccessible final : public QAccessibleObject {
public:
    explicit NoticeAccessible(Notice* notice) : QAccessibleObject(notice) {}

    // Under the application, not the window: a screen reader speaks a
    // notification with the windows around it, which would repeat a dialog.
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(qApp); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? notice().text : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    Notice& notice() const { return *static_cast<Notice*>(object()); }
};

QAccessibleInterface* interfaceFor(const QString& /*className*/, QObject* object)
{
    if (auto* window = qobject_cast<Form1*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* window = qobject_cast<Form2*>(object))
        return new QAccessibleWidget(window, QAccessible::Dialog);
    if (auto* window = qobject_cast<Form3*>(object))
        return new QAccessibleWidget(window, QAccessible::Dialog);
    if (auto* notice = qobject_cast<Notice*>(object))
        return new NoticeAccessible(notice);
    if (auto* field = qobject_cast<TargetFieldView*>(object))
        return new QAccessibleWidget(field, QAccessible::Canvas);
    return nullptr;
}

} // namespace

void installAccessibility() { QAccessible::installFactory(interfaceFor); }

void announce(QWidget& owner, const QString& text)
{
    auto* notice = owner.findChild<Notice*>(QString(), Qt::FindDirectChildrenOnly);
    if (notice == nullptr)
        notice = new Notice(owner);   // owned by the widget
    notice->text = text;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Newer screen readers read no text from a notification of an object
    // without a widget, but speak an announcement; from the focused control
    // it passes their filter of events from elsewhere.
    QWidget* focused = owner.window()->focusWidget();
    QAccessibleAnnouncementEvent event(focused != nullptr ? static_cast<QObject*>(focused) : &owner, text);
#else
    QAccessibleEvent event(notice, QAccessible::ObjectShow);
#endif
    QAccessible::updateAccessibility(&event);
}

void resultSentenceChanged(Form2& window)
{
    // A window that is not active is about to come to the front, and its
    // activation speaks the sentence with the window's other labels.
    if (window.isActiveWindow())
        announce(window, window.Label1->text());
}

} // namespace ui

#include "Accessibility.moc"
