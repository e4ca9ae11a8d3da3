#include "ui/Accessibility.h"

#include "ui/AlertView.h"
#include "ui/TableView.h"
#include "ui/View.h"

#include <QAccessibleWidget>
#include <QRegularExpression>

namespace {

// Words of a picture's name: "SendMail.png" gives "Send Mail", "ToolLiveMap" gives "Live Map".
QString pictureWords(QString name) {
    name = name.section(u'.', 0, 0);
    if (name.startsWith(QStringLiteral("Tool")) && name.size() > 4 && name[4].isUpper())
        name = name.mid(4);
    static const QRegularExpression boundary(QStringLiteral("(?<=[a-z])(?=[A-Z])|(?<=[A-Z])(?=[A-Z][a-z])"));
    return name.replace(boundary, QStringLiteral(" ")).trimmed();
}

class AccessibleButton : public QAccessibleWidget {
public:
    explicit AccessibleButton(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return Accessibility::nameOf(static_cast<const Button*>(widget()));
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<Button*>(widget())->press();
    }
};

class AccessibleLabel : public QAccessibleWidget {
public:
    explicit AccessibleLabel(QWidget* widget) : QAccessibleWidget(widget, QAccessible::StaticText) {}
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return static_cast<const Label*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
    // A button's caption is said as the button's name, not a second time on its own.
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        for (const QWidget* up = widget()->parentWidget(); up; up = up->parentWidget()) {
            if (qobject_cast<const Button*>(up))
                state.invisible = true;
        }
        // The same for a caption beside its button (a tool bar's).
        const QString text = static_cast<const Label*>(widget())->text();
        if (const QWidget* parent = widget()->parentWidget()) {
            for (const Button* button : parent->findChildren<Button*>(Qt::FindDirectChildrenOnly)) {
                if (Accessibility::nameOf(button) == text)
                    state.invisible = true;
            }
        }
        return state;
    }
};

// A row: what it shows, as its view put it in words (its accessible name), or its labels' texts.
class AccessibleRow : public QAccessibleWidget {
public:
    explicit AccessibleRow(QWidget* widget) : QAccessibleWidget(widget, QAccessible::ListItem) {}
    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        QStringList texts;
        for (const Label* label : widget()->findChildren<Label*>()) {
            if (label->isVisibleTo(widget()) && !label->text().trimmed().isEmpty())
                texts.append(label->text().trimmed());
        }
        return texts.join(QStringLiteral(", "));
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.selected = static_cast<const TableViewCell*>(widget())->isSelected();
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<TableViewCell*>(widget())->press();
    }
};

class AccessibleBusy : public QAccessibleWidget {
public:
    explicit AccessibleBusy(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Animation) {}
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? QStringLiteral("Loading") : QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.busy = static_cast<const ActivityIndicator*>(widget())->isAnimating();
        return state;
    }
};

class AccessibleAlert : public QAccessibleWidget {
public:
    explicit AccessibleAlert(QWidget* widget) : QAccessibleWidget(widget, QAccessible::AlertMessage) {}
    QString text(QAccessible::Text kind) const override {
        const auto* alert = static_cast<const AlertView*>(widget());
        if (kind == QAccessible::Name)
            return alert->title();
        if (kind == QAccessible::Description)
            return alert->message();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* interfaceFor(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == u"Button")
        return new AccessibleButton(widget);
    if (className == u"Label")
        return new AccessibleLabel(widget);
    if (className == u"TableViewCell")
        return new AccessibleRow(widget);
    if (className == u"ActivityIndicator")
        return new AccessibleBusy(widget);
    if (className == u"AlertView")
        return new AccessibleAlert(widget);
    if (className == u"TableView")
        return new QAccessibleWidget(widget, QAccessible::List);
    return nullptr;
}

} // namespace

namespace Accessibility {

void install() {
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    (void)installed;
}

QString nameOf(const Button* button) {
    if (!button->title().isEmpty())
        return button->title();
    if (!button->accessibleName().isEmpty())
        return button->accessibleName();
    return pictureWords(button->backgroundImageName());
}

} // namespace Accessibility
