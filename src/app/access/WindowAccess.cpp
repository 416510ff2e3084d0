#include "WindowAccess.h"

#include "AccessibleControls.h"
#include "Mnemonics.h"

#include "editor/Translation.h"

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
// Mnemonics. Letters are chosen once for a set of captions and then stay: a caption still
// showing the text given to it keeps its letter, and only captions that are new (a control
// that appeared, a caption that changed) take free letters around them. A change of language
// chooses afresh, in an order that depends on nothing but the controls themselves, so that
// the same language always gives the same letters.

constexpr const char *kCaption = "mnemonicCaption"; ///< the caption before its mnemonic
constexpr const char *kMarked = "mnemonicMarked";   ///< the text the mnemonic was given in
constexpr const char *kFresh = "mnemonicFresh";     ///< choose every letter afresh next time
constexpr const char *kLabelsField = "mnemonicLabelsField";
constexpr const char *kPreferred = "mnemonicPreferred";

QString captionOf(const QObject *o)
{
    if (const auto *a = qobject_cast<const QAction *>(o))
        return a->text();
    if (const auto *b = qobject_cast<const QAbstractButton *>(o))
        return b->text();
    if (const auto *g = qobject_cast<const QGroupBox *>(o))
        return g->title();
    return QString();
}

void setCaptionOf(QObject *o, const QString &text)
{
    if (auto *a = qobject_cast<QAction *>(o))
        a->setText(text);
    else if (auto *b = qobject_cast<QAbstractButton *>(o))
        b->setText(text);
    else if (auto *g = qobject_cast<QGroupBox *>(o))
        g->setTitle(text);
}

/// Gives `controls` unique mnemonics; letters of `taken` are not used. Controls whose
/// caption is unchanged since they were given one keep it unless `fresh`.
QStringList assignTo(const QList<QObject *> &controls, bool fresh,
                     const QStringList &taken = QStringList())
{
    QStringList captions;
    for (const QString &t : taken) // only their letters: a caption without one takes none here
        captions << (Mnemonics::letter(t).isNull() ? QString() : t);
    for (QObject *c : controls) {
        const QString shown = captionOf(c);
        const bool ours = c->property(kMarked).toString() == shown;
        if (!ours)
            c->setProperty(kCaption, shown);
        captions << (ours && !fresh ? shown : c->property(kCaption).toString());
    }
    const QStringList marked = Mnemonics::assign(captions);
    QStringList out;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QString &text = marked[taken.size() + i];
        if (captionOf(controls[i]) != text)
            setCaptionOf(controls[i], text);
        controls[i]->setProperty(kMarked, text);
        out << text;
    }
    return out;
}

QList<QObject *> captioned(const QList<QAction *> &actions)
{
    QList<QObject *> out;
    for (QAction *a : actions) {
        if (!a->isSeparator() && a->isVisible() && !a->text().isEmpty())
            out << a;
    }
    return out;
}

/// The window's own captioned buttons, also those not shown yet (so that showing one moves no
/// letter): those preferred first, then push buttons as they need a mnemonic most, then the
/// group boxes that caption a field (a short caption has few letters to choose from), then the
/// other buttons; each kind in the order the controls were made. When letters run short, the
/// last go without.
QList<QObject *> buttonsOf(QWidget *window)
{
    QList<QObject *> preferred;
    QList<QObject *> push;
    QList<QObject *> other;
    QList<QObject *> groups;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window || captionOf(w).isEmpty())
            continue;
        if (w->property(kPreferred).toBool())
            preferred << w;
        else if (qobject_cast<QPushButton *>(w))
            push << w;
        else if (qobject_cast<QAbstractButton *>(w))
            other << w;
        else if (w->property(kLabelsField).toBool())
            groups << w;
    }
    return preferred + push + groups + other;
}

void watchMenu(QMenu *menu)
{
    if (menu->property(kMenuWatched).toBool())
        return;
    menu->setProperty(kMenuWatched, true);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { WindowAccess::updateMenu(menu); });
}

void assignMnemonics(QWidget *window, bool fresh)
{
    QList<QObject *> bar;
    for (QMenuBar *menuBar : window->findChildren<QMenuBar *>()) {
        if (menuBar->window() == window)
            bar += captioned(menuBar->actions());
    }
    // The bar's letters are taken first: Alt+letter opens a menu before it presses a button.
    const QStringList barTexts = assignTo(bar, fresh);
    assignTo(buttonsOf(window), fresh, barTexts);
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        watchMenu(menu);
        if (fresh)
            menu->setProperty(kFresh, true);
    }
}

// ---------------------------------------------------------------------------------------
// Accessible names

/// Whatever the user can reach with Tab is something a screen reader names.
bool isInputControl(const QWidget *w)
{
    return w->focusPolicy() & Qt::TabFocus;
}

/// A button is named by its caption, unless the caption is not read as it is meant.
bool namedByCaption(const QWidget *w)
{
    const auto *b = qobject_cast<const QAbstractButton *>(w);
    return b && !b->text().isEmpty() &&
           WindowAccess::spokenCaption(b->text()) == Mnemonics::plain(b->text());
}

void nameControls(QWidget *window)
{
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const auto *button = qobject_cast<const QAbstractButton *>(w);
        if (w->window() != window || (!isInputControl(w) && !(button && !button->text().isEmpty())))
            continue;
        // A name the program gave on purpose stays; one given here follows the captions.
        const QString given = w->property(kGivenName).toString();
        if (!w->accessibleName().isEmpty() && w->accessibleName() != given)
            continue;
        if (namedByCaption(w)) {
            w->setAccessibleName(QString());
            w->setProperty(kGivenName, QString());
            continue;
        }
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
    const bool fresh = window->property(kFresh).toBool();
    window->setProperty(kFresh, false);
    assignMnemonics(window, fresh);
    setTabOrder(window);
    nameControls(window);
}

void updateMenu(QMenu *menu)
{
    const bool fresh = menu->property(kFresh).toBool();
    menu->setProperty(kFresh, false);
    assignTo(captioned(menu->actions()), fresh);
}

void languageChanged(QWidget *window)
{
    window->setProperty(kFresh, true);
    update(window);
}

void labelsItsField(QGroupBox *box)
{
    box->setProperty(kLabelsField, true);
}

void preferMnemonic(QWidget *control)
{
    control->setProperty(kPreferred, true);
}

QString spokenCaption(const QString &caption)
{
    // "Create\Edit": a backslash between two words stands for "or", which is how it is read.
    QString shown = Mnemonics::plain(caption);
    const QString word =
        QLatin1Char(' ') + Translation::text(Translation::Key::WordOr) + QLatin1Char(' ');
    for (qsizetype i = shown.size() - 2; i > 0; --i) {
        if (shown[i] == QLatin1Char('\\') && shown[i - 1].isLetterOrNumber() &&
            shown[i + 1].isLetterOrNumber())
            shown.replace(i, 1, word);
    }
    return shown;
}

QString nameFromCaptions(const QWidget *control)
{
    if (const auto *b = qobject_cast<const QAbstractButton *>(control); b && !b->text().isEmpty())
        return spokenCaption(b->text());
    // A box is what its own title says, not the box around it.
    if (const auto *box = qobject_cast<const QGroupBox *>(control); box && !box->title().isEmpty())
        return spokenCaption(box->title());
    for (const QLabel *label : control->window()->findChildren<QLabel *>()) {
        if (label->buddy() == control && !label->text().isEmpty())
            return spokenCaption(label->text());
    }
    if (const auto *field = qobject_cast<const QLineEdit *>(control);
        field && !field->placeholderText().isEmpty())
        return field->placeholderText();
    for (const QWidget *w = control->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
        if (const auto *box = qobject_cast<const QGroupBox *>(w); box && !box->title().isEmpty())
            return spokenCaption(box->title());
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

void closesOnKeys(QWidget *window)
{
    QList<QKeySequence> keys{QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence &key : QKeySequence::keyBindings(QKeySequence::Close)) {
        if (!keys.contains(key))
            keys << key;
    }
    auto *close = new QAction(window);
    close->setObjectName(QStringLiteral("actCloseWindow"));
    close->setShortcuts(keys);
    QObject::connect(close, &QAction::triggered, window, &QWidget::close);
    window->addAction(close);
}

void watchApplication()
{
    static QPointer<Watcher> watcher;
    if (watcher || !qApp)
        return;
    AccessibleControls::install();
    watcher = new Watcher(qApp);
    qApp->installEventFilter(watcher);
}

} // namespace WindowAccess
