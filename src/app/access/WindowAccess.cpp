#include "WindowAccess.h"

#include "Mnemonics.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>

#include <algorithm>

namespace {

constexpr const char *kMenuWatched = "windowAccessWatched";
constexpr const char *kGivenName = "windowAccessName";

// ---------------------------------------------------------------------------------------
// Reading order: rows before columns, as a page is read. A set of controls splits at the
// first horizontal gap between them into rows, else at a vertical gap into columns.

struct Placed
{
    QWidget *widget;
    QRect rect;
};

void readingOrder(std::vector<Placed> &items, std::size_t begin, std::size_t end);

bool splitAt(std::vector<Placed> &items, std::size_t begin, std::size_t end, bool rows)
{
    auto low = [rows](const Placed &p) { return rows ? p.rect.top() : p.rect.left(); };
    auto high = [rows](const Placed &p) { return rows ? p.rect.bottom() : p.rect.right(); };
    std::stable_sort(items.begin() + begin, items.begin() + end,
                     [&](const Placed &a, const Placed &b) { return low(a) < low(b); });
    std::vector<std::size_t> cuts;
    int reach = high(items[begin]);
    for (std::size_t i = begin + 1; i < end; ++i) {
        if (low(items[i]) > reach)
            cuts.push_back(i);
        reach = std::max(reach, high(items[i]));
    }
    if (cuts.empty())
        return false;
    cuts.push_back(end);
    std::size_t from = begin;
    for (const std::size_t to : cuts) {
        readingOrder(items, from, to);
        from = to;
    }
    return true;
}

void readingOrder(std::vector<Placed> &items, std::size_t begin, std::size_t end)
{
    if (end - begin < 2 || splitAt(items, begin, end, true) || splitAt(items, begin, end, false))
        return;
    // Overlapping controls: top to bottom, then left to right.
    std::stable_sort(
        items.begin() + begin, items.begin() + end, [](const Placed &a, const Placed &b) {
            return std::pair(a.rect.top(), a.rect.left()) < std::pair(b.rect.top(), b.rect.left());
        });
}

/// Controls whose inner parts (a combo box's field, a spin box's field) are not tab stops
/// of their own.
bool isCompound(const QWidget *w)
{
    return qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w);
}

void collectTabStops(QWidget *parent, QWidget *window, QList<QWidget *> &stops)
{
    auto *stack = qobject_cast<QStackedWidget *>(parent);
    std::vector<Placed> children;
    if (stack) {
        // Every page in page order: the hidden ones keep their place for when they show.
        for (int i = 0; i < stack->count(); ++i)
            children.push_back({stack->widget(i), QRect()});
    } else {
        for (QObject *o : parent->children()) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w && !w->isWindow() && !w->isHidden())
                children.push_back({w, w->geometry()});
        }
        readingOrder(children, 0, children.size());
    }
    for (const Placed &c : children) {
        if ((c.widget->focusPolicy() & Qt::TabFocus) && !c.widget->focusProxy())
            stops << c.widget;
        if (!isCompound(c.widget))
            collectTabStops(c.widget, window, stops);
    }
}

void setTabOrder(QWidget *window)
{
    QList<QWidget *> stops;
    collectTabStops(window, window, stops);
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

// ---------------------------------------------------------------------------------------
// Mnemonics

QList<QAction *> captioned(const QList<QAction *> &actions)
{
    QList<QAction *> out;
    for (QAction *a : actions) {
        if (!a->isSeparator() && a->isVisible() && !a->text().isEmpty())
            out << a;
    }
    return out;
}

QStringList texts(const QList<QAction *> &actions)
{
    QStringList out;
    for (const QAction *a : actions)
        out << a->text();
    return out;
}

void assignTo(const QList<QAction *> &actions)
{
    const QStringList marked = Mnemonics::assign(texts(actions));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (actions[i]->text() != marked[i])
            actions[i]->setText(marked[i]);
    }
}

/// The window's own buttons with a caption, in reading order; push buttons first, as they
/// need a mnemonic most.
QList<QAbstractButton *> buttonsOf(QWidget *window)
{
    QList<QWidget *> ordered;
    collectTabStops(window, window, ordered);
    QList<QAbstractButton *> push;
    QList<QAbstractButton *> other;
    for (QWidget *w : ordered) {
        auto *b = qobject_cast<QAbstractButton *>(w);
        if (!b || b->window() != window || b->text().isEmpty())
            continue;
        (qobject_cast<QPushButton *>(b) ? push : other) << b;
    }
    return push + other;
}

void watchMenu(QMenu *menu)
{
    if (menu->property(kMenuWatched).toBool())
        return;
    menu->setProperty(kMenuWatched, true);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { WindowAccess::updateMenu(menu); });
}

void assignMnemonics(QWidget *window)
{
    QList<QAction *> bar;
    for (QMenuBar *menuBar : window->findChildren<QMenuBar *>()) {
        if (menuBar->window() == window)
            bar += captioned(menuBar->actions());
    }
    assignTo(bar);

    const QList<QAbstractButton *> buttons = buttonsOf(window);
    QStringList captions = texts(bar); // the bar's letters are taken first
    for (const QAbstractButton *b : buttons)
        captions << b->text();
    const QStringList marked = Mnemonics::assign(captions);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const QString &text = marked[bar.size() + i];
        if (buttons[i]->text() != text)
            buttons[i]->setText(text);
    }
    for (QMenu *menu : window->findChildren<QMenu *>())
        watchMenu(menu);
}

// ---------------------------------------------------------------------------------------
// Accessible names

/// Whatever the user can reach with Tab is something a screen reader names.
bool isInputControl(const QWidget *w)
{
    return w->focusPolicy() & Qt::TabFocus;
}

void nameControls(QWidget *window)
{
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window || !isInputControl(w))
            continue;
        if (auto *b = qobject_cast<QAbstractButton *>(w); b && !b->text().isEmpty())
            continue; // a button is named by its caption
        // A name the program gave on purpose stays; one given here follows the captions.
        const QString given = w->property(kGivenName).toString();
        if (!w->accessibleName().isEmpty() && w->accessibleName() != given)
            continue;
        const QString name = WindowAccess::nameFromCaptions(w);
        w->setAccessibleName(name);
        w->setProperty(kGivenName, name);
    }
}

// ---------------------------------------------------------------------------------------

constexpr const char *kUpdatePending = "windowAccessPending";

/// After a change of language: once the window's controls have all taken their new
/// captions (they do as the event reaches them, after the window).
void updateLater(QWidget *window)
{
    if (window->property(kUpdatePending).toBool())
        return;
    window->setProperty(kUpdatePending, true);
    QMetaObject::invokeMethod(
        window,
        [window] {
            window->setProperty(kUpdatePending, false);
            WindowAccess::update(window);
        },
        Qt::QueuedConnection);
}

class Watcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::Show && type != QEvent::LanguageChange) || !watched->isWidgetType())
            return false;
        auto *w = static_cast<QWidget *>(watched);
        QWidget *window = w->window();
        if (!window->objectName().startsWith(QLatin1String("frm")))
            return false;
        if (w == window && type == QEvent::Show)
            WindowAccess::update(window);
        else if (w == window || type == QEvent::Show)
            updateLater(window); // a control shown later (a dock, a page) takes its place too
        return false;
    }
};

} // namespace

namespace WindowAccess {

void update(QWidget *window)
{
    assignMnemonics(window);
    setTabOrder(window);
    nameControls(window);
}

void updateMenu(QMenu *menu)
{
    assignTo(captioned(menu->actions()));
}

QString nameFromCaptions(const QWidget *control)
{
    for (const QLabel *label : control->window()->findChildren<QLabel *>()) {
        if (label->buddy() == control && !label->text().isEmpty())
            return Mnemonics::plain(label->text());
    }
    if (const auto *field = qobject_cast<const QLineEdit *>(control);
        field && !field->placeholderText().isEmpty())
        return field->placeholderText();
    for (const QWidget *w = control->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
        if (const auto *box = qobject_cast<const QGroupBox *>(w); box && !box->title().isEmpty())
            return Mnemonics::plain(box->title());
        if (const auto *dock = qobject_cast<const QDockWidget *>(w);
            dock && !dock->windowTitle().isEmpty())
            return dock->windowTitle();
    }
    if (!control->toolTip().isEmpty())
        return control->toolTip();
    if (const auto *tabs = qobject_cast<const QTabBar *>(control)) {
        QStringList pages;
        for (int i = 0; i < tabs->count(); ++i)
            pages << Mnemonics::plain(tabs->tabText(i));
        return pages.join(QStringLiteral(", "));
    }
    return control->window()->windowTitle().remove(QStringLiteral("[*]"));
}

void watchApplication()
{
    static QPointer<Watcher> watcher;
    if (watcher || !qApp)
        return;
    watcher = new Watcher(qApp);
    qApp->installEventFilter(watcher);
}

} // namespace WindowAccess
