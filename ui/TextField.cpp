#include "ui/TextField.h"

#include "ui/Images.h"

#include <QKeyEvent>
#include <QLineEdit>

TextField::TextField(const QRect& frame, QWidget* parent) : View(frame, parent) {
    edit = new QLineEdit(this);
    edit->setGeometry(0, 0, frame.width(), frame.height());
    edit->setFont(Fonts::system(17));
    edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    edit->setStyleSheet(
        QStringLiteral("QLineEdit { background: white; color: black; border: 1px solid #8a8a8a; "
                       "border-radius: 7px; padding: 0 6px; }"));
    edit->installEventFilter(this);
}

QString TextField::text() const {
    return edit->text();
}
void TextField::setText(const QString& text) {
    edit->setText(text);
}
void TextField::setPlaceholder(const QString& placeholder) {
    edit->setPlaceholderText(placeholder);
}
QString TextField::placeholder() const {
    return edit->placeholderText();
}

void TextField::setDelegate(TextFieldDelegate* delegate, QObject* guard) {
    delegateObject = delegate;
    delegateGuard = guard;
}

bool TextField::apply(int start, int length, const QString& replacement) {
    const QString before = edit->text();
    if (delegateObject && delegateGuard &&
        !delegateObject->shouldChangeCharacters(this, before, start, length, replacement))
        return false;
    QString after = before;
    after.replace(start, length, replacement);
    edit->setText(after);
    edit->setCursorPosition(start + int(replacement.size()));
    return true;
}

void TextField::type(const QString& text) {
    int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    int length = edit->hasSelectedText() ? int(edit->selectedText().size()) : 0;
    if (text.isEmpty() && length == 0) {
        if (start == 0)
            return;
        --start;
        length = 1;
    }
    apply(start, length, text);
}

void TextField::pressReturn() {
    if (delegateObject && delegateGuard)
        delegateObject->shouldReturn(this);
}

void TextField::becomeFirstResponder() {
    edit->setFocus();
}
void TextField::resignFirstResponder() {
    edit->clearFocus();
}
bool TextField::isFirstResponder() const {
    return edit->hasFocus();
}

// Every key the reader types goes through the delegate first.
bool TextField::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit || event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        pressReturn();
        return true;
    }
    if (key->key() == Qt::Key_Backspace) {
        type(QString());
        return true;
    }
    if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
        type(key->text());
        return true;
    }
    return false;
}
