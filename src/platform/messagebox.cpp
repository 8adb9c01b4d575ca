// SPDX-License-Identifier: GPL-3.0-or-later
#include "messagebox.h"

#include "placement.h"
#include "screen.h"
#include "style.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace forms {

namespace {

// A message box centred on the primary screen, as the windows are, rather
// than on whichever screen holds the mouse.
class MessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        // The box has its final size only now, just before it is mapped.
        QMessageBox::showEvent(event);
        if (!m_placed) {
            m_placed = true;
            keepPlaced(this, [this] { centreOnScreen(); });
        }
    }

private:
    void centreOnScreen()
    {
        const QRect screen = screenGeometry();
        const QPointF corner = centredCorner(outerSize(this), screen.size());
        moveFrameTo(this, screen.topLeft() + QPoint(int(corner.x()), int(corner.y())));
    }

    bool m_placed = false;
};

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const QString &prompt, const QString &title)
{
    auto box
        = std::make_unique<MessageBox>(QMessageBox::Information, title, prompt, QMessageBox::Ok);
    // Texts are the program's own or the deployer's; never interpret them.
    box->setTextFormat(Qt::PlainText);
    box->setWindowIcon(programIcon());
    return box;
}

void runMessageBox(const QString &prompt, const QString &title)
{
    const auto box = makeMessageBox(prompt, title);
    QMessageBox *shown = box.get();
    QObject::connect(shown, &QMessageBox::buttonClicked, shown, [shown] { rememberFrame(shown); });
    box->exec();
}

} // namespace forms
