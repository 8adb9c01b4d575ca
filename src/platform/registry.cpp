// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry.h"

#include "application.h"
#include "form.h"
#include "messagebox.h"
#include "placement.h"
#include "testing.h"

#include <QCoreApplication>
#include <QHash>
#include <QLayout>
#include <QPointer>

#include <cstdio>
#include <stdexcept>

namespace forms {

namespace {

struct Registry {
    QHash<QString, Factory> factories;
    QHash<QString, QPointer<Form>> loaded;
    bool ended = false;
    int status = 0;
};

Registry &registry()
{
    static Registry r;
    return r;
}

} // namespace

void registerForm(const QString &name, Factory factory)
{
    registry().factories.insert(name, std::move(factory));
}

Form *find(const QString &name)
{
    return registry().loaded.value(name).data();
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
    }
}

void unload(const QString &name)
{
    Form *form = find(name);
    if (!form || form->m_unloading)
        return;
    form->m_unloading = true;
    form->Form_Unload();
    auto &r = registry();
    r.loaded.remove(name);
    form->hide();
    // Deleted later: the window may be running the handler that unloads it.
    form->deleteLater();
    if (r.loaded.isEmpty())
        endProgram();
}

int loadedCount()
{
    return static_cast<int>(registry().loaded.size());
}

void endProgram(int status)
{
    auto &r = registry();
    if (r.ended)
        return;
    r.ended = true;
    r.status = status;
    const auto loaded = r.loaded;
    r.loaded.clear();
    for (const auto &form : loaded) {
        if (!form)
            continue;
        form->m_unloading = true;
        form->hide();
        form->deleteLater();
    }
    if (host().end)
        host().end(status);
    else
        QCoreApplication::exit(status);
}

bool hasEnded()
{
    return registry().ended;
}

int exitStatus()
{
    return registry().status;
}

void fail(const QString &what)
{
    static bool failing = false;
    std::fprintf(stderr, "numora: %s\n", qPrintable(what));
    std::fflush(stderr);
    // One box, even if showing it brings up another error.
    if (!failing) {
        failing = true;
        messageBox(QStringLiteral("Numora has to stop because of an error:\n") + what,
                   QStringLiteral("Numora - Error"));
        failing = false;
    }
    endProgram(FailureStatus);
}

void setHost(Host replacement)
{
    host() = std::move(replacement);
}

void restart()
{
    auto &r = registry();
    const auto loaded = r.loaded;
    r.loaded.clear();
    for (const auto &form : loaded)
        delete form.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    r.ended = false;
    r.status = 0;
}

} // namespace forms
