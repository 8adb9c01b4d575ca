// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry.h"

#include "application.h"
#include "form.h"
#include "messagebox.h"
#include "placement.h"
#include "testing.h"

#include <QApplication>
#include <QHash>
#include <QLayout>
#include <QPointer>
#include <QTimer>

#include <cstdio>
#include <stdexcept>

namespace forms {

namespace {

// How long a window that another has replaced outlives its unloading.
constexpr int ReplacedLifetimeMs = 1000;

struct Registry {
    QHash<QString, Factory> factories;
    QHash<QString, QPointer<Form>> loaded;
    QPointer<Form> lastShown;
    bool ended = false;
    int status = 0;
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
        registry().lastShown = &form;
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
    // Deleted later, since the window may be running the handler that
    // unloads it; a window that the program has just replaced with another
    // lives a moment longer, as the window manager may still bring it a
    // close request that the user gave as it went (see Form::closeEvent).
    Form *successor = r.lastShown;
    if (successor != form && successor && find(successor->objectName()) == successor)
        form->m_replacedBy = successor;
    if (form->m_replacedBy)
        QTimer::singleShot(ReplacedLifetimeMs, form, &QObject::deleteLater);
    else
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
    r.loaded.clear();
    for (Form *form : existingForms()) {
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
    r.loaded.clear();
    qDeleteAll(existingForms());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    r.ended = false;
    r.status = 0;
}

} // namespace forms
