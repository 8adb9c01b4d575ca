// SPDX-License-Identifier: GPL-3.0-or-later
#include "language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace forms {

namespace {

bool install(const QLocale &locale, const QString &catalogue, QString *language = nullptr)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(locale, catalogue, QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        delete translator;
        return false;
    }
    // (English has an empty catalogue, which Qt installs but reports as not
    // installed.)
    QCoreApplication::installTranslator(translator);
    if (language)
        *language = translator->language();
    return true;
}

} // namespace

void useUsersLanguage()
{
    QString language;
    if (!install(QLocale::system(), QStringLiteral("numora"), &language))
        return;
    // Qt's texts in the same language, not in the next one the user lists:
    // its catalogue also gives the direction of writing (right to left for
    // Hebrew), which Qt takes from it as it is installed.
    install(QLocale(language), QStringLiteral("qtbase"));
}

} // namespace forms
