// SPDX-License-Identifier: GPL-3.0-or-later
//
// Access keys on every keyboard layout: Alt with the key that carries a
// Latin letter presses the control marked with that letter, also where the
// active layout writes another script on that key.
#pragma once

#include <QObject>

namespace forms {

// Watches key presses application-wide. An Alt+key press that writes a
// letter of a non-Latin script, and a letter typed into an open menu, is
// given again as the Latin letter that the key carries in the US layout.
// Layouts that write Latin letters are left alone, so on AZERTY Alt+A is the
// key labelled A.
class LatinAccessKeys : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;
};

} // namespace forms
