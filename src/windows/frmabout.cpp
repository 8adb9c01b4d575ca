// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmabout.h"

#include "flow/flow.h"
#include "platform/controls.h"
#include "platform/fonts.h"
#include "windows/abouttexts.h"
#include "windows/colours.h"

#include <QLabel>
#include <QPushButton>

namespace {
QLabel *boxedLabel(QWidget *client, const QString &name, const QString &text, const QRect &box)
{
    QLabel *label
        = forms::addLabel(client, name, text, box, forms::font(QStringLiteral("MS Sans Serif"), 18),
                          colours::Navy, Qt::AlignHCenter);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    return label;
}
} // namespace

frmabout::frmabout()
    : forms::Form(QLatin1String(flow::AboutWindow), forms::Frame::FixedTool)
{
    setWindowTitle(tr(Title));
    setBackground(colours::Background);
    setClientSize(ClientWidth, ClientHeight);
    QWidget *client = clientArea();

    //: The button that closes the About window; it has no access key.
    Command1
        = forms::addButton(client, QStringLiteral("Command1"), tr("Ok"), {3480, 3840, 855, 495});
    Command1->setFont(forms::font(QStringLiteral("MS Sans Serif"), 12, true));
    Label3 = boxedLabel(client, QStringLiteral("Label3"),
                        //: Followed by the e-mail address.
                        tr("E-Mail: ") + QString::fromUtf8(about::Email), {120, 2760, 4695, 975});
    Label2 = boxedLabel(client, QStringLiteral("Label2"),
                        //: Followed by the address of the web page.
                        tr("For more information: ") + QString::fromUtf8(about::Web),
                        {120, 1200, 4695, 1455});
    Label1 = boxedLabel(client, QStringLiteral("Label1"), QString::fromUtf8(about::Credit),
                        {75, 120, 4740, 1005});
    // The credit keeps its width and takes the height its wrapped lines need.
    Label1->setFixedHeight(Label1->heightForWidth(Label1->width()));
    forms::stack({Command1, Label3, Label2, Label1});
    forms::setTabOrder({Command1});
    // All three texts are read as the window opens: readers pass over a
    // label of fewer than three words then, so the e-mail line is read with
    // one word more than it shows.
    //: What a screen reader says before the e-mail address: three words or
    //: more with it, or the reader passes it over.
    Label3->setAccessibleName(tr("E-Mail address: ") + QString::fromUtf8(about::Email));

    bind(Command1, &QPushButton::clicked, &frmabout::Command1_Click);
}

void frmabout::Form_Load()
{
    flow::aboutLoad(*this);
}

void frmabout::Form_Unload()
{
    flow::aboutUnload();
}

void frmabout::Command1_Click()
{
    flow::closeAbout();
}
