// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

#include <algorithm>

namespace forms {

namespace {

const char *ClientClass = "";

constexpr char DecorativeProperty[] = "forms_decorative";

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

QAccessibleInterface *clientAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(ClientClass) && object && object->isWidgetType())
        return new ClientAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void readClientAreasInOrder(const char *className)
{
    static const bool installed = [className] {
        ClientClass = className;
        QAccessible::installFactory(clientAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void hideFromAssistiveTechnology(QWidget *decoration)
{
    decoration->setProperty(DecorativeProperty, true);
}

} // namespace forms
