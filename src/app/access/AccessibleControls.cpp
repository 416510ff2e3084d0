#include "AccessibleControls.h"

#include "Mnemonics.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace {

/// A combo box named by what it is. Qt's combo boxes on Linux give their value as their name
/// and leave the caption to a label relation, which a caption in a group box never makes. The
/// value is the combo box's text, which screen readers read with it and hear change.
class NamedComboBox : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit NamedComboBox(QComboBox *box)
        : QAccessibleWidget(box, QAccessible::ComboBox), mShown(value())
    {
        QObject::connect(box, &QComboBox::currentTextChanged, box, [this] { valueChanged(); });
        if (box->isEditable())
            QObject::connect(box->lineEdit(), &QLineEdit::textChanged, box,
                             [this] { valueChanged(); });
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value ||
            (t == QAccessible::Name && box()->accessibleName().isEmpty()))
            return value();
        return QAccessibleWidget::text(t);
    }

    // The list that opens (and, while it may be typed in, the field) as Qt gives them.
    int childCount() const override { return box()->isEditable() ? 2 : 1; }

    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable())
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child->object() == box()->view())
            return 0;
        if (box()->isEditable() && child->object() == box()->lineEdit())
            return 1;
        return -1;
    }

    QAccessibleInterface *focusChild() const override
    {
        return box()->isEditable() ? child(1) : nullptr;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = box()->view()->isVisible();
        s.editable = box()->isEditable() && !box()->lineEdit()->isReadOnly();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

    // The value as a text of its own, read only and selected whole, as a chosen value is in a
    // field: a screen reader speaks a selected text that replaces another.
    QString text(int startOffset, int endOffset) const override
    {
        return value().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(value().size()); }
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
    }
    int selectionCount() const override { return value().isEmpty() ? 0 : 1; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }

    QString value() const
    {
        return box()->isEditable() ? box()->lineEdit()->text() : box()->currentText();
    }

    /// Says the new value as a selected text put in, which a screen reader speaks for the
    /// control that has the focus.
    void valueChanged()
    {
        const QString now = value();
        if (now == mShown)
            return;
        // Only the insertion: the removal of a selected text is heard as "selection deleted".
        QAccessibleTextInsertEvent event(box(), 0, now);
        mShown = now;
        QAccessible::updateAccessibility(&event);
    }

    QString mShown;
};

/// A container that lists only the controls it shows: those it keeps hidden (a closed dock,
/// fields that only hold state) say nothing to the user. A group box is named by its own
/// title, whatever box it sits in.
class ShownChildren : public QAccessibleWidget
{
public:
    ShownChildren(QWidget *container, QAccessible::Role role) : QAccessibleWidget(container, role)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *box = qobject_cast<const QGroupBox *>(widget());
        if (box && t == QAccessible::Name && box->accessibleName().isEmpty())
            return Mnemonics::plain(box->title());
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return static_cast<int>(shown().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = shown();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children[index])
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return static_cast<int>(shown().indexOf(qobject_cast<QWidget *>(child->object())));
    }

private:
    QList<QWidget *> shown() const
    {
        QList<QWidget *> out;
        for (QObject *o : widget()->children()) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w && !w->isWindow() && !w->isHidden())
                out << w;
        }
        return out;
    }
};

QAccessibleInterface *controlFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("QComboBox"))
        return new NamedComboBox(static_cast<QComboBox *>(object));
    if (className == QLatin1String("QGroupBox"))
        return new ShownChildren(static_cast<QWidget *>(object), QAccessible::Grouping);
    if (className == QLatin1String("QMainWindow"))
        return new ShownChildren(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

namespace AccessibleControls {

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    // Asked before Qt's own factory, which was installed first.
    QAccessible::installFactory(controlFor);
}

} // namespace AccessibleControls
