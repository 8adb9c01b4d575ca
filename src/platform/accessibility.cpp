// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <utility>

namespace forms {

namespace {

constexpr char DecorativeProperty[] = "forms_decorative";
constexpr char InOrderProperty[] = "forms_readInOrder";

// The client area as assistive technology sees it, each text once.
class ClientAccessible : public QAccessibleWidget
{
public:
    explicit ClientAccessible(QWidget *client)
        : QAccessibleWidget(client, QAccessible::Client)
    {
    }

    int childCount() const override { return static_cast<int>(readable().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const auto controls = readable();
        if (index < 0 || index >= controls.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(controls.at(index));
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        return static_cast<int>(readable().indexOf(qobject_cast<QWidget *>(child->object())));
    }

private:
    QList<QWidget *> readable() const
    {
        QList<QWidget *> controls;
        for (QObject *object : widget()->children()) {
            auto *control = qobject_cast<QWidget *>(object);
            if (control && !control->isWindow() && !control->property(DecorativeProperty).toBool())
                controls << control;
        }
        std::stable_sort(controls.begin(), controls.end(), [](QWidget *a, QWidget *b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        return controls;
    }
};

QAccessibleInterface *clientAccessibleFactory(const QString &, QObject *object)
{
    if (object && object->isWidgetType() && object->property(InOrderProperty).toBool())
        return new ClientAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

QAccessible::UpdateHandler Announce = nullptr;

// The last focus change of the event being handled.
struct FocusChange {
    QPointer<QWidget> widget;
    int child = -1;
};

std::optional<FocusChange> Pending;

// A control must still have the focus; an entry of a menu or menu bar, its
// menu must still be open.
bool stillFocused(const FocusChange &change)
{
    if (!change.widget)
        return false;
    if (change.child >= 0)
        return change.widget->isVisible();
    return QApplication::focusWidget() == change.widget;
}

void filterFocus(QAccessibleEvent *event);

// On to whatever made the announcements before the filter: Qt's bridge to
// the accessibility bus unless another handler was installed.
void passOn(QAccessibleEvent *event)
{
    if (Announce) {
        Announce(event);
        return;
    }
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(filterFocus);
}

void announcePending()
{
    const std::optional<FocusChange> change = std::exchange(Pending, std::nullopt);
    if (!change || !stillFocused(*change))
        return;
    QAccessibleEvent event(change->widget, QAccessible::Focus);
    event.setChild(change->child);
    passOn(&event);
}

void filterFocus(QAccessibleEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(event->object());
    if (event->type() != QAccessible::Focus || !widget) {
        passOn(event);
        return;
    }
    if (!Pending)
        QMetaObject::invokeMethod(qApp, &announcePending, Qt::QueuedConnection);
    Pending = FocusChange{widget, event->child()};
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(clientAccessibleFactory);
    Announce = QAccessible::installUpdateHandler(filterFocus);
}

void readInOrder(QWidget *container)
{
    container->setProperty(InOrderProperty, true);
}

void hideFromAssistiveTechnology(QWidget *decoration)
{
    decoration->setProperty(DecorativeProperty, true);
}

} // namespace forms
