// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry.h"

#include "application.h"
#include "form.h"
#include "placement.h"

#include <QApplication>
#include <QHash>
#include <QLayout>
#include <QPointer>
#include <QTimer>

#include <stdexcept>

namespace forms {

namespace {

// How long a window that another has replaced outlives its unloading.
constexpr int ReplacedLifetimeMs = 1000;

struct Registry {
    QHash<QString, Factory> factories;
    QHash<QString, QPointer<Form>> loaded;
    QPointer<Form> lastShown;
};

Registry &registry()
{
    static Registry r;
    return r;
}

// Every window that still exists, loaded or not yet deleted.
QList<Form *> existingForms()
{
    QList<Form *> forms;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *form = qobject_cast<Form *>(window))
            forms << form;
    }
    return forms;
}

} // namespace

void registerForm(const QString &name, Factory factory)
{
    registry().factories.insert(name, std::move(factory));
}

Form *find(const QString &name)
{
    return hasEnded() ? nullptr : registry().loaded.value(name).data();
}

Form &load(const QString &name)
{
    if (Form *form = find(name))
        return *form;
    auto &r = registry();
    const auto factory = r.factories.constFind(name);
    if (factory == r.factories.constEnd())
        throw std::logic_error("no window named " + name.toStdString());
    for (const auto &other : std::as_const(r.loaded)) {
        if (other)
            rememberFrame(other);
    }
    Form *form = (*factory)().release();
    r.loaded.insert(name, form);
    QObject::connect(form, &Form::closeRequested, form, [form, name] {
        if (find(name) == form)
            unload(name);
    });
    form->ensurePolished();
    form->layout()->activate();
    form->Form_Load();
    return *form;
}

void show(const QString &name)
{
    if (hasEnded())
        return;
    Form &form = load(name);
    if (!form.isUnloading() && !hasEnded()) {
        form.show();
        // A window shown by the program takes the keyboard: the window that
        // showed it is going away or is about to be disabled.
        form.raise();
        form.activateWindow();
        registry().lastShown = &form;
    }
}

void unload(const QString &name)
{
    Form *form = find(name);
    if (!form || form->isUnloading())
        return;
    form->setUnloading();
    form->Form_Unload();
    auto &r = registry();
    r.loaded.remove(name);
    form->hide();
    // Deleted later, since the window may be running the handler that
    // unloads it; a window that the program has just replaced with another
    // lives a moment longer, as the window manager may still bring it a
    // close request that the user gave as it went (Alt+F4 just after Next):
    // that close is meant for the window in its place.
    Form *successor = r.lastShown;
    if (successor != form && successor && find(successor->objectName()) == successor) {
        QObject::connect(form, &Form::closeRequested, successor, &QWidget::close);
        QTimer::singleShot(ReplacedLifetimeMs, form, &QObject::deleteLater);
    } else {
        form->deleteLater();
    }
    if (r.loaded.isEmpty())
        endProgram();
}

int loadedCount()
{
    return hasEnded() ? 0 : static_cast<int>(registry().loaded.size());
}

void restart()
{
    auto &r = registry();
    r.loaded.clear();
    qDeleteAll(existingForms());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    clearEnd();
}

} // namespace forms
