// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms.h"

#include "resources.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace forms {

namespace {

struct Registry {
    QHash<QString, Factory> factories;
    QHash<QString, QPointer<Form>> loaded;
    Host host;
    bool ended = false;
    // The window manager's frame is known only once a window is on screen,
    // but windows are placed before that. Frames of the same kind look the
    // same, so the last one seen stands in for the one to come.
    QMargins frame;
};

Registry &registry()
{
    static Registry r;
    return r;
}

double logicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

QRect screenGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

void rememberFrame(const QWidget *window)
{
    if (!window->isVisible())
        return;
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    if (outer != inner)
        registry().frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

constexpr char DecorativeProperty[] = "forms_decorative";

// The client area as assistive technology sees it: its controls in reading
// order (top to bottom, then left to right) rather than stacking order, and
// without decorative copies, so that each text is read once.
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
    if (className == QLatin1String("forms::ClientArea") && object && object->isWidgetType())
        return new ClientAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

ClientArea::ClientArea(QWidget *parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(clientAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void hideFromAssistiveTechnology(QWidget *decoration)
{
    decoration->setProperty(DecorativeProperty, true);
}

std::unique_ptr<QMessageBox> makeMessageBox(const QString &prompt, const QString &title, int style)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style & 0x70) {
    case 16: icon = QMessageBox::Critical; break;
    case 32: icon = QMessageBox::Question; break;
    case 48: icon = QMessageBox::Warning; break;
    case 64: icon = QMessageBox::Information; break;
    default: break;
    }
    auto box = std::make_unique<QMessageBox>(icon, title, prompt, QMessageBox::Ok);
    // Texts are the program's own or the deployer's; never interpret them.
    box->setTextFormat(Qt::PlainText);
    box->setWindowIcon(programIcon());
    return box;
}

namespace {

void showMessageBox(const QString &prompt, const QString &title, int style)
{
    const auto box = makeMessageBox(prompt, title, style);
    QMessageBox *shown = box.get();
    QObject::connect(shown, &QMessageBox::buttonClicked, shown, [shown] { rememberFrame(shown); });
    box->exec();
}

} // namespace

int twips(double value)
{
    return qRound(value * logicalDpi() / 1440.0);
}

double toTwips(int pixels)
{
    return pixels * 1440.0 / logicalDpi();
}

QRect twipsRect(int left, int top, int width, int height)
{
    // Convert edges rather than sizes so that neighbouring controls stay
    // flush after rounding.
    const int x = twips(left);
    const int y = twips(top);
    return {x, y, twips(left + width) - x, twips(top + height) - y};
}

Form::Form(const QString &name, Frame frame)
{
    setObjectName(name);
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    // A plain window rather than a dialog: shown in the task bar, and
    // parentless like every window of the program.
    flags |= frame == Frame::FixedTool ? Qt::Tool : Qt::Window;
    setWindowFlags(flags);
    setWindowIcon(programIcon());
    setFont(defaultFont());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_client = new ClientArea(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setAutoFillBackground(true);
    layout->addWidget(m_client);
}

Form::~Form() = default;

void Form::setFormEnabled(bool enabled)
{
    // Disabling a window takes the focus from its controls, and enabling it
    // does not give it back: Enter would then reach whatever Qt picks.
    if (!enabled && isEnabled())
        m_lastFocus = focusWidget();
    setEnabled(enabled);
    if (enabled && m_lastFocus)
        m_lastFocus->setFocus(Qt::OtherFocusReason);
}

void Form::setClientSize(int widthTwips, int heightTwips)
{
    m_client->setFixedSize(twips(widthTwips), twips(heightTwips));
    layout()->activate();
}

void Form::setBackground(const QColor &colour)
{
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, colour);
    m_client->setPalette(palette);
}

QMenu *Form::addMenu(const QString &objectName, const QString &caption)
{
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(this);
        m_menuBar->setObjectName(QStringLiteral("menuBar"));
        // Never the desktop's global menu: it belongs to this window.
        m_menuBar->setNativeMenuBar(false);
        layout()->setMenuBar(m_menuBar);
    }
    QMenu *menu = m_menuBar->addMenu(caption);
    menu->setObjectName(objectName);
    menu->menuAction()->setObjectName(objectName);
    // The open menu is announced by its caption, as its menu bar entry is.
    menu->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return menu;
}

QAction *Form::addMenuItem(QMenu *menu, const QString &objectName, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

QSize Form::outerSize() const
{
    if (isVisible() && frameGeometry() != geometry())
        return frameGeometry().size();
    const QMargins frame = registry().frame;
    return size().grownBy(frame);
}

double Form::outerWidth() const
{
    return toTwips(outerSize().width());
}

double Form::outerHeight() const
{
    return toTwips(outerSize().height());
}

void Form::moveTo(double leftTwips, double topTwips)
{
    // Positions count from the primary screen's top-left corner.
    const QPoint origin = screenGeometry().topLeft();
    move(origin.x() + qRound(leftTwips * logicalDpi() / 1440.0),
         origin.y() + qRound(topTwips * logicalDpi() / 1440.0));
}

void Form::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (m_unloading) {
        event->accept();
        return;
    }
    // A disabled window takes no input at all, and the window manager's
    // close request is input too: the window that opened About must stay.
    if (!isEnabled() || hasEnded())
        return;
    unload(objectName());
    event->accept();
}

void Form::changeEvent(QEvent *event)
{
    // Disabling a window disables its widgets but not its menu items, which
    // could still be triggered by an assistive tool; they follow the window.
    if (event->type() == QEvent::EnabledChange) {
        for (QAction *action : findChildren<QAction *>())
            action->setEnabled(isEnabled());
    }
    QDialog::changeEvent(event);
}

bool Form::event(QEvent *event)
{
    // Show where the keyboard focus is from the start, not only once Tab has
    // been pressed: the user may not have a mouse.
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
        setAttribute(Qt::WA_KeyboardFocusChange);
    return QDialog::event(event);
}

void Form::keyPressEvent(QKeyEvent *event)
{
    // No window has a cancel button, so Escape does nothing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form::reject()
{
    // Only the window's own handlers decide when it goes.
}

double screenWidth()
{
    return toTwips(screenGeometry().width());
}

double screenHeight()
{
    return toTwips(screenGeometry().height());
}

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

void endProgram()
{
    auto &r = registry();
    if (r.ended)
        return;
    r.ended = true;
    const auto loaded = r.loaded;
    r.loaded.clear();
    for (const auto &form : loaded) {
        if (!form)
            continue;
        form->m_unloading = true;
        form->hide();
        form->deleteLater();
    }
    if (r.host.end)
        r.host.end();
    else
        QCoreApplication::exit(0);
}

bool hasEnded()
{
    return registry().ended;
}

void messageBox(const QString &prompt, const QString &title, int style)
{
    const auto &host = registry().host;
    if (host.messageBox)
        host.messageBox(prompt, title, style);
    else
        showMessageBox(prompt, title, style);
}

void setHost(Host host)
{
    registry().host = std::move(host);
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
}

} // namespace forms
