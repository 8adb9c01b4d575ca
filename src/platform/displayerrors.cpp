// SPDX-License-Identifier: GPL-3.0-or-later
#include "displayerrors.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace forms {

namespace {

bool opening = false;
bool passThrough = false;
QtMessageHandler previousHandler = nullptr;

struct HeldMessage {
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> held;

QString captured(const QString &text, const char *pattern)
{
    const QRegularExpressionMatch match = QRegularExpression(QLatin1String(pattern)).match(text);
    return match.hasMatch() ? match.captured(1) : QString();
}

// What failed, from what Qt said on its way down.
QStringList failureReasons(const QString &fatal)
{
    QStringList reasons;
    // Qt 6.5 and later add a hint about libxcb-cursor whenever X11 fails,
    // also when the display was the trouble; it is the reason only when
    // there is no other.
    QStringList hints;
    for (const auto &message : held) {
        if (message.text.contains(QLatin1String("xcb-cursor0"))) {
            hints << message.text.trimmed();
            continue;
        }
        const QString plugin
            = captured(message.text, "Could not find the Qt platform plugin \"([^\"]*)\"");
        const QString display = captured(message.text, "could not connect to display ?(\\S*)");
        if (message.text.contains(QLatin1String("could not connect to display")))
            reasons << (display.isEmpty()
                            ? QStringLiteral("no X display is named (DISPLAY is not set)")
                            : QStringLiteral("cannot open the X display '%1'").arg(display));
        else if (!plugin.isEmpty())
            reasons << QStringLiteral("there is no Qt platform plugin named '%1'").arg(plugin);
        else if (message.text.contains(QLatin1String("wl_display"))
                 || message.text.contains(QLatin1String("wayland connection")))
            reasons << QStringLiteral("cannot connect to the Wayland display '%1'")
                           .arg(qEnvironmentVariable("WAYLAND_DISPLAY",
                                                     QStringLiteral("wayland-0")));
        else if (message.type != QtDebugMsg && message.type != QtInfoMsg
                 && !message.text.contains(QLatin1String("even though it was found")))
            reasons << message.text.trimmed();
    }
    // The plugins there are, where one asked for is not.
    if (const QString available = captured(fatal, "Available platform plugins are: ([^\\n]*)\\.");
        !available.isEmpty()
        && reasons.join(QLatin1Char('\n')).contains(QLatin1String("plugin named")))
        reasons << QStringLiteral("the Qt platform plugins here are: ") + available;
    if (reasons.isEmpty())
        reasons = hints;
    if (reasons.isEmpty())
        reasons << QStringLiteral("no display could be opened");
    return reasons;
}

void displayMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (opening && type == QtFatalMsg) {
        for (const QString &reason : failureReasons(text))
            std::fprintf(stderr, "numora: %s\n", qPrintable(reason));
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (opening && !passThrough) {
        held.push_back({type, text});
        return;
    }
    if (previousHandler)
        previousHandler(type, context, text);
}

} // namespace

void openingDisplay()
{
    passThrough = qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS")
                  || qEnvironmentVariableIsSet("QT_LOGGING_RULES");
    previousHandler = qInstallMessageHandler(displayMessageHandler);
    opening = true;
}

void displayOpened()
{
    opening = false;
    qInstallMessageHandler(previousHandler);
    for (const auto &message : held) {
        if (message.type != QtDebugMsg)
            qWarning("%s", qPrintable(message.text));
    }
    held.clear();
}

} // namespace forms
